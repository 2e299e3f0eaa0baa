#pragma once

#include "IdleReport.h"
#include "records/Project.h"
#include "support/Clock.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace zol {

class OpenBooks;
class StatusModel;

// What the tray's panel holds while the person uses it: the note and task
// typed for the next session, the picker's filter and the work armed in it,
// the note typed for the current session while its save waits, and the
// away-time question. None of it is stored; it goes when other books open.
class PanelModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelModel)

public:
    // How long typing in the note field may pause before the note is saved.
    static constexpr double noteSaveDelay = 1.0;

    PanelModel(OpenBooks& books, StatusModel& status, QObject* parent = nullptr);

    const OpenBooks& books() const { return m_books; }

    const QString& pendingNote() const { return m_pendingNote; }
    const QString& pendingTask() const { return m_pendingTask; }
    const QString& projectFilter() const { return m_projectFilter; }
    // The filter as the picker reads it: spaces (not line breaks) off both
    // ends.
    QStringView filterAsRead() const;
    const std::optional<Project>& armedProject() const { return m_armedProject; }
    const std::optional<QString>& armedInternal() const { return m_armedInternal; }
    const std::optional<IdleReport>& idleReport() const { return m_idleReport; }
    void setPendingNote(const QString& note);
    void setPendingTask(const QString& task);
    void setProjectFilter(const QString& filter);
    // Where the idle monitor leaves its report; "Keep it" clears it.
    void setIdleReport(const std::optional<IdleReport>& report);

    // --- the picker ---
    void arm(const Project& project);
    // Internal work; a blank description arms nothing.
    void armInternal(const QString& description);
    // Moves the armed project through pickerProjects(), wrapping at the ends.
    void moveArm(int step);
    // Return in the filter: arms the first match.
    void armFirstMatch();
    // "Clear": nothing armed.
    void disarm();
    // Escape in the picker: clears the filter and the armed selection.
    // Returns false when both were clear already.
    bool clearPicker();
    // Projects matching the filter, or the ten most recently used.
    QList<Project> pickerProjects() const;
    // Projects by last use, then all the others.
    QList<Project> recentlyUsedProjects() const;
    bool isShowingRecentProjects() const;
    bool hasArmedWork() const { return m_armedProject || m_armedInternal; }
    // Whether the armed work is what the current session is on already, so
    // that starting it would only start it over.
    bool armedIsCurrent() const;
    // With a filter typed and the armed project not among its matches (or
    // nothing armed), Return arms the first match rather than starting.
    bool returnArmsFirstMatch() const;

    // The task a start records: none when tasks are off, the pending one when
    // it is on the list, else "General".
    QString taskForNextSession() const;
    // The task the panel's picker shows: the current session's while one is
    // current, else the next session's.
    QString chosenTask() const;
    // Sessions that started today.
    int sessionsToday() const;
    // The running session is past the "Flag a timer running longer than" hours.
    bool runningTooLong() const;
    // A session was started: what was typed for it is used up.
    void startedNext();

    // --- the current session's note ---
    // The current session's note as the panel shows it: the text typed into
    // the note field while its save waits, else the stored note. Empty without
    // a current session.
    QString currentNote() const;
    // The note field of the current session. The text is kept here and saved
    // once typing has paused for noteSaveDelay seconds, so a word typed is
    // not a write per key; a command that ends or replaces the session saves
    // it first. A note InputCheck refuses is not saved; the status line says
    // why.
    void setCurrentNote(const QString& note);
    // Saves a note still waiting for its save, now. A note typed for a session
    // that has since ended is dropped.
    void saveCurrentNote();

Q_SIGNALS:
    void pendingNoteChanged();
    void pendingTaskChanged();
    void projectFilterChanged();
    void armedChanged();
    void idleReportChanged();

private:
    void setArmed(const std::optional<Project>& project, const std::optional<QString>& internal);
    void reset();

    OpenBooks& m_books;
    StatusModel& m_status;
    QString m_pendingNote;
    QString m_pendingTask;
    QString m_projectFilter;
    std::optional<Project> m_armedProject;
    std::optional<QString> m_armedInternal;
    std::optional<IdleReport> m_idleReport;
    // The note typed for the session `m_noteEntry` while its save waits.
    std::optional<QUuid> m_noteEntry;
    QString m_noteDraft;
    Clock::Timer m_noteSave;
};

} // namespace zol
