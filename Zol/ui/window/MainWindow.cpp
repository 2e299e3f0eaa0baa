#include "window/MainWindow.h"

#include "AppModel.h"
#include "WindowSection.h"
#include "books/SettingsStore.h"
#include "common/Icons.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"
#include "window/Sections.h"
#include "window/StatusStrip.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>

namespace zol::ui {

namespace {

const QString geometryKey = QStringLiteral("ui.mainWindowGeometry");

// The picture beside each section in the sidebar.
QString pictureOf(const QString& section)
{
    static const QHash<QString, QString> pictures{
        {QStringLiteral("history"), QStringLiteral("list")},
        {QStringLiteral("search"), QStringLiteral("search")},
        {QStringLiteral("reports"), QStringLiteral("section-chart")},
        {QStringLiteral("personal"), QStringLiteral("section-person")},
        {QStringLiteral("projects"), QStringLiteral("folder")},
        {QStringLiteral("tasks"), QStringLiteral("section-checklist")},
        {QStringLiteral("studio"), QStringLiteral("network")},
        {QStringLiteral("general"), QStringLiteral("gear")},
        {QStringLiteral("administrations"), QStringLiteral("section-books")},
        {QStringLiteral("deleted"), QStringLiteral("trash")},
    };
    return pictures.value(section);
}

// A sidebar row: the section's picture and label, inset, the selected one on a
// rounded patch of the highlight colour. Drawn from the palette each time, so
// it follows a change between light and dark.
class SidebarDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        Q_UNUSED(index);
        return {option.rect.width(), option.fontMetrics.height() + 16};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QPalette& palette = option.palette;
        const bool selected = option.state & QStyle::State_Selected;
        const bool focused = option.state & QStyle::State_HasFocus;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QRectF patch = QRectF(option.rect).adjusted(8, 1, -8, -1);
        if (selected) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(palette.color(QPalette::Highlight));
            painter->drawRoundedRect(patch, 6, 6);
        } else if (option.state & QStyle::State_MouseOver) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(Theme::card(palette));
            painter->drawRoundedRect(patch, 6, 6);
        }
        if (focused && !selected) {
            painter->setPen(QPen(palette.color(QPalette::Highlight), 1.5));
            painter->setBrush(Qt::NoBrush);
            painter->drawRoundedRect(patch, 6, 6);
        }
        const QColor ink = selected ? palette.color(QPalette::HighlightedText)
                                    : palette.color(QPalette::WindowText);
        const int icon = 18;
        const QString picture = pictureOf(index.data(Qt::UserRole).toString());
        const int left = int(patch.left()) + 10;
        if (!picture.isEmpty())
            painter->drawPixmap(
                left, option.rect.center().y() - icon / 2,
                Icons::pixmap(picture, icon, ink, painter->device()->devicePixelRatioF()));
        painter->setPen(ink);
        painter->setFont(option.font);
        painter->drawText(
            QRect(left + icon + 10, option.rect.top(), option.rect.width(), option.rect.height()),
            Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

} // namespace

