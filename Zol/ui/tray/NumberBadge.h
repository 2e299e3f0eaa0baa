#pragma once

#include "records/ProjectColour.h"

#include <QColor>
#include <QWidget>

class QPainter;

namespace zol::ui {

// A project's number on a rounded chip in the project's colour, the way the
// panel shows it in its header and on every row of the picker. Internal work
// and a project without a number have chips of their own words.
class NumberBadge final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NumberBadge)

public:
    explicit NumberBadge(QWidget* parent = nullptr);
    ~NumberBadge() override;

    void setBadge(const QString& text, const ProjectColour& colour);
    const QString& text() const { return m_text; }
    QSize sizeHint() const override;

    // The chip's fill for a project colour.
    static QColor fill(const ProjectColour& colour);
    // Text colour that reads on `fill`: white on the darker fills, near-black
    // on the lighter ones.
    static QColor ink(const QColor& fill);
    // The chip's size for `text` in `font`; `minimumWidth` keeps a column of
    // chips aligned.
    static QSize chipSize(const QString& text, const QFont& font, int minimumWidth = 0);
    // Draws the chip centred vertically in `area`, left-aligned, and returns
    // its rectangle.
    static QRectF paint(QPainter& painter, const QRectF& area, const QString& text,
                        const QColor& fill, const QFont& font, int minimumWidth = 0);
    // The smaller, semibold font chips are written in.
    static QFont font(const QFont& base);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    ProjectColour m_colour;
};

} // namespace zol::ui
