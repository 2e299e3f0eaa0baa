#include "common/Theme.h"

#include "common/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>
#include <memory>

namespace zol::ui::Theme {

namespace {

QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x26, 0x27, 0x2b);
    const QColor base(0x1d, 0x1e, 0x21);
    const QColor text(0xec, 0xec, 0xee);
    const QColor disabled(0x7b, 0x7d, 0x84);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(0x2c, 0x2d, 0x32));
    p.setColor(QPalette::ToolTipBase, QColor(0x33, 0x34, 0x39));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x33, 0x34, 0x3a));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Light, QColor(0x44, 0x45, 0x4b));
    p.setColor(QPalette::Midlight, QColor(0x3a, 0x3b, 0x41));
    p.setColor(QPalette::Mid, QColor(0x2f, 0x30, 0x35));
    p.setColor(QPalette::Dark, QColor(0x16, 0x17, 0x19));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x3b, 0x78, 0xe7));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x6e, 0xa8, 0xfe));
    p.setColor(QPalette::LinkVisited, QColor(0xa3, 0x8b, 0xfa));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    return p;
}

QPalette lightPalette()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p = fusion->standardPalette();
    p.setColor(QPalette::Highlight, QColor(0x2f, 0x6f, 0xeb));
    return p;
}

// Fusion outlines check boxes and radio buttons in a shade darker than the
// window, which vanishes on a dark card: on a dark palette the outline is
// drawn again in a light ink.
class ZolStyle final : public QProxyStyle
{
public:
    ZolStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const bool box = element == PE_IndicatorCheckBox;
        if ((!box && element != PE_IndicatorRadioButton) || !isDark(option->palette))
            return;
        QColor ink = option->palette.color(QPalette::WindowText);
        ink.setAlphaF(option->state & State_Enabled ? 0.45 : 0.2);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(QPen(ink, 1));
        painter->setBrush(Qt::NoBrush);
        const QRectF frame = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        if (box)
            painter->drawRoundedRect(frame, 1.5, 1.5);
        else
            painter->drawEllipse(frame.adjusted(0.5, 0.5, -0.5, -0.5));
        painter->restore();
    }

    // A button whose menu opens on a click gets its arrow in the corner,
    // over the end of its words; room is made for it beside them.
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        QSize made = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_ToolButton) {
            const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
            if (button && (button->features & QStyleOptionToolButton::HasMenu) &&
                !(button->features & QStyleOptionToolButton::MenuButtonPopup) &&
                button->toolButtonStyle != Qt::ToolButtonIconOnly)
                made.rwidth() += 2 * pixelMetric(PM_MenuButtonIndicator, option, widget) / 3;
        }
        return made;
    }

    // A text field's clear button in our own drawing. Fusion looks the cross
    // up in the desktop's icon theme, which loads every image format plugin
    // and keeps the theme's index in memory for one small picture.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override
    {
        if (icon != SP_LineEditClearButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        if (widget != nullptr)
            return Icons::icon(QStringLiteral("clear"), widget);
        const QPalette& palette = option ? option->palette : QApplication::palette();
        return Icons::icon(QStringLiteral("clear"), palette.color(QPalette::ButtonText));
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
        if (control != CC_ToolButton || !button ||
            !(button->features & QStyleOptionToolButton::HasMenu) ||
            (button->features & QStyleOptionToolButton::MenuButtonPopup) ||
            button->toolButtonStyle == Qt::ToolButtonIconOnly) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        // The frame over the whole button, the words and icon in the part
        // left of the arrow, and the arrow in the middle of its own part:
        // Fusion puts it in the bottom corner, on the frame's rounding.
        const int room = 2 * pixelMetric(PM_MenuButtonIndicator, option, widget) / 3;
        QStyleOptionToolButton frame = *button;
        frame.text.clear();
        frame.icon = QIcon();
        frame.features &= ~QStyleOptionToolButton::HasMenu;
        QProxyStyle::drawComplexControl(control, &frame, painter, widget);
        QStyleOptionToolButton label = *button;
        label.rect.setRight(label.rect.right() - room);
        drawControl(CE_ToolButtonLabel, &label, painter, widget);
        QStyleOption arrow = *button;
        const int side = std::max(6, room - 4);
        // In the middle of the room kept for it, clear of the words.
        arrow.rect = QRect(button->rect.right() - room + (room - side) / 2,
                           button->rect.center().y() - side / 2 + 1, side, side);
        drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
    }

    // Standard buttons in dialogs carry words only: with icons, the
    // desktop's theme gives Cancel alone a red one beside icon-less
    // Save and Delete buttons.
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

QStyle* style()
{
    return new ZolStyle;
}

QPalette palette(Scheme scheme)
{
    return scheme == Scheme::dark ? darkPalette() : lightPalette();
}

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

Scheme desktopScheme(const QPalette& palette, Appearance::Scheme preferred)
{
    const QByteArray forced = qgetenv("ZOL_COLOR_SCHEME");
    if (forced == "dark")
        return Scheme::dark;
    if (forced == "light")
        return Scheme::light;
    switch (preferred) {
    case Appearance::Scheme::dark:
        return Scheme::dark;
    case Appearance::Scheme::light:
        return Scheme::light;
    case Appearance::Scheme::noPreference:
        break;
    }
    return isDark(palette) ? Scheme::dark : Scheme::light;
}

void apply(QApplication& application, Appearance::Scheme preferred)
{
    // The style and palette of the desktop's own, as they were before any of
    // ours replaced them, and whether ours are in place.
    static const QPalette own = QApplication::palette();
    static const QString ownStyle = application.style()->name();
    static bool ourStyle = false;
    static bool ourPalette = false;
    const auto useOurStyle = [&application] {
        if (!ourStyle)
            application.setStyle(style());
        ourStyle = true;
    };
    const Scheme wanted = desktopScheme(own, preferred);
    if ((wanted == Scheme::dark) == isDark(own) && qEnvironmentVariableIsEmpty("ZOL_COLOR_SCHEME")) {
        // The desktop's own style draws as the desktop wants; plain Fusion
        // (a desktop without a Qt style) gets our corrections of it.
        if (ownStyle.compare(u"fusion", Qt::CaseInsensitive) == 0) {
            useOurStyle();
        } else if (ourStyle) {
            application.setStyle(ownStyle);
            ourStyle = false;
        }
        if (ourPalette)
            QApplication::setPalette(own);
        ourPalette = false;
        return;
    }
    useOurStyle();
    QApplication::setPalette(wanted == Scheme::dark ? darkPalette() : lightPalette());
    ourPalette = true;
}

QColor secondaryText(const QPalette& palette)
{
    QColor c = palette.color(QPalette::WindowText);
    c.setAlphaF(isDark(palette) ? 0.62 : 0.58);
    return c;
}

QColor accent(const QPalette& palette)
{
    return isDark(palette) ? QColor(0x6e, 0xa8, 0xfe) : QColor(0x2f, 0x6f, 0xeb);
}

QColor success(const QPalette& palette)
{
    return isDark(palette) ? QColor(0x4c, 0xc3, 0x8a) : QColor(0x1f, 0x8a, 0x55);
}

QColor failure(const QPalette& palette)
{
    return isDark(palette) ? QColor(0xff, 0x6b, 0x6b) : QColor(0xcd, 0x2b, 0x31);
}

QColor warning(const QPalette& palette)
{
    return isDark(palette) ? QColor(0xf5, 0xb8, 0x4f) : QColor(0xa3, 0x5c, 0x00);
}

QColor card(const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Window);
    return isDark(palette) ? window.lighter(118) : window.darker(104);
}

} // namespace zol::ui::Theme
