#include "PanelModel.h"

#include "InputCheck.h"
#include "OpenBooks.h"
#include "StatusModel.h"
#include "books/AppSettings.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace zol {

namespace {

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

PanelModel::PanelModel(OpenBooks& books, StatusModel& status, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_status(status)
{
    connect(&books, &OpenBooks::closing, this, &PanelModel::reset);
    connect(&books, &OpenBooks::taskListRead, this, [this] {
        if (!m_books.taskList().choices().contains(m_pendingTask))
            setPendingTask(m_books.taskList().defaultTask());
    });
}

QStringView PanelModel::filterAsRead() const
{
    return trimmedFilter(m_projectFilter);
}

void PanelModel::reset()
{
    setPendingNote({});
    setPendingTask({});
    setProjectFilter({});
    setArmed(std::nullopt, std::nullopt);
    setIdleReport(std::nullopt);
}

void PanelModel::startedNext()
{
    setPendingNote({});
    setPendingTask(m_books.taskList().defaultTask());
    setProjectFilter({});
    setArmed(std::nullopt, std::nullopt);
}

void PanelModel::setPendingNote(const QString& note)
{
    if (m_pendingNote == note)
        return;
    m_pendingNote = note;
    Q_EMIT pendingNoteChanged();
}

void PanelModel::setPendingTask(const QString& task)
{
    if (m_pendingTask == task)
        return;
    m_pendingTask = task;
    Q_EMIT pendingTaskChanged();
}

void PanelModel::setProjectFilter(const QString& filter)
{
    if (m_projectFilter == filter)
        return;
    m_projectFilter = filter;
    Q_EMIT projectFilterChanged();
}

void PanelModel::setIdleReport(const std::optional<IdleReport>& report)
{
    if (m_idleReport == report)
        return;
    m_idleReport = report;
    Q_EMIT idleReportChanged();
}

void PanelModel::setArmed(const std::optional<Project>& project,
                          const std::optional<QString>& internal)
{
    if (m_armedProject == project && m_armedInternal == internal)
        return;
    m_armedProject = project;
    m_armedInternal = internal;
    Q_EMIT armedChanged();
}

void PanelModel::arm(const Project& project)
{
    setArmed(project, std::nullopt);
}

void PanelModel::armInternal(const QString& description)
{
    const QString trimmed = description.trimmed();
    if (!trimmed.isEmpty())
        setArmed(std::nullopt, trimmed);
}

void PanelModel::moveArm(int step)
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

void PanelModel::armFirstMatch()
{
    if (filterAsRead().isEmpty())
        return;
    const QList<Project> shown = pickerProjects();
    if (shown.isEmpty())
        setArmed(std::nullopt, m_armedInternal);
    else
        setArmed(shown.constFirst(), std::nullopt);
}

void PanelModel::disarm()
{
    setArmed(std::nullopt, std::nullopt);
}

bool PanelModel::clearPicker()
{
    if (m_projectFilter.isEmpty() && !hasArmedWork())
        return false;
    setProjectFilter({});
    disarm();
    return true;
}

QList<Project> PanelModel::recentlyUsedProjects() const
{
    const Tracker& tracker = *m_books.tracker();
    const QList<Project>& projects = tracker.projects();
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
    for (const TimeEntry& entry : tracker.recent()) {
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

QList<Project> PanelModel::pickerProjects() const
{
    const QStringView filter = filterAsRead();
    QList<Project> shown;
    if (!filter.isEmpty()) {
        for (const Project& project : m_books.tracker()->projects()) {
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

bool PanelModel::isShowingRecentProjects() const
{
    if (!filterAsRead().isEmpty())
        return false;
    const qsizetype shown = std::min<qsizetype>(recentPickerLimit, recentlyUsedProjects().size());
    return shown < m_books.tracker()->projects().size();
}

bool PanelModel::armedIsCurrent() const
{
    const std::optional<TimeEntry>& current = m_books.tracker()->current();
    if (!current)
        return false;
    if (m_armedInternal)
        return current->isInternal && current->projectName == *m_armedInternal;
    return m_armedProject && !current->isInternal &&
           current->projectSerial == m_armedProject->serial;
}

bool PanelModel::returnArmsFirstMatch() const
{
    if (m_armedInternal || filterAsRead().isEmpty())
        return false;
    const QList<Project> shown = pickerProjects();
    return !m_armedProject || std::none_of(shown.cbegin(), shown.cend(), [&](const Project& p) {
        return p.serial == m_armedProject->serial;
    });
}

QString PanelModel::taskForNextSession() const
{
    const TaskList& list = m_books.taskList();
    if (!list.isEnabled())
        return {};
    return list.choices().contains(m_pendingTask) ? m_pendingTask : TaskList::general;
}

QString PanelModel::chosenTask() const
{
    if (const std::optional<TimeEntry>& current = m_books.tracker()->current())
        return current->task;
    return taskForNextSession();
}

int PanelModel::sessionsToday() const
{
    const Tracker& tracker = *m_books.tracker();
    const Calendar& calendar = m_books.calendar();
    const QDate today = calendar.day(tracker.now());
    const QDateTime from = calendar.startOfDay(today);
    const QDateTime to = calendar.startOfDay(today.addDays(1));
    return int(std::count_if(
        tracker.recent().cbegin(), tracker.recent().cend(),
        [&](const TimeEntry& entry) { return entry.startedAt >= from && entry.startedAt < to; }));
}

bool PanelModel::runningTooLong() const
{
    const int hours = m_books.settings()->longRunningWarningHours();
    return hours >= 1 && m_books.tracker()->elapsed() > hours * 3600.0;
}

QString PanelModel::currentNote() const
{
    const std::optional<TimeEntry>& current = m_books.tracker()->current();
    if (!current)
        return {};
    if (m_noteEntry == current->id)
        return m_noteDraft;
    return current->note;
}

void PanelModel::setCurrentNote(const QString& note)
{
    const std::optional<TimeEntry>& current = m_books.tracker()->current();
    if (!current)
        return;
    if (m_noteEntry && *m_noteEntry != current->id)
        saveCurrentNote();
    if (m_noteEntry != current->id && current->note == note)
        return;
    m_noteEntry = current->id;
    m_noteDraft = note;
    m_noteSave = m_books.clock().after(noteSaveDelay, this, [this] { saveCurrentNote(); });
}

void PanelModel::saveCurrentNote()
{
    if (!m_noteEntry)
        return;
    const QUuid entry = *m_noteEntry;
    const QString note = m_noteDraft;
    m_noteEntry.reset();
    m_noteDraft.clear();
    m_noteSave.cancel();
    if (const std::optional<QString> refusal = InputCheck::refuseNote(note)) {
        m_status.fail(*refusal);
        return;
    }
    // Nothing when that session is no longer the current one.
    m_books.tracker()->changeCurrent(entry, [&](TimeEntry& open) { open.note = note; });
}

} // namespace zol
