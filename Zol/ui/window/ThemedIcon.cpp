#include "window/ThemedIcon.h"

#include "common/Icons.h"

#include <QAbstractButton>
#include <QEvent>

namespace zol::ui {

namespace {

class IconFollower final : public QObject
{
public:
    IconFollower(QAbstractButton* button, QString name)
        : QObject(button)
        , m_name(std::move(name))
    {
        button->installEventFilter(this);
        button->setIcon(Icons::icon(m_name, button));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A button's palette has caught up by the time it hears of the change.
        if (event->type() == QEvent::PaletteChange) {
            if (auto* button = qobject_cast<QAbstractButton*>(watched))
                button->setIcon(Icons::icon(m_name, button));
        }
        return false;
    }

private:
    QString m_name;
};

} // namespace

void setThemedIcon(QAbstractButton* button, const QString& name)
{
    new IconFollower(button, name);
}

} // namespace zol::ui
