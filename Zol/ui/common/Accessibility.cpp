#include "common/Accessibility.h"

#include <QAbstractButton>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

namespace zol::ui::Accessibility {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::ui::Accessibility)
};

constexpr const char* choiceProperty = "zolChoice";

QList<QPointer<QWidget>>& includedWindows()
{
    static QList<QPointer<QWidget>> windows;
    return windows;
}

// The application with the popups it was asked to keep among its windows.
class Application final : public QAccessibleApplication
{
public:
    int childCount() const override
    {
        return QAccessibleApplication::childCount() + int(shownPopups().size());
    }

    QAccessibleInterface* child(int index) const override
    {
        const int own = QAccessibleApplication::childCount();
        if (index < own)
            return QAccessibleApplication::child(index);
        const QList<QWidget*> popups = shownPopups();
        return index - own < popups.size()
                   ? QAccessible::queryAccessibleInterface(popups.at(index - own))
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const int own = QAccessibleApplication::indexOfChild(child);
        if (own >= 0 || !child)
            return own;
        const qsizetype at = shownPopups().indexOf(qobject_cast<QWidget*>(child->object()));
        return at < 0 ? -1 : QAccessibleApplication::childCount() + int(at);
    }

private:
    static QList<QWidget*> shownPopups()
    {
        QList<QWidget*> shown;
        for (const QPointer<QWidget>& w : std::as_const(includedWindows())) {
            if (w && w->isVisible())
                shown.append(w.data());
        }
        return shown;
    }
};

// A button that can be pressed: its name, its press, and for a choice its
// checked state.
class Button final : public QAccessibleWidget
{
public:
    Button(QAbstractButton* button, QAccessible::Role role, QString fallbackName)
        : QAccessibleWidget(button, role)
        , m_fallbackName(std::move(fallbackName))
    {}

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(object()); }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        QString name = button()->accessibleName();
        if (name.isEmpty())
            name = button()->text();
        if (name.isEmpty())
            name = m_fallbackName;
        name.remove(u'&');
        return name;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (button()->isCheckable()) {
            s.checkable = true;
            s.checked = button()->isChecked();
        }
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && button()->isEnabled())
            button()->click();
    }

private:
    QString m_fallbackName;
};

Items* itemsOf(QWidget* widget)
{
    return dynamic_cast<Items*>(widget);
}

// One painted thing of a widget that is Items.
class Item final : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    Item(QWidget* widget, int item)
        : m_widget(widget)
        , m_item(item)
    {}

    bool isValid() const override
    {
        return m_widget && itemsOf(m_widget) && m_item < itemsOf(m_widget)->itemCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        return m_widget ? m_widget->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override
    {
        return m_widget ? QAccessible::queryAccessibleInterface(m_widget.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? itemsOf(m_widget)->itemName(m_item)
                                                   : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect at = itemsOf(m_widget)->itemRect(m_item);
        return QRect(m_widget->mapToGlobal(at.topLeft()), at.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const Items* items = itemsOf(m_widget);
        s.selectable = true;
        s.focusable = true;
        s.selected = items->currentItem() == m_item;
        s.focused = s.selected && m_widget->hasFocus();
        // Inside a scroll area, what is scrolled away is not showing.
        s.invisible = !m_widget->isVisible() ||
                      !m_widget->visibleRegion().intersects(items->itemRect(m_item));
        s.offscreen = s.invisible;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (isValid()) {
            for (const Items::Action& a : itemsOf(m_widget)->itemActions(m_item))
                names.append(a.name);
        }
        return names;
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override
    {
        if (!isValid())
            return;
        Items* items = itemsOf(m_widget);
        for (const Items::Action& a : items->itemActions(m_item)) {
            if (a.name == name) {
                items->actOn(m_item, a.id);
                return;
            }
        }
    }

    int item() const { return m_item; }
    QWidget* widget() const { return m_widget.data(); }

private:
    QPointer<QWidget> m_widget;
    int m_item;
};

// The widget itself, a list of its items.
class ItemList final : public QAccessibleWidget
{
public:
    explicit ItemList(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::List)
    {}
    ~ItemList() override
    {
        for (const QAccessible::Id id : std::as_const(m_items))
            QAccessible::deleteAccessibleInterface(id);
    }

    Items* items() const { return itemsOf(widget()); }

    // A widget being destroyed is no longer its Items.
    int childCount() const override { return items() ? items()->itemCount() : 0; }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (m_items.size() <= index) {
            m_items.append(
                QAccessible::registerAccessibleInterface(new Item(widget(), int(m_items.size()))));
        }
        return QAccessible::accessibleInterface(m_items.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* item = dynamic_cast<const Item*>(child);
        return item && item->widget() == widget() && item->item() < childCount() ? item->item()
                                                                                 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        if (!items())
            return nullptr;
        const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
        for (int i = childCount() - 1; i >= 0; --i) {
            if (items()->itemRect(i).contains(at))
                return child(i);
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        if (!items())
            return nullptr;
        const int current = items()->currentItem();
        return current >= 0 ? child(current) : nullptr;
    }

private:
    mutable QList<QAccessible::Id> m_items;
};

// Qt names a field's clear button nothing: "Clear" and the field's name.
QString clearButtonName(QAbstractButton* button)
{
    const auto* field = qobject_cast<QLineEdit*>(button->parentWidget());
    if (!field)
        return Texts::tr("Clear");
    const QString fieldName = field->accessibleName();
    return fieldName.isEmpty() ? Texts::tr("Clear") : Texts::tr("Clear %1").arg(fieldName);
}

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (object == qApp)
        return new Application;
    if (!object->isWidgetType())
        return nullptr;
    if (auto* widget = static_cast<QWidget*>(object);
        itemsOf(widget) && className == QLatin1String(widget->metaObject()->className()))
        return new ItemList(widget);
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (!button)
        return nullptr;
    if (button->property(choiceProperty).toBool())
        return new Button(button, QAccessible::RadioButton, QString());
    // The button of an action in a line edit (a search field's clear or its
    // own clear action), without a name of its own.
    if (className == QLatin1String("QLineEditIconButton")) {
        auto* tool = qobject_cast<QToolButton*>(button);
        QString name;
        if (tool && tool->defaultAction()) {
            name = tool->defaultAction()->text();
            if (name.isEmpty())
                name = tool->defaultAction()->toolTip();
        }
        name.remove(u'&');
        return new Button(button, QAccessible::PushButton,
                          name.isEmpty() ? clearButtonName(button) : name);
    }
    return nullptr;
}

} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void focusItem(QWidget* widget, int item)
{
    if (!QAccessible::isActive() || item < 0)
        return;
    QAccessibleEvent focus(widget, QAccessible::Focus);
    focus.setChild(item);
    QAccessible::updateAccessibility(&focus);
}

void markAsChoice(QAbstractButton* button)
{
    install();
    button->setProperty(choiceProperty, true);
}

void includeAmongWindows(QWidget* popup)
{
    install();
    // A panel is made anew for every opening: the closed ones go.
    includedWindows().removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    includedWindows().append(popup);
}

} // namespace zol::ui::Accessibility
