#include "HistoryModel.h"

#include "Captions.h"
#include "InputCheck.h"
#include "OpenBooks.h"
#include "SessionOperations.h"
#include "StatusMessage.h"
#include "StatusModel.h"
#include "formats/TimesheetPeriod.h"
#include "store/EntryStore.h"
#include "support/Error.h"
#include "tracking/Tracker.h"

#include <QLocale>
#include <QTimeZone>

#include <limits>

namespace zol {

namespace {

// Bounds wide enough to hold every session the books can have.
const QDateTime everFrom{QDate(1000, 1, 1), QTime(0, 0), Qt::UTC};
const QDateTime everTo{QDate(9999, 12, 31), QTime(0, 0), Qt::UTC};

// "2301 Brand book (Mon 2 Mar 09:00–10:30)", the running session "…–now".
QString described(const TimeEntry& entry, const Calendar& calendar)
{
    const QLocale locale;
    const QTimeZone zone = calendar.timeZone();
    QString text = Captions::sessionTitle(entry);
    text += QStringLiteral(" (") +
            locale.toString(entry.startedAt.toTimeZone(zone), u"ddd d MMM HH:mm") + u'\u2013' +
            (entry.endedAt ? locale.toString(entry.endedAt->toTimeZone(zone), u"HH:mm")
                           : HistoryModel::tr("now")) +
            u')';
    return text;
}

} // namespace

HistoryModel::HistoryModel(OpenBooks& books, StatusModel& status, SessionOperations& sessions,
                           QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_status(status)
    , m_sessions(sessions)
    , m_historyDay(books.today())
{
    connect(&books, &OpenBooks::closing, this, [this] { reset(); });
    connect(&books, &OpenBooks::sessionsChanged, this, &HistoryModel::refresh);
}

HistoryModel::~HistoryModel() = default;

EntryStore& HistoryModel::store() const
{
    return *m_books.store();
}

void HistoryModel::reset()
{
    setHistoryDay(m_books.today());
    // Not through setHistoryScope(): these books are closing, nothing to read.
    if (m_historyScope != HistoryScope::day) {
        m_historyScope = HistoryScope::day;
        Q_EMIT historyScopeChanged();
    }
    setHistoryLayout(HistoryLayout::list);
    setHistoryDays({});
    setHistoryEntries({});
    setDeletedEntries({});
}

void HistoryModel::refresh()
{
    if (refreshShown() && m_binWanted)
        reloadDeletedEntries();
}

// Moving through the history reads only what it shows: the bin is read when
// sessions change (once something has asked for it), not at every step.
bool HistoryModel::refreshShown()
{
    const Outcome<QList<TimeEntry>> read =
        m_status.attempt([&] { return store().entries(shownFrom(), shownTo()); });
    if (!read)
        return false;
    const QList<TimeEntry>& entries = *read;
    // Newest first, so the days come out newest first, each run of one day
    // together.
    QList<QDate> days;
    for (const TimeEntry& entry : std::as_const(entries)) {
        const QDate day = m_books.calendar().day(entry.startedAt);
        if (days.isEmpty() || days.constLast() != day)
            days.append(day);
    }
    setHistoryEntries(entries);
    setHistoryDays(days);
    return true;
}

const QList<TimeEntry>& HistoryModel::deletedEntries()
{
    if (!m_binWanted)
        reloadDeletedEntries();
    return m_deletedEntries;
}

void HistoryModel::reloadDeletedEntries()
{
    m_binWanted = true;
    if (const auto deleted = m_status.attempt([&] { return store().deletedEntries(binLimit); }))
        setDeletedEntries(*deleted);
}

QDateTime HistoryModel::shownFrom() const
{
    const Calendar& calendar = m_books.calendar();
    switch (m_historyScope) {
    case HistoryScope::day:
        return calendar.startOfDay(m_historyDay);
    case HistoryScope::week:
        return TimesheetPeriod(TimesheetPeriod::Kind::week, calendar.startOfDay(m_historyDay),
                               calendar)
            .start();
    case HistoryScope::month:
        break;
    }
    return TimesheetPeriod(TimesheetPeriod::Kind::month, calendar.startOfDay(m_historyDay),
                           calendar)
        .start();
}

QDateTime HistoryModel::shownTo() const
{
    const Calendar& calendar = m_books.calendar();
    switch (m_historyScope) {
    case HistoryScope::day:
        return calendar.startOfDay(m_historyDay.addDays(1));
    case HistoryScope::week:
        return TimesheetPeriod(TimesheetPeriod::Kind::week, calendar.startOfDay(m_historyDay),
                               calendar)
            .nextStart();
    case HistoryScope::month:
        break;
    }
    return TimesheetPeriod(TimesheetPeriod::Kind::month, calendar.startOfDay(m_historyDay),
                           calendar)
        .nextStart();
}

void HistoryModel::setHistoryScope(HistoryScope scope)
{
    if (m_historyScope == scope)
        return;
    m_historyScope = scope;
    Q_EMIT historyScopeChanged();
    refreshShown();
}

void HistoryModel::setHistoryLayout(HistoryLayout layout)
{
    if (m_historyLayout == layout)
        return;
    m_historyLayout = layout;
    Q_EMIT historyLayoutChanged();
}

void HistoryModel::showPeriod(QDate day)
{
    if (!day.isValid())
        return;
    setHistoryDay(day);
    refreshShown();
}

void HistoryModel::showToday()
{
    showPeriod(m_books.today());
}

void HistoryModel::nextDay(int step)
{
    switch (m_historyScope) {
    case HistoryScope::day:
        showPeriod(m_historyDay.addDays(step));
        return;
    case HistoryScope::week:
        showPeriod(m_historyDay.addDays(7 * qint64(step)));
        return;
    case HistoryScope::month:
        showPeriod(m_historyDay.addMonths(step));
        return;
    }
}

std::optional<TimeEntry> HistoryModel::entry(const QUuid& id)
{
    return m_status.attempt([&] { return store().entry(id); }).value_or(std::nullopt);
}

EditCheck HistoryModel::checkEdit(const TimeEntry& edited)
{
    EditCheck check;
    const QDateTime now = m_books.clock().now();
    // What was typed: the note, the task (stored as typed, on the list or
    // not; blank clears it) and the description of internal work.
    std::optional<QString> typing = InputCheck::refuseNote(edited.note);
    if (!typing && !edited.task.isEmpty())
        typing = InputCheck::refuseName(InputCheck::Name::task, edited.task);
    if (!typing && edited.isInternal)
        typing = InputCheck::refuseName(InputCheck::Name::internalWork, edited.projectName);
    if (typing) {
        check.refusal = *typing;
        return check;
    }
    if (edited.endedAt && *edited.endedAt < edited.startedAt) {
        check.refusal = tr("The end time is before the start.");
        return check;
    }
    if (edited.startedAt > now) {
        check.refusal = tr("The start time is in the future.");
        return check;
    }
    if (edited.endedAt && *edited.endedAt > now) {
        check.refusal = tr("The end time is in the future.");
        return check;
    }
    // The pauses must fit in the session: more pause than span would count
    // its work as nothing, and the books would hold an impossible session.
    const QDateTime end = edited.endedAt.value_or(now);
    if (edited.pausedTime(end) > double(edited.startedAt.msecsTo(end)) / 1000.0) {
        check.refusal = tr("The pauses are longer than the session.");
        return check;
    }
    try {
        // A running session is checked as it stands now: moving its start
        // back over finished sessions runs into them just the same.
        TimeEntry asItStands = edited;
        if (asItStands.isOpen())
            asItStands.endedAt = now;
        check.overlaps = store().overlaps(asItStands);
        // The stored copy says whether it went up: the editor's copy may be
        // older than an upload that ran meanwhile.
        const std::optional<TimeEntry> stored = store().entry(edited.id);
        if (stored ? stored->isUploaded() : edited.isUploaded())
            check.warning = tr("Already uploaded. Saving marks it unsent, so the correction goes "
                               "with the next upload of that period.");
    } catch (const Error& error) {
        // What cannot be checked is not saved.
        check.refusal = error.message();
        return check;
    }
    if (!check.overlaps.isEmpty()) {
        check.refusal = tr("These hours are already tracked");
        check.explanation =
            tr("You cannot be on two jobs at once, and the same minutes would be counted twice in "
               "your timesheet. Change the times so they do not run into the sessions above.");
    }
    return check;
}

Outcome<TimeEntry> HistoryModel::saveEdit(const TimeEntry& edited)
{
    EditCheck check;
    bool saved = false;
    // Checked and saved in one write transaction, so that a session another
    // process tracks meanwhile cannot slip in between.
    const Outcome<void> written = attempt([&] {
        store().writeTransaction([&] {
            check = checkEdit(edited);
            if (check.isRefused())
                return;
            // The edit clears the upload mark, so nothing else would remember
            // that the handed-in timesheets of its old period hold the older
            // copy (a later delete, or a move to another week, would leave
            // that copy on the share).
            const std::optional<TimeEntry> stored = store().entry(edited.id);
            if (stored && stored->isUploaded())
                store().addUploadRevisit(stored->startedAt);
            m_books.changeTracker([&](Tracker& tracker) { saved = tracker.update(edited); });
            if (!saved) // the revisit goes with it
                throw Error(m_books.tracker()->loadError().value_or(QString()));
        });
    });
    if (!written)
        return m_status.refuse(written.error());
    if (check.isRefused())
        return m_status.refuse(
            Refusal{check.explanation.isEmpty()
                        ? check.refusal
                        : check.refusal + QStringLiteral(". ") + check.explanation});
    m_status.succeed(tr("Saved."));
    return edited;
}

Outcome<int> HistoryModel::deleteEntries(const QList<QUuid>& ids)
{
    QList<QUuid> deleted;
    const Outcome<void> done = attempt([&] {
        for (const QUuid& id : ids) {
            if (deleted.contains(id) || !store().entry(id))
                continue;
            store().deleteEntry(id);
            deleted.append(id);
        }
    });
    if (!done) {
        afterChange();
        // What was deleted before the failure can still be undone.
        StatusMessage message = StatusMessage::failure(done.error().sentence);
        message.undoableDeletions = deleted;
        m_status.show(message);
        return std::unexpected(done.error());
    }
    if (deleted.isEmpty())
        return 0;
    afterChange();
    const qsizetype count = deleted.size();
    m_status.show(
        StatusMessage::deletion(tr("Deleted %n sessions.", nullptr, int(count)), deleted));
    return int(count);
}

void HistoryModel::undoDeletion()
{
    const std::optional<StatusMessage>& message = m_status.message();
    if (message && message->canUndo())
        restore(QList<QUuid>(message->undoableDeletions));
}

void HistoryModel::resume(const Project& project)
{
    if (m_historyDay == m_books.today())
        (void)m_sessions.start(project);
}

void HistoryModel::resumeInternal(const QString& description)
{
    if (m_historyDay == m_books.today() || m_historyScope != HistoryScope::day)
        (void)m_sessions.startInternal(description);
}

Outcome<int> HistoryModel::restore(const QList<QUuid>& ids)
{
    if (ids.isEmpty())
        return 0;
    int restored = 0;
    QStringList refused;
    const Outcome<void> done = attempt([&] {
        for (const QUuid& id : ids) {
            const QList<TimeEntry> conflicts = store().restore(id);
            if (conflicts.isEmpty()) {
                ++restored;
                continue;
            }
            QStringList into;
            for (const TimeEntry& conflict : conflicts)
                into.append(described(conflict, m_books.calendar()));
            const QString self = [&] {
                for (const TimeEntry& entry : deletedEntries()) {
                    if (entry.id == id)
                        return described(entry, m_books.calendar());
                }
                return tr("A deleted session");
            }();
            refused.append(tr("%1 would run into %2").arg(self, Captions::listed(into)));
        }
    });
    afterChange();
    if (!done)
        return m_status.refuse(done.error());
    if (refused.isEmpty()) {
        m_status.succeed(tr("Restored."));
        return restored;
    }
    const QString inTheWay = refused.join(QStringLiteral("; "));
    return m_status.refuse(Refusal{
        restored > 0 ? tr("Restored %n sessions. These hours are already tracked: %1. Delete or "
                          "change what is in the way first.",
                          nullptr, restored)
                           .arg(inTheWay)
                     : tr("These hours are already tracked: %1. Delete or change what is in the "
                          "way first.")
                           .arg(inTheWay)});
}

void HistoryModel::purgeDeleted()
{
    const auto purged = m_status.attempt([&] {
        // A session handed in before it was deleted is still in a timesheet
        // on the share until its period is written again; with the row gone,
        // only the revisit remembers that.
        for (const TimeEntry& handedIn : store().deletedEntries(everFrom, everTo))
            store().addUploadRevisit(handedIn.startedAt);
        // Every deleted session, whatever the clock said when it was deleted.
        store().purgeDeleted(everTo);
    });
    if (!purged)
        return;
    reloadDeletedEntries();
    m_status.show(StatusMessage::success(tr("Cleared deleted sessions.")));
}

PersonalSummary HistoryModel::personalSummary()
{
    const Outcome<QList<TimeEntry>> read =
        m_status.attempt([&] { return store().entries(everFrom, everTo); });
    if (!read)
        return {};
    const QList<TimeEntry>& entries = *read;
    PersonalSummary summary;
    const QDateTime now = m_books.clock().now();
    for (const TimeEntry& entry : std::as_const(entries))
        summary.totalSeconds += entry.duration(now);
    summary.sessions = int(entries.size());
    // Newest first: the last one is the first tracked.
    if (!entries.isEmpty())
        summary.firstDay = m_books.calendar().day(entries.constLast().startedAt);
    return summary;
}

double HistoryModel::deletedSeconds()
{
    const QDateTime now = m_books.clock().now();
    const auto deleted =
        m_status.attempt([&] { return store().deletedEntries(std::numeric_limits<int>::max()); });
    double total = 0;
    for (const TimeEntry& entry : deleted.value_or(QList<TimeEntry>()))
        total += entry.duration(now);
    return total;
}

bool HistoryModel::canResume(const ProjectTotal& group, QDate day) const
{
    if (group.holdsRunningSession())
        return false;
    const QDate today = m_books.today();
    if (group.isInternal)
        return m_historyDay == today || m_historyScope != HistoryScope::day;
    return day == today && m_historyDay == today;
}

void HistoryModel::afterChange()
{
    m_books.reloadTracker();
}

void HistoryModel::setHistoryDay(QDate day)
{
    if (m_historyDay == day)
        return;
    m_historyDay = day;
    Q_EMIT historyDayChanged();
}

void HistoryModel::setHistoryDays(const QList<QDate>& days)
{
    if (m_historyDays == days)
        return;
    m_historyDays = days;
    Q_EMIT historyDaysChanged();
}

void HistoryModel::setHistoryEntries(const QList<TimeEntry>& entries)
{
    if (m_historyEntries == entries)
        return;
    m_historyEntries = entries;
    m_historyList = HistoryGroups::byDay(m_historyEntries, m_books.calendar());
    Q_EMIT historyEntriesChanged();
}

void HistoryModel::setDeletedEntries(const QList<TimeEntry>& entries)
{
    if (m_deletedEntries == entries)
        return;
    m_deletedEntries = entries;
    Q_EMIT deletedEntriesChanged();
}

} // namespace zol
