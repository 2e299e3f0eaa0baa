#pragma once

#include "HistoryModel.h"
#include "SessionEdit.h"
#include "records/TimeEntry.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimeEdit;
class QWidget;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The session editor: date, "From", duration, paused time, note and task,
// and moving the session to another project. Every change is checked at once
// by the controller: a refusal (overlap, end before start, …) is shown in its
// words and keeps Save off; a session already uploaded carries its warning.
// objectNames: "date", "from", "until", "durationHours", "durationMinutes",
// "pausedHours", "pausedMinutes", "note", "task", "moveProject", "moveTo",
// "keepProject", "refusal", "refusalExplanation", "overlaps", "warning", "save".
class SessionEditor final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionEditor)

public:
    SessionEditor(AppModel& model, const TimeEntry& entry, QWidget* parent = nullptr);
    ~SessionEditor() override;

    // The session as the fields now make it, and what saving it would meet.
    TimeEntry edited() const;
    const EditCheck& check() const { return m_check; }

private:
    void recheck();
    void save();
    void showMove(bool moving);
    SessionEdit fields() const;
    // The duration fields were changed: the work is theirs, the end follows.
    void durationEdited();
    // The end was changed: the work is what lies between From and it.
    void untilEdited();
    // Shows the end as From, the work and the pauses make it.
    void showUntil();
    double pausedSeconds() const;

    AppModel& m_model;
    TimeEntry m_original;
    SessionEdit m_start;
    EditCheck m_check;
    bool m_moving = false;
    // Seconds worked as the fields now say.
    double m_worked = 0;

    QDateEdit* m_date;
    QTimeEdit* m_from;
    QTimeEdit* m_until;
    QSpinBox* m_durationHours;
    QSpinBox* m_durationMinutes;
    QSpinBox* m_pausedHours;
    QSpinBox* m_pausedMinutes;
    QLineEdit* m_note;
    QComboBox* m_task;
    QLabel* m_project;
    QPushButton* m_move;
    QComboBox* m_moveTo;
    QPushButton* m_keep;
    QWidget* m_messages;
    QLabel* m_refusal;
    QLabel* m_explanation;
    QLabel* m_overlaps;
    QLabel* m_warning;
    QPushButton* m_save;
};

} // namespace zol::ui