MainWindow::MainWindow(AppModel& model, QWidget* parent)
    : QMainWindow(parent)
    , m_model(model)
    , m_sidebar(new QListWidget(this))
    , m_stack(new QStackedWidget(this))
    , m_switcher(new QToolButton(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Zol"));
    resize(defaultSize);

    m_sidebar->setObjectName(QStringLiteral("sidebar"));
    m_sidebar->setAccessibleName(tr("Sections"));
    m_sidebar->setFrameShape(QFrame::NoFrame);
    m_sidebar->setFixedWidth(200);
    m_sidebar->setSpacing(1);
    m_sidebar->setItemDelegate(new SidebarDelegate(m_sidebar));
    m_sidebar->setMouseTracking(true);
    m_sidebar->viewport()->setAutoFillBackground(false);
    m_sidebar->setAutoFillBackground(false);
    for (const WindowSection& s : windowSections()) {
        auto* item = new QListWidgetItem(s.label, m_sidebar);
        item->setData(Qt::UserRole, s.id);
    }
    connect(m_sidebar, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < windowSections().size())
            m_model.setWindowSection(windowSections().at(row).id);
    });
    // A screen reader picks a row by selecting it, which leaves the current
    // row where it was.
    connect(m_sidebar, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> picked = m_sidebar->selectedItems();
        if (picked.size() == 1 && m_sidebar->row(picked.first()) != m_sidebar->currentRow())
            m_sidebar->setCurrentItem(picked.first());
    });

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_sidebar);
    // The status line under the sections: what an operation said, with Undo.
    auto* column = new QVBoxLayout();
    column->setSpacing(0);
    column->addWidget(m_stack, 1);
    column->addWidget(new StatusStrip(m_model, central));
    layout->addLayout(column, 1);
    setCentralWidget(central);

    QToolBar* toolbar = addToolBar(tr("Administration"));
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    m_switcher->setObjectName(QStringLiteral("administrationSwitcher"));
    m_switcher->setToolTip(tr("Which set of books every screen is showing"));
    m_switcher->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_switcher->setAutoRaise(true);
    // The chevron after the words says there is a menu; the button's own
    // menu arrow would sit on top of the last letter.
    m_switcher->setLayoutDirection(Qt::RightToLeft);
    followIcon(m_switcher, QStringLiteral("chevron-updown"));
    connect(m_switcher, &QToolButton::clicked, this, [this] {
        if (m_switcherMenu)
            m_switcherMenu->popup(m_switcher->mapToGlobal(QPoint(0, m_switcher->height())));
    });
    toolbar->addWidget(m_switcher);

    connect(&m_model, &AppModel::windowSectionChanged, this, &MainWindow::showSection);
    connect(&m_model.books(), &OpenBooks::administrationsChanged, this,
            &MainWindow::rebuildSwitcher);
    connect(&m_model.books(), &OpenBooks::administrationChanged, this,
            &MainWindow::rebuildSwitcher);
    rebuildSwitcher();
    showSection();

    // Ctrl+W, as in every window of the desktop; the app goes on in the tray.
    auto* close = new QShortcut(QKeySequence::Close, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::section(const QString& id)
{
    if (QWidget* made = m_sections.value(id))
        return made;
    QWidget* made = makeSection(id, m_model, m_stack);
    made->setObjectName(id + QStringLiteral("Section"));
    m_stack->addWidget(made);
    m_sections.insert(id, made);
    return made;
}

void MainWindow::showSection()
{
    const QString& id = m_model.windowSection();
    m_stack->setCurrentWidget(section(id));
    const QList<WindowSection>& sections = windowSections();
    for (int row = 0; row < sections.size(); ++row) {
        if (sections.at(row).id == id && m_sidebar->currentRow() != row) {
            const QSignalBlocker quiet(m_sidebar);
            m_sidebar->setCurrentRow(row);
        }
    }
}

void MainWindow::rebuildSwitcher()
{
    const QString title = tr("Administration: %1").arg(m_model.books().administration().name);
    // The leading en space keeps the words off the frame, which the
    // right-to-left layout (chevron last) draws against them.
    m_switcher->setText(QChar(0x2002) + title);
    m_switcher->setAccessibleName(title);
    auto* menu = new QMenu(m_switcher);
    menu->setObjectName(QStringLiteral("administrationMenu"));
    menu->setLayoutDirection(Qt::LeftToRight);
    auto* group = new QActionGroup(menu);
    for (const Administration& a : m_model.books().administrations()) {
        QAction* action = menu->addAction(a.name);
        action->setCheckable(true);
        action->setChecked(a.id == m_model.books().administration().id);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, a] { m_model.switchTo(a); });
    }
    menu->addSeparator();
    QAction* manage = menu->addAction(tr("Manage administrations…"));
    manage->setObjectName(QStringLiteral("manageAdministrations"));
    connect(manage, &QAction::triggered, this,
            [this] { m_model.setWindowSection(QStringLiteral("administrations")); });
    QMenu* old = m_switcherMenu;
    m_switcherMenu = menu;
    delete old;
}

QSize MainWindow::fittedSize(QSize minimum, const QRect& area)
{
    const QSize room = area.size() * 0.9;
    QSize size = defaultSize.boundedTo(room).expandedTo(minimum);
    return size.boundedTo(area.size());
}

void MainWindow::present()
{
    if (!m_geometryRestored) {
        m_geometryRestored = true;
        const std::optional<QByteArray> saved = m_model.defaults().binary(geometryKey);
        if (!saved || !restoreGeometry(*saved)) {
            QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
            if (!screen)
                screen = QGuiApplication::primaryScreen();
            if (screen) {
                const QRect area = screen->availableGeometry();
                QRect placed(QPoint(), fittedSize(minimumSizeHint(), area));
                placed.moveCenter(area.center());
                setGeometry(placed);
            }
        }
    }
    showSection();
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::saveGeometryNow()
{
    m_model.defaults().setBinary(geometryKey, saveGeometry());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveGeometryNow();
    // The tray app goes on without its window.
    hide();
    event->ignore();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        rebuildSwitcher();
    QMainWindow::changeEvent(event);
}

} // namespace zol::ui
