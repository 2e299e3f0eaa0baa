#pragma once

#include "records/Project.h"

#include <QAbstractListModel>
#include <QList>

namespace zol {
class AppModel;
}

namespace zol::ui {

// The picker's rows over the controller's pickerProjects(): the list as the
// controller last gave it, and marks read from the controller when drawn.
class ProjectListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProjectListModel)

public:
    enum Role {
        ProjectRole = Qt::UserRole + 1, // zol::Project
        NumberRole,                     // the chip's text
        ClientRole,
        ColourRole,  // the chip's QColor
        MarkRole,    // Mark
        EditingRole, // bool: the row holds the inline editor
    };
    // How a row is marked: the running session's project, the armed one, any
    // other.
    enum class Mark { other, armed, running };

    explicit ProjectListModel(AppModel& model, QObject* parent = nullptr);
    ~ProjectListModel() override;

    // Reads pickerProjects() again: a different list resets the rows, the
    // same one only redraws their marks.
    void refresh();
    // The marks changed (armed or running project), not the list.
    void refreshMarks();
    // The row whose project has this number; -1 when none.
    int rowOf(const QString& serial) const;
    const QList<Project>& projects() const { return m_projects; }
    // The widest chip text of the rows, for one column of chips.
    const QString& widestNumber() const { return m_widestNumber; }
    // The project whose row holds the inline editor; empty for none.
    void setEditing(const QString& serial);
    const QString& editing() const { return m_editing; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    Mark markOf(const Project& project) const;

    AppModel& m_model;
    QList<Project> m_projects;
    QString m_widestNumber;
    QString m_editing;
};

} // namespace zol::ui

Q_DECLARE_METATYPE(zol::ui::ProjectListModel::Mark)
