#pragma once

#include <QWidget>

class QToolButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The bottom of the panel: the studio folder's connection badge, "History",
// "Settings" and "Quit Zol". The first three open the main window on their
// section.
class PanelFooter final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelFooter)

public:
    explicit PanelFooter(AppModel& model, QWidget* parent = nullptr);
    ~PanelFooter() override;

    void refresh();
    QList<QWidget*> controls() const;

Q_SIGNALS:
    void quitRequested();

private:
    QToolButton* button(const QString& objectName, const QString& text, const QString& icon);

    AppModel& m_model;
    QToolButton* m_connection;
    QToolButton* m_history;
    QToolButton* m_settings;
    QToolButton* m_quit;
};

} // namespace zol::ui
