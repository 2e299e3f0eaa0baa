#pragma once

#include "HistoryGroups.h"
#include "Refusal.h"
#include "records/TimeEntry.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace zol {

class OpenBooks;
class SessionOperations;
class StatusModel;
class EntryStore;

// How much of the history is shown at once, and how.
enum class HistoryScope { day, week, month };
enum class HistoryLayout { list, calendar };

// What the session editor must show before saving an edited session. A refused
// edit cannot be saved; a warning only has to be read.
struct EditCheck
{
    // Why saving is refused: the end-before-start sentence, or the overlap
    // title. Empty when the edit may be saved.
    QString refusal;
    // The longer explanation under an overlap's title; empty otherwise.
    QString explanation;
    // The sessions the edited one runs into, oldest first.
    QList<TimeEntry> overlaps;
    // Said of a session that was uploaded already; empty otherwise.
    QString warning;

    bool isRefused() const { return !refusal.isEmpty(); }
    bool operator==(const EditCheck& other) const = default;
};

// The open books' figures for the Personal section.
struct PersonalSummary
{
    // Live sessions, the running one included.
    int sessions = 0;
    // Seconds worked in them, the running one up to now.
    double totalSeconds = 0;
    // The day of the first session; none before anything was tracked.
    std::optional<QDate> firstDay;

    bool operator==(const PersonalSummary& other) const = default;
};

// The controller's history: the sessions of the day, week or month shown, the
// bin of deleted sessions, and editing, deleting and restoring sessions.
//
// Everything here is short local work on the open store and runs on the
// calling (UI) thread. A store failure never escapes: it becomes a failure on
// the status line and the state shown stays as it was.
class HistoryModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryModel)
    Q_PROPERTY(zol::HistoryScope historyScope READ historyScope WRITE setHistoryScope NOTIFY
                   historyScopeChanged)
    Q_PROPERTY(zol::HistoryLayout historyLayout READ historyLayout WRITE setHistoryLayout NOTIFY
                   historyLayoutChanged)
    Q_PROPERTY(QDate historyDay READ historyDay WRITE showPeriod NOTIFY historyDayChanged)
    Q_PROPERTY(QList<QDate> historyDays READ historyDays NOTIFY historyDaysChanged)
    Q_PROPERTY(
        QList<zol::TimeEntry> historyEntries READ historyEntries NOTIFY historyEntriesChanged)
    Q_PROPERTY(
        QList<zol::TimeEntry> deletedEntries READ deletedEntries NOTIFY deletedEntriesChanged)

public:
    // The most deleted sessions the bin lists.
    static constexpr int binLimit = 1000;

    HistoryModel(OpenBooks& books, StatusModel& status, SessionOperations& sessions,
                 QObject* parent = nullptr);
    ~HistoryModel() override;

    // The day shown (the day the week or month shown holds).
    QDate historyDay() const { return m_historyDay; }
    HistoryScope historyScope() const { return m_historyScope; }
    HistoryLayout historyLayout() const { return m_historyLayout; }
    // The days shown that hold sessions, newest first.
    const QList<QDate>& historyDays() const { return m_historyDays; }
    // The sessions shown, newest first, the running one included.
    const QList<TimeEntry>& historyEntries() const { return m_historyEntries; }
    // The bin, most recently deleted first (at most binLimit). Read when first
    // asked for, and from then on with every refresh: a process that never
    // looks at the bin (most commands) never reads it.
    const QList<TimeEntry>& deletedEntries();
    // The instants the history shows: from the start of the day, week or
    // month shown up to (not including) the start of the next one.
    QDateTime shownFrom() const;
    QDateTime shownTo() const;

    void setHistoryScope(HistoryScope scope);
    void setHistoryLayout(HistoryLayout layout);
    // Shows the day, week or month that holds `day`. An invalid date is ignored.
    void showPeriod(QDate day);
    void showToday();
    // Moves by `step` days, weeks or months, as the scope is; a month later
    // than the 31st is the last day of a shorter month.
    void nextDay(int step);

    // Reads the sessions shown and (once it has been asked for) the bin again.
    void refresh();
    // Reads the bin again; it is then kept up to date by every refresh.
    void reloadDeletedEntries();

    // A live session of the open books, by id; none when there is no such
    // session or the store cannot be read.
    std::optional<TimeEntry> entry(const QUuid& id);

    // What saving `edited` would meet: a refusal (end before start, a start
    // or end in the future, more pause than span, overlap with other finished
    // sessions; touching is not overlapping) and the warning for a session
    // already uploaded, as stored.
    EditCheck checkEdit(const TimeEntry& edited);
    // Saves an edited session through the tracker (it becomes unsent) and
    // refreshes the history. A refused edit is not saved: its reason goes to
    // the status line as a failure and is given back. Returns the session as
    // saved.
    Outcome<TimeEntry> saveEdit(const TimeEntry& edited);

    // Soft-deletes the live sessions among `ids` and offers "Undo" on the
    // status line. Returns how many were deleted; refused (and said) when the
    // store failed, the ones deleted before that still offered to "Undo".
    Outcome<int> deleteEntries(const QList<QUuid>& ids);
    // Puts deleted sessions back where they were. One that would run into a
    // live session (the running one included) stays deleted: the status line
    // names it and what is in the way, as a failure, and the whole is
    // refused in those words. Returns how many were restored.
    Outcome<int> restore(const QList<QUuid>& ids);
    // "Undo" on the status line: restores the sessions its message offers.
    void undoDeletion();
    // The history's "Resume": a project only from today's history, internal
    // work from anything but a single past day.
    void resume(const Project& project);
    void resumeInternal(const QString& description);
    // Removes every deleted session of the open books for good.
    void purgeDeleted();

    PersonalSummary personalSummary();

    // The sessions shown by day and by project, as the list shows them; in
    // step with historyEntries().
    const QList<HistoryDay>& historyList() const { return m_historyList; }
    // Seconds of work in every deleted session of the open books, the ones
    // past binLimit included: what clearing the bin throws away.
    double deletedSeconds();
    // Whether the list's "Resume" starts `group` (of `day`) again: a project
    // from today's list, internal work from anything but a single past day;
    // never the group already running.
    bool canResume(const ProjectTotal& group, QDate day) const;

Q_SIGNALS:
    void historyScopeChanged();
    void historyLayoutChanged();
    void historyDayChanged();
    void historyDaysChanged();
    void historyEntriesChanged();
    void deletedEntriesChanged();

private:
    void reset();
    // Reads the sessions shown (not the bin); false when the store failed.
    bool refreshShown();
    void setHistoryDay(QDate day);
    void setHistoryDays(const QList<QDate>& days);
    void setHistoryEntries(const QList<TimeEntry>& entries);
    void setDeletedEntries(const QList<TimeEntry>& entries);
    // Reloads the tracker and the history after sessions changed.
    void afterChange();
    EntryStore& store() const;

    OpenBooks& m_books;
    StatusModel& m_status;
    SessionOperations& m_sessions;
    QDate m_historyDay;
    HistoryScope m_historyScope = HistoryScope::day;
    HistoryLayout m_historyLayout = HistoryLayout::list;
    QList<QDate> m_historyDays;
    QList<TimeEntry> m_historyEntries;
    QList<HistoryDay> m_historyList;
    QList<TimeEntry> m_deletedEntries;
    bool m_binWanted = false;
};

} // namespace zol
