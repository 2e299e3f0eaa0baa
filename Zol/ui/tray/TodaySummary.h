#pragma once

#include <QWidget>

class QLabel;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The header when nothing is tracked or armed: how the day is going, as a
// picture and a phrase chosen by today's total, then the total and the
// number of sessions today.
class TodaySummary final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TodaySummary)

public:
    explicit TodaySummary(AppModel& model, QWidget* parent = nullptr);
    ~TodaySummary() override;

    void refresh();

private:
    AppModel& m_model;
    QLabel* m_picture;
    QLabel* m_phrase;
    QLabel* m_total;
    QLabel* m_sessions;
};

} // namespace zol::ui
