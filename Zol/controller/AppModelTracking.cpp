// The tracking commands, the picker and the values derived from them.

#include "AppModel.h"

#include "HistoryModel.h"
#include "InputCheck.h"
#include "WindowSection.h"
#include "books/AppSettings.h"
#include "records/Duration.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace zol {

namespace {

// White space and line breaks off both ends.
QString trimmedDescription(const QString& text)
{
    return text.trimmed();
}

// Spaces (not line breaks) off both ends, as the picker's filter is read.
QStringView trimmedFilter(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).category() == QChar::Separator_Space)
        ++begin;
    while (end > begin && text.at(end - 1).category() == QChar::Separator_Space)
        --end;
    return text.sliced(begin, end - begin);
}

constexpr int recentPickerLimit = 10;

} // namespace

std::optional<TimeEntry> AppModel::start(const Project& project)
{
    saveCurrentNote();
    std::optional<TimeEntry> started =
        m_tracker->start(project, m_pendingNote, taskForNextSession());
    startShared();
    return started;
}

std::optional<TimeEntry> AppModel::startInternal(const QString& description)
{
    const QString trimmed = trimmedDescription(description);
    if (trimmed.isEmpty())
        return std::nullopt;
    saveCurrentNote();
    std::optional<TimeEntry> started =
        m_tracker->startInternal(trimmed, m_pendingNote, taskForNextSession());
    startShared();
    return started;
}

// What every start does after the tracker has started the session.
void AppModel::startShared()
{
    setPendingNote({});
    setPendingTask(m_taskList.defaultTask());
    setProjectFilter({});
    setArmed(std::nullopt, std::nullopt);
}

void AppModel::resume(const Project& project)
{
    if (m_history->historyDay() == today())
        start(project);
}

void AppModel::resumeInternal(const QString& description)
{
    if (m_history->historyDay() == today() || m_history->historyScope() != HistoryScope::day)
        startInternal(description);
}

namespace {

// Why nothing open could be stopped or discarded: the step read the books, so
// a load error is this step's own.
std::unexpected<Refusal> nothingOpen(const Tracker& tracker)
{
    return std::unexpected(
        Refusal{tracker.loadError().value_or(QStringLiteral("No timer is running."))});
}

} // namespace

Outcome<Tracker::StopResult> AppModel::stop()
{
    saveCurrentNote();
    const Tracker::StopResult result = m_tracker->stop();
    if (result.kind == Tracker::StopResult::Kind::nothing)
        return nothingOpen(*m_tracker);
    if (const std::optional<StatusMessage> message = stopMessage(result, m_tracker->now()))
        setStatus(message);
    return result;
}

std::optional<StatusMessage> AppModel::stopMessage(const Tracker::StopResult& result,
                                                   const QDateTime& now)
{
    switch (result.kind) {
    case Tracker::StopResult::Kind::logged:
        return StatusMessage::success(QStringLiteral("Logged ") +
                                      Duration::coarseString(result.entry->duration(now)) +
                                      QStringLiteral(" to ") + result.entry->projectName + u'.');
    case Tracker::StopResult::Kind::tooShort:
        return StatusMessage::info(QStringLiteral("Under a minute, so nothing was recorded."));
    case Tracker::StopResult::Kind::nothing:
        break;
    }
    return std::nullopt;
}

std::optional<TimeEntry> AppModel::setRunningNote(const QString& note, bool append)
{
    // A note typed into the panel and not saved yet goes first: this one
    // replaces it or adds to it.
    saveCurrentNote();
    const std::optional<TimeEntry> open = m_tracker->current();
    if (!open)
        return std::nullopt;
    const QString text = note.trimmed();
    const auto noted = [&](const QString& before) {
        if (!append || before.isEmpty())
            return text;
        return text.isEmpty() ? before : before + u'\n' + text;
    };
    if (const std::optional<QString> refusal = InputCheck::refuseNote(noted(open->note))) {
        setStatus(StatusMessage::failure(*refusal));
        return std::nullopt;
    }
    std::optional<TimeEntry> saved;
    changeTrackerAndHistory([&](Tracker& tracker) {
        // Added to the note as the books hold it now, not as this process
        // last read it.
        tracker.changeCurrent(open->id, [&](TimeEntry& entry) {
            entry.note = noted(entry.note);
            saved = entry;
        });
    });
    if (const std::optional<QString>& error = m_tracker->loadError(); error && !saved)
        setStatus(StatusMessage::failure(*error));
    return saved;
}

