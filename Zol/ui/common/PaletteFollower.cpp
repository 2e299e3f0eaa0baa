#include "common/PaletteFollower.h"

#include "common/Icons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>

namespace zol::ui {

namespace {

// What `widget` has of its parent's palette, whatever it set of its own.
QPalette inherited(const QWidget* widget)
{
    return widget->parentWidget() ? widget->parentWidget()->palette()
                                  : QApplication::palette(widget);
}

// Lives as a child of the widget it serves, so it goes with it.
class Follower final : public QObject
{
public:
    Follower(QWidget* widget, std::function<void()> apply)
        : QObject(widget)
        , m_apply(std::move(apply))
    {
        setObjectName(QStringLiteral("paletteFollower"));
        widget->installEventFilter(this);
    }

    void replace(std::function<void()> apply) { m_apply = std::move(apply); }
    void run()
    {
        m_seen = signature();
        m_apply();
    }

protected:
    // A new application palette reaches a widget as a change of its own
    // palette, handed down from its parent, as does every change made here:
    // only a change of what it inherits runs the work again.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && (event->type() == QEvent::ApplicationPaletteChange ||
                                    event->type() == QEvent::PaletteChange)) {
            if (signature() != m_seen)
                run();
        }
        return false;
    }

private:
    // The colours that tell one palette from another (a palette's cache key
    // does not survive being copied back and forth).
    QList<QRgb> signature() const
    {
        const QPalette palette = inherited(static_cast<QWidget*>(parent()));
        return {palette.color(QPalette::Window).rgba(), palette.color(QPalette::WindowText).rgba(),
                palette.color(QPalette::Base).rgba(), palette.color(QPalette::ButtonText).rgba()};
    }

    std::function<void()> m_apply;
    QList<QRgb> m_seen;
};

} // namespace

QPalette inheritedPalette(const QWidget* widget)
{
    return inherited(widget);
}

void followPalette(QWidget* widget, std::function<void()> apply)
{
    auto* follower =
        widget->findChild<Follower*>(QStringLiteral("paletteFollower"), Qt::FindDirectChildrenOnly);
    if (follower)
        follower->replace(std::move(apply));
    else
        follower = new Follower(widget, std::move(apply));
    follower->run();
}

void tintText(QLabel* label, std::function<QColor(const QPalette&)> colour)
{
    followPalette(label, [label, colour = std::move(colour)] {
        // Only the text's role is the label's own; the rest is still
        // inherited, and so is every later change of the rest.
        QPalette own;
        own.setResolveMask(0);
        own.setColor(QPalette::WindowText, colour(inherited(label)));
        label->setPalette(own);
    });
}

void followIcon(QAbstractButton* button, const QString& icon)
{
    followPalette(button, [button, icon] { button->setIcon(Icons::icon(icon, button)); });
}

void followPixmap(QLabel* label, const QString& icon, int size,
                  std::function<QColor(const QPalette&)> colour)
{
    followPalette(label, [label, icon, size, colour = std::move(colour)] {
        label->setPixmap(
            Icons::pixmap(icon, size, colour(inherited(label)), label->devicePixelRatioF()));
    });
}

} // namespace zol::ui
