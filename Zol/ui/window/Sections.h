#pragma once

#include <QString>
#include <QWidget>

namespace zol {
class AppModel;
}

namespace zol::ui {

// The widget of one main-window section, by its id ("history", …). Each is a
// view of the controller: it holds only what is being typed and which sheet
// is open.
QWidget* makeSection(const QString& id, AppModel& model, QWidget* parent);

// A section that is still to be built says so, rather than showing nothing.
class UnbuiltSection final : public QWidget
{
    Q_OBJECT

public:
    UnbuiltSection(const QString& label, QWidget* parent);
};

} // namespace zol::ui