Tracker::ToggleResult AppModel::toggle()
{
    // The key starts and pauses; stopping closes the entry and stays a
    // deliberate act in the panel.
    saveCurrentNote();
    const std::optional<Project> last = m_tracker->lastProject();
    const Tracker::ToggleResult result =
        m_tracker->toggle(last, m_pendingNote, taskForNextSession());
    switch (result) {
    case Tracker::ToggleResult::started:
        startShared();
        break;
    case Tracker::ToggleResult::paused:
        break;
    case Tracker::ToggleResult::nothing:
        if (!last && !m_tracker->loadError())
            setStatus(StatusMessage::info(QStringLiteral("Pick a project first.")));
        break;
    }
    return result;
}

void AppModel::startArmedProject()
{
    if (m_armedInternal)
        startInternal(*m_armedInternal);
    else if (m_armedProject)
        start(*m_armedProject);
}

Outcome<TimeEntry> AppModel::cancelRecording()
{
    const std::optional<TimeEntry> discarded = m_tracker->discardRunning();
    if (!discarded)
        return nothingOpen(*m_tracker);
    setStatus(StatusMessage::info(QStringLiteral("Discarded the recording on ") +
                                  discarded->projectSerialForDisplay() + u'.'));
    return *discarded;
}

void AppModel::discardIdleTime(const IdleReport& report)
{
    // Added to the pauses the session has, as the books hold it now.
    const bool takenOff = m_tracker->changeCurrent(
        report.entryId, [&](TimeEntry& open) { open.pausedSeconds += report.seconds; });
    setIdleReport(std::nullopt);
    if (takenOff)
        setStatus(StatusMessage::success(QStringLiteral("Took ") +
                                         Duration::coarseString(report.seconds) +
                                         QStringLiteral(" of idle time off the timer.")));
}

void AppModel::setWindowSection(const QString& section)
{
    if (section == m_windowSection)
        return;
    const QList<WindowSection>& sections = windowSections();
    if (std::none_of(sections.cbegin(), sections.cend(),
                     [&](const WindowSection& s) { return s.id == section; }))
        return;
    m_windowSection = section;
    Q_EMIT windowSectionChanged();
}

void AppModel::showWindow(const QString& section)
{
    setWindowSection(section);
    Q_EMIT windowRequested();
}

void AppModel::setIdleReport(const std::optional<IdleReport>& report)
{
    if (m_idleReport == report)
        return;
    m_idleReport = report;
    Q_EMIT idleReportChanged();
}

void AppModel::arm(const Project& project)
{
    setArmed(project, std::nullopt);
}

void AppModel::armInternal(const QString& description)
{
    const QString trimmed = trimmedDescription(description);
    if (!trimmed.isEmpty())
        setArmed(std::nullopt, trimmed);
}

void AppModel::moveArm(int step)
{
    const QList<Project> shown = pickerProjects();
    if (shown.isEmpty())
        return;
    const qsizetype count = shown.size();
    const qsizetype at = m_armedProject ? shown.indexOf(*m_armedProject) : -1;
    if (at < 0) {
        arm(step < 1 ? shown.constLast() : shown.constFirst());
        return;
    }
    const qsizetype next = ((at + step) % count + count) % count;
    arm(shown.at(next));
}

void AppModel::armFirstMatch()
{
    if (trimmedFilter(m_projectFilter).isEmpty())
        return;
    const QList<Project> shown = pickerProjects();
    if (shown.isEmpty())
        setArmed(std::nullopt, m_armedInternal);
    else
        setArmed(shown.constFirst(), std::nullopt);
}

QList<Project> AppModel::recentlyUsedProjects() const
{
    const QList<Project>& projects = m_tracker->projects();
    // By number, the first of each: the recent sessions look their projects
    // up here rather than walking the whole list each.
    QHash<QString, qsizetype> byNumber;
    byNumber.reserve(projects.size());
    for (qsizetype i = 0; i < projects.size(); ++i)
        if (!byNumber.contains(projects.at(i).serial))
            byNumber.insert(projects.at(i).serial, i);
    QList<Project> ordered;
    ordered.reserve(projects.size());
    QSet<QString> taken;
    for (const TimeEntry& entry : m_tracker->recent()) {
        if (entry.isInternal || taken.contains(entry.projectSerial))
            continue;
        taken.insert(entry.projectSerial);
        const auto found = byNumber.constFind(entry.projectSerial);
        if (found != byNumber.constEnd())
            ordered.append(projects.at(*found));
    }
    for (const Project& project : projects) {
        if (!taken.contains(project.serial))
            ordered.append(project);
    }
    return ordered;
}

