#pragma once

#include "PersonalFacts.h"
#include "common/Widgets.h"

#include <QMetaObject>

class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

class ConfirmSheet;

// The Personal section: the person's name as the studio sees it, this
// computer's identifier, where timesheets are filed, where the database
// lives (shown in Files on request), what the books hold, and "Export
// everything…". The figures are read when the section is shown and whenever
// the history changes while it is.
// objectNames: "personName", "machineId", "filedUnder", "filedUnderNote",
// "databaseFolder", "revealDatabase", "sessionsTracked", "trackedInTotal",
// "firstTracked", "exportEverything" (actions "exportEverythingCsv",
// "exportEverythingJson"), "lastBackup", "backupNote", "backupProblem"
// (shown only when the latest backup failed), "showBackups",
// "restoreBackup" (one action per backup, "restore-YYYY-MM-DD", each asking
// first in "restoreSheet").
class PersonalSection final : public SectionPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PersonalSection)

public:
    explicit PersonalSection(AppModel& model, QWidget* parent = nullptr);
    ~PersonalSection() override;

    // Reads the facts again.
    void refresh();
    // Asks before putting the books back to the backup at `path`.
    ConfirmSheet* confirmRestore(const PersonalFacts::Restorable& backup);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void followSettings();
    QLabel* value(const QString& name, const QString& accessible);

    AppModel& m_model;
    QLineEdit* m_name;
    QLabel* m_nameRefusal;
    QLabel* m_nameScope;
    QLabel* m_machineId;
    QLabel* m_filedUnder;
    QLabel* m_filedUnderNote;
    QLabel* m_database;
    QPushButton* m_reveal;
    QLabel* m_sessions;
    QLabel* m_total;
    QLabel* m_first;
    QLabel* m_lastBackup;
    QLabel* m_backupNote;
    QLabel* m_backupProblem;
    QPushButton* m_showBackups;
    QToolButton* m_restore;
    QMenu* m_restoreMenu;
    QMetaObject::Connection m_nameFollow;
};

} // namespace zol::ui
