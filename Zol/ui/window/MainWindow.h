#pragma once

#include <QMainWindow>

class QListWidget;
class QMenu;
class QStackedWidget;
class QToolButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The main window: the ten sections in a sidebar, the open administration's
// switcher in the toolbar. The controller's windowSection() says which
// section shows; picking one in the sidebar sets it. Closing the window hides
// it (the tray app goes on); it opens again where it last was, at the size it
// last had.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(AppModel& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window on the controller's section and brings it to the front.
    // The first time, without a size from an earlier run, it opens at its
    // default size, or smaller on a screen that cannot hold it, centred in
    // the screen's free area.
    void present();
    // The default size, fitted to `area` (a screen less its panels): at most
    // nine tenths of it each way, so that the window's frame fits too, and
    // never below `minimum` unless the area itself is smaller.
    static QSize fittedSize(QSize minimum, const QRect& area);
    static constexpr QSize defaultSize{1200, 800};
    // The widget of a section; made on first use.
    QWidget* section(const QString& id);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showSection();
    void rebuildSwitcher();
    void saveGeometryNow();

    AppModel& m_model;
    QListWidget* m_sidebar;
    QStackedWidget* m_stack;
    QToolButton* m_switcher;
    QMenu* m_switcherMenu = nullptr;
    QHash<QString, QWidget*> m_sections;
    bool m_geometryRestored = false;
};

} // namespace zol::ui
