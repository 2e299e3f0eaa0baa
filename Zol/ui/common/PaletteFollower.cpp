#include "common/PaletteFollower.h"

#include "common/Icons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>

namespace zol::ui {

namespace {

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
        m_seen = QApplication::palette(qobject_cast<QWidget*>(parent())).cacheKey();
        m_apply();
    }

protected:
    // A widget with a palette of its own hears of the application's new one
    // as a change of its own palette, as does every change made here: only a
    // new application palette runs the work again.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && (event->type() == QEvent::ApplicationPaletteChange ||
                                    event->type() == QEvent::PaletteChange)) {
            if (QApplication::palette(qobject_cast<QWidget*>(parent())).cacheKey() != m_seen)
                run();
        }
        return false;
    }

private:
    std::function<void()> m_apply;
    qint64 m_seen = 0;
};

} // namespace

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
        QPalette palette = QApplication::palette(label);
        palette.setColor(QPalette::WindowText, colour(palette));
        label->setPalette(palette);
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
        label->setPixmap(Icons::pixmap(icon, size, colour(QApplication::palette(label)),
                                       label->devicePixelRatioF()));
    });
}

} // namespace zol::ui
