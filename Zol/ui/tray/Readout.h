#pragma once

#include <QFrame>

namespace zol::ui {

// The clock area of the session header: a focus stop of its own (Space and
// Return act from it), drawn with a ring while it has the focus.
class Readout final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Readout)

public:
    explicit Readout(QWidget* parent = nullptr);
    ~Readout() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace zol::ui
