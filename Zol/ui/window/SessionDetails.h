#pragma once

#include "records/TimeEntry.h"

#include <QDialog>

class QFormLayout;
class QLabel;

namespace zol {
class AppModel;
}

namespace zol::ui {

// One session's details: when, the time, how long, paused time, the note,
// the task, where it was tracked and whether it went up, with "Edit…" (the
// session editor) and "Delete" (Undo on the status line). It follows the
// session as it runs or is changed elsewhere, and closes once it is gone.
class SessionDetails final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionDetails)

public:
    SessionDetails(AppModel& model, const TimeEntry& entry, QWidget* parent = nullptr);
    ~SessionDetails() override;

    const TimeEntry& entry() const { return m_entry; }

    // Opens the details of `entry` over `parent`; "Edit…" opens the session
    // editor there.
    static SessionDetails* openFor(AppModel& model, const TimeEntry& entry, QWidget* parent);

Q_SIGNALS:
    void editRequested(const zol::TimeEntry& entry);

private:
    void reload();
    void fill();

    AppModel& m_model;
    TimeEntry m_entry;
    QLabel* m_title;
    QLabel* m_client;
    QFormLayout* m_facts;
};

} // namespace zol::ui
