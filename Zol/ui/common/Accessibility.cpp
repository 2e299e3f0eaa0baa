#include "common/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
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

// One row of a list with row actions.
class Row final : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    Row(QAbstractItemView* view, int row)
        : m_view(view)
        , m_row(row)
    {}

    bool isValid() const override
    {
        return m_view && m_view->model() && m_row < m_view->model()->rowCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Description))
            return {};
        const QModelIndex index = m_view->model()->index(m_row, 0);
        if (t == QAccessible::Description)
            return index.data(Qt::AccessibleDescriptionRole).toString();
        const QString spoken = index.data(Qt::AccessibleTextRole).toString();
        return spoken.isEmpty() ? index.data(Qt::DisplayRole).toString() : spoken;
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect at = m_view->visualRect(m_view->model()->index(m_row, 0));
        return QRect(m_view->viewport()->mapToGlobal(at.topLeft()), at.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const QModelIndex index = m_view->model()->index(m_row, 0);
        s.selectable = true;
        s.focusable = true;
        s.selected = m_view->selectionModel() && m_view->selectionModel()->isSelected(index);
        s.focused = m_view->hasFocus() && m_view->currentIndex() == index;
        const QRect shown = m_view->visualRect(index);
        s.invisible = !m_view->isVisible() || !m_view->viewport()->rect().intersects(shown);
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
        if (const RowActions* rows = actions()) {
            for (const RowActions::Action& a : rows->rowActions(m_row))
                names.append(a.name);
        }
        return names;
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override
    {
        RowActions* rows = actions();
        if (!rows || !isValid())
            return;
        for (const RowActions::Action& a : rows->rowActions(m_row)) {
            if (a.name == name) {
                rows->act(m_row, a.id);
                return;
            }
        }
    }

    int row() const { return m_row; }

private:
    RowActions* actions() const { return dynamic_cast<RowActions*>(m_view.data()); }

    QPointer<QAbstractItemView> m_view;
    int m_row;
};

// The list itself: its rows, each with its actions.
class ActionList final : public QAccessibleWidget
{
public:
    explicit ActionList(QAbstractItemView* view)
        : QAccessibleWidget(view, QAccessible::List)
    {}
    ~ActionList() override
    {
        for (const QAccessible::Id id : std::as_const(m_rows))
            QAccessible::deleteAccessibleInterface(id);
    }

    QAbstractItemView* view() const { return static_cast<QAbstractItemView*>(object()); }

    int childCount() const override { return view()->model() ? view()->model()->rowCount() : 0; }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (m_rows.size() <= index) {
            m_rows.append(
                QAccessible::registerAccessibleInterface(new Row(view(), int(m_rows.size()))));
        }
        return QAccessible::accessibleInterface(m_rows.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* row = dynamic_cast<const Row*>(child);
        return row && row->row() < childCount() ? row->row() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? child(index.row()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        const QModelIndex current = view()->currentIndex();
        return current.isValid() ? child(current.row()) : nullptr;
    }

private:
    mutable QList<QAccessible::Id> m_rows;
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
    if (auto* view = qobject_cast<QAbstractItemView*>(object);
        view && dynamic_cast<RowActions*>(view) &&
        className == QLatin1String(view->metaObject()->className()))
        return new ActionList(view);
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
