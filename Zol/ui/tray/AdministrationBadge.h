#pragma once

#include <QToolButton>

class QMenu;

namespace zol {
class AppModel;
}

namespace zol::ui {

// "Administration: " and the open books, with a menu of every set of books
// (the open one checked) to switch to, and "Manage administrations…". The
// menu pops up on a click, Return or Space; the chevron after the words says
// it is there.
class AdministrationBadge final : public QToolButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdministrationBadge)

public:
    explicit AdministrationBadge(AppModel& model, QWidget* parent = nullptr);
    ~AdministrationBadge() override;

    void refresh();

    QMenu* administrations() const { return m_menu; }

private:
    AppModel& m_model;
    QMenu* m_menu = nullptr;
};

} // namespace zol::ui
