#include "common/Accessibility.h"

#include <QAbstractButton>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

namespace zol::ui::Accessibility {

namespace {

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

// Qt names a field's clear button nothing: "Clear" and the field's name.
QString clearButtonName(QAbstractButton* button)
{
    const auto* field = qobject_cast<QLineEdit*>(button->parentWidget());
    if (!field)
        return QStringLiteral("Clear");
    const QString fieldName = field->accessibleName();
    return fieldName.isEmpty() ? QStringLiteral("Clear") : QStringLiteral("Clear ") + fieldName;
}

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (object == qApp)
        return new Application;
    if (!object->isWidgetType())
        return nullptr;
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

void markAsChoice(QAbstractButton* button)
{
    install();
    button->setProperty(choiceProperty, true);
}

void includeAmongWindows(QWidget* popup)
{
    install();
    includedWindows().append(popup);
}

} // namespace zol::ui::Accessibility