QList<Project> AppModel::pickerProjects() const
{
    const QStringView filter = trimmedFilter(m_projectFilter);
    QList<Project> shown;
    if (!filter.isEmpty()) {
        for (const Project& project : m_tracker->projects()) {
            if (!project.serial.isEmpty() && project.matches(filter))
                shown.append(project);
        }
        return shown;
    }
    for (const Project& project : recentlyUsedProjects()) {
        if (shown.size() == recentPickerLimit)
            break;
        if (!project.serial.isEmpty())
            shown.append(project);
    }
    return shown;
}

bool AppModel::isShowingRecentProjects() const
{
    if (!trimmedFilter(m_projectFilter).isEmpty())
        return false;
    const qsizetype shown = std::min<qsizetype>(recentPickerLimit, recentlyUsedProjects().size());
    return shown < m_tracker->projects().size();
}

QString AppModel::taskForNextSession() const
{
    if (!m_taskList.isEnabled())
        return {};
    return m_taskList.choices().contains(m_pendingTask) ? m_pendingTask : TaskList::general;
}

int AppModel::sessionsToday() const
{
    const QDate today = m_calendar.day(m_tracker->now());
    const QDateTime from = m_calendar.startOfDay(today);
    const QDateTime to = m_calendar.startOfDay(today.addDays(1));
    return int(std::count_if(
        m_tracker->recent().cbegin(), m_tracker->recent().cend(),
        [&](const TimeEntry& entry) { return entry.startedAt >= from && entry.startedAt < to; }));
}

bool AppModel::runningTooLong() const
{
    const int hours = m_settings->longRunningWarningHours();
    return hours >= 1 && m_tracker->elapsed() > hours * 3600.0;
}

// --- the panel ---

QString AppModel::currentNote() const
{
    const std::optional<TimeEntry>& current = m_tracker->current();
    if (!current)
        return {};
    if (m_noteEntry == current->id)
        return m_noteDraft;
    return current->note;
}

void AppModel::setCurrentNote(const QString& note)
{
    const std::optional<TimeEntry>& current = m_tracker->current();
    if (!current)
        return;
    if (m_noteEntry && *m_noteEntry != current->id)
        saveCurrentNote();
    if (m_noteEntry != current->id && current->note == note)
        return;
    m_noteEntry = current->id;
    m_noteDraft = note;
    m_noteSave = m_clock.after(noteSaveDelay, this, [this] { saveCurrentNote(); });
}

void AppModel::saveCurrentNote()
{
    if (!m_noteEntry)
        return;
    const QUuid entry = *m_noteEntry;
    const QString note = m_noteDraft;
    m_noteEntry.reset();
    m_noteDraft.clear();
    m_noteSave.cancel();
    if (const std::optional<QString> refusal = InputCheck::refuseNote(note)) {
        setStatus(StatusMessage::failure(*refusal));
        return;
    }
    // Nothing when that session is no longer the current one.
    m_tracker->changeCurrent(entry, [&](TimeEntry& open) { open.note = note; });
}

QString AppModel::chosenTask() const
{
    if (const std::optional<TimeEntry>& current = m_tracker->current())
        return current->task;
    return taskForNextSession();
}

void AppModel::chooseTask(const QString& task)
{
    if (!m_taskList.choices().contains(task))
        return;
    const std::optional<TimeEntry>& current = m_tracker->current();
    if (!current) {
        setPendingTask(task);
        return;
    }
    if (current->task != task)
        m_tracker->changeCurrent(current->id, [&](TimeEntry& open) { open.task = task; });
}

void AppModel::startFromPicker()
{
    if (!m_armedInternal && !trimmedFilter(m_projectFilter).isEmpty()) {
        const QList<Project> shown = pickerProjects();
        const bool armedIsShown =
            m_armedProject && std::any_of(shown.cbegin(), shown.cend(), [&](const Project& p) {
                return p.serial == m_armedProject->serial;
            });
        if (!armedIsShown) {
            armFirstMatch();
            return;
        }
    }
    if (!armedIsCurrent())
        startArmedProject();
}

bool AppModel::armedIsCurrent() const
{
    const std::optional<TimeEntry>& current = m_tracker->current();
    if (!current)
        return false;
    if (m_armedInternal)
        return current->isInternal && current->projectName == *m_armedInternal;
    return m_armedProject && !current->isInternal &&
           current->projectSerial == m_armedProject->serial;
}

void AppModel::disarm()
{
    setArmed(std::nullopt, std::nullopt);
}

bool AppModel::clearPicker()
{
    if (m_projectFilter.isEmpty() && !hasArmedWork())
        return false;
    setProjectFilter({});
    disarm();
    return true;
}

} // namespace zol
