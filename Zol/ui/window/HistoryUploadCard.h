#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The upload control of the week or month the history shows: its caption,
// what the button does and what is in its way, the button, and "Show
// uploaded file" once the period's file is on the share. An upload runs off
// the UI thread; meanwhile the button is off and a busy bar runs.
// objectNames: "uploadCaption", "uploadHelp", "uploadButton", "showUploadedFile",
// "uploadBusy".
class HistoryUploadCard final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryUploadCard)

public:
    explicit HistoryUploadCard(AppModel& model, QWidget* parent = nullptr);
    ~HistoryUploadCard() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void follow();

    AppModel& m_model;
    QLabel* m_icon;
    QLabel* m_caption;
    QLabel* m_help;
    QPushButton* m_reveal;
    QProgressBar* m_busy;
    QPushButton* m_send;
};

} // namespace zol::ui
