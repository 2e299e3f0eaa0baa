#pragma once

#include <QWidget>

namespace zol {
class SharingModel;
}

namespace zol::ui {

// The studio folder's connection as the panel shows it: the sharing
// section's Connection title beside a mark in its colour (reachable,
// unreachable, on this computer only).
class ConnectionBadge final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectionBadge)

public:
    explicit ConnectionBadge(SharingModel& sharing, QWidget* parent = nullptr);
    ~ConnectionBadge() override;

    QString text() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour() const;

    SharingModel& m_sharing;
};

} // namespace zol::ui
