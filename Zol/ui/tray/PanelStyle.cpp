#include "tray/PanelStyle.h"

#include "common/Icons.h"
#include "common/Theme.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QVariant>

#include <optional>

namespace zol::ui::PanelStyle {

namespace {

const char* const toneKey = "zolTone";
const char* const iconKey = "zolIcon";
const char* const pictureSizeKey = "zolPictureSize";

QColor colourOf(Tone tone, const QPalette& palette)
{
    switch (tone) {
    case Tone::secondary:
        return Theme::secondaryText(palette);
    case Tone::success:
        return Theme::success(palette);
    case Tone::failure:
        return Theme::failure(palette);
    case Tone::warning:
        return Theme::warning(palette);
    case Tone::accent:
        return Theme::accent(palette);
    case Tone::hairline: {
        QColor line = palette.color(QPalette::WindowText);
        line.setAlphaF(Theme::isDark(palette) ? 0.16 : 0.12);
        return line;
    }
    }
    return palette.color(QPalette::WindowText);
}

// The palette `widget` would have without colours of its own: its parent's.
QPalette inherited(const QWidget* widget)
{
    return widget->parentWidget() ? widget->parentWidget()->palette() : widget->palette();
}

QIcon iconIn(const QString& name, const QColor& normal, const QColor& disabled, qreal ratio)
{
    QIcon icon;
    for (const int size : {16, 18, 20, 24, 32}) {
        icon.addPixmap(Icons::pixmap(name, size, normal, ratio), QIcon::Normal);
        icon.addPixmap(Icons::pixmap(name, size, disabled, ratio), QIcon::Disabled);
    }
    return icon;
}

// Draws `widget` from `base`, the palette of the panel it is in: while a
// palette change travels down the panel, a child's own palette may still be
// the old one.
void draw(QWidget* widget, const QPalette& base)
{
    const QVariant tone = widget->property(toneKey);
    std::optional<QColor> toned;
    if (tone.isValid()) {
        toned = colourOf(Tone(tone.toInt()), base);
        QPalette palette = widget->palette();
        if (Tone(tone.toInt()) == Tone::hairline) {
            palette.setColor(QPalette::Window, *toned);
        } else {
            palette.setColor(QPalette::WindowText, *toned);
            palette.setColor(QPalette::ButtonText, *toned);
            palette.setColor(QPalette::Text, *toned);
        }
        widget->setPalette(palette);
    }
    const QString icon = widget->property(iconKey).toString();
    if (icon.isEmpty())
        return;
    const qreal ratio = widget->devicePixelRatioF();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setIcon(iconIn(icon, toned.value_or(base.color(QPalette::ButtonText)),
                               base.color(QPalette::Disabled, QPalette::ButtonText), ratio));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        const int size = label->property(pictureSizeKey).toInt();
        label->setPixmap(
            Icons::pixmap(icon, size, toned.value_or(base.color(QPalette::WindowText)), ratio));
    }
}

} // namespace

void setTone(QWidget* widget, Tone tone)
{
    widget->setProperty(toneKey, int(tone));
    draw(widget, inherited(widget));
}

void setIcon(QAbstractButton* button, const QString& name)
{
    button->setProperty(iconKey, name);
    draw(button, inherited(button));
}

void setPicture(QLabel* label, const QString& name, int size)
{
    label->setProperty(iconKey, name);
    label->setProperty(pictureSizeKey, size);
    label->setFixedSize(size, size);
    draw(label, inherited(label));
}

void reapply(QWidget* root)
{
    const QPalette base = root->palette();
    const QList<QWidget*> children = root->findChildren<QWidget*>();
    for (QWidget* child : children)
        draw(child, base);
}

QString literal(const QString& text)
{
    QString shown = text;
    return shown.replace(u'&', QStringLiteral("&&"));
}

QFrame* hairline(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    setTone(line, Tone::hairline);
    return line;
}

QFont clockFont(const QFont& base, qreal scale)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(base.pointSizeF() * scale);
    font.setWeight(QFont::DemiBold);
    return font;
}

QFont scaled(const QFont& base, qreal scale, bool bold)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * scale);
    font.setBold(bold);
    return font;
}

} // namespace zol::ui::PanelStyle
