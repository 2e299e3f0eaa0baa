#pragma once

#include <QWidget>

class QButtonGroup;
class QHBoxLayout;

namespace zol::ui {

// A row of joined, mutually exclusive buttons: one choice of a few (a
// period, a grouping, a filter). Arrow keys move between the segments as in
// any button group; the picked one is announced by valueChanged().
class SegmentedPicker final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SegmentedPicker)

public:
    explicit SegmentedPicker(const QString& accessibleName, QWidget* parent = nullptr);
    ~SegmentedPicker() override;

    // A segment that stands for `value`; objectName identifies it in tests.
    void addSegment(const QString& text, int value, const QString& objectName);
    // Checks the segment of `value` without announcing it.
    void setValue(int value);
    int value() const;

Q_SIGNALS:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QHBoxLayout* m_layout;
    QButtonGroup* m_group;
};

} // namespace zol::ui
