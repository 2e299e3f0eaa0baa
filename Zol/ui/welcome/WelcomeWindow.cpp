#include "welcome/WelcomeWindow.h"

#include "AppModel.h"
#include "FirstRun.h"
#include "PersonName.h"
#include "books/AppSettings.h"
#include "common/Icons.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"
#include "common/Widgets.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zol::ui {

namespace {

constexpr int stepCount = 3;

// One way in: an icon, what it is and a line about it.
QWidget* wayIn(const QString& icon, const QString& title, const QString& detail, QWidget* parent,
               const QString& name = {})
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(12);
    auto* picture = new QLabel(row);
    picture->setPixmap(
        Icons::pixmap(icon, 22, Theme::accent(parent->palette()), parent->devicePixelRatioF()));
    layout->addWidget(picture, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout();
    text->setSpacing(2);
    QLabel* heading = titleLabel(title, row, 1.0);
    QLabel* line = secondaryLabel(detail, row);
    if (!name.isEmpty()) {
        heading->setObjectName(name + QStringLiteral("Title"));
        line->setObjectName(name + QStringLiteral("Detail"));
    }
    text->addWidget(heading);
    text->addWidget(line);
    layout->addLayout(text, 1);
    return row;
}

} // namespace

WelcomeWindow::WelcomeWindow(AppModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_model(model)
    , m_steps(new QStackedWidget(this))
    , m_name(new QLineEdit(this))
    , m_nameRefusal(wrapping(new QLabel(this)))
    , m_back(new QPushButton(tr("Back"), this))
    , m_continue(new QPushButton(tr("Continue"), this))
    , m_skip(new QPushButton(tr("Skip"), this))
    , m_start(new QPushButton(tr("Start tracking"), this))
{
    setObjectName(QStringLiteral("welcomeWindow"));
    setWindowTitle(tr("Welcome to Zol"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_steps->setObjectName(QStringLiteral("welcomeSteps"));

    // 1: the books stay here.
    QWidget* local = stepPage(tr("Your hours stay on this computer"),
                              tr("You are in a set of books called Local, and Local never touches "
                                 "a shared drive."));
    local->layout()->addWidget(secondaryLabel(
        tr("Nothing is uploaded. Nobody else can see it. There is no account."), local));

    // 2: the name.
    QWidget* name = stepPage(tr("What should the studio call you?"), QString());
    m_name->setObjectName(QStringLiteral("welcomeName"));
    m_name->setAccessibleName(tr("Your name"));
    m_name->setPlaceholderText(tr("Your name"));
    m_name->setMinimumHeight(32);
    m_name->setText(model.books().settings()->machineName());
    auto* suggestions = new QCompleter(AppSettings::suggestedMachineNames(), m_name);
    suggestions->setCaseSensitivity(Qt::CaseInsensitive);
    m_name->setCompleter(suggestions);
    name->layout()->addWidget(m_name);
    m_nameRefusal->setObjectName(QStringLiteral("welcomeNameRefusal"));
    tintText(m_nameRefusal, Theme::failure);
    m_nameRefusal->hide();
    name->layout()->addWidget(m_nameRefusal);
    name->layout()->addWidget(
        secondaryLabel(tr("Without one, your timesheets are filed under “Onbekend”, the studio "
                          "folder's name for someone who has not given one."),
                       name));

    // 3: the ways in.
    QWidget* done = stepPage(tr("That is everything"),
                             tr("Two ways to start a timer, and one place for the rest."));
    const FirstRun::HotKeyLine hotKey = FirstRun::hotKeyLine(model.platform());
    done->layout()->addWidget(wayIn(QStringLiteral("clock"), tr("The clock in the tray"),
                                    tr("Click it, pick a project, and press Start."), done));
    done->layout()->addWidget(
        wayIn(QStringLiteral("play"), hotKey.title, hotKey.detail, done, QStringLiteral("hotKey")));
    done->layout()->addWidget(
        wayIn(QStringLiteral("list"), tr("The main window"),
              tr("Settings, history, projects and Analytics, all in one window."), done));
    auto* studio = new QPushButton(tr("Set up a studio…"), done);
    studio->setObjectName(QStringLiteral("setUpStudio"));
    studio->setAccessibleName(tr("Set up a studio"));
    studio->setFlat(true);
    auto* studioRow = new QHBoxLayout();
    studioRow->addWidget(studio);
    studioRow->addStretch();
    static_cast<QVBoxLayout*>(done->layout())->addLayout(studioRow);

    for (QWidget* page : {local, name, done}) {
        static_cast<QVBoxLayout*>(page->layout())->addStretch();
        m_steps->addWidget(page);
    }

    // Dots for the steps, then the buttons.
    auto* dots = new QHBoxLayout();
    dots->setSpacing(6);
    for (int i = 0; i < stepCount; ++i) {
        auto* dot = new QLabel(this);
        dot->setFixedSize(8, 8);
        m_dots.append(dot);
        dots->addWidget(dot);
    }
    dots->addStretch();
    m_back->setObjectName(QStringLiteral("back"));
    m_continue->setObjectName(QStringLiteral("continue"));
    m_skip->setObjectName(QStringLiteral("skip"));
    m_start->setObjectName(QStringLiteral("startTracking"));
    m_skip->setFlat(true);
    auto* buttons = new QHBoxLayout();
    buttons->addLayout(dots);
    buttons->addWidget(m_skip);
    buttons->addWidget(m_back);
    buttons->addWidget(m_continue);
    buttons->addWidget(m_start);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 22);
    layout->setSpacing(18);
    auto* mark = new QLabel(this);
    mark->setPixmap(Icons::pixmap(QStringLiteral("zol"), 40, palette().color(QPalette::WindowText),
                                  devicePixelRatioF()));
    layout->addWidget(mark);
    layout->addWidget(m_steps, 1);
    layout->addLayout(buttons);
    setFixedSize(560, 420);

    const QList<QWidget*> order{m_name, studio, m_skip, m_back, m_continue, m_start};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    connect(m_back, &QPushButton::clicked, this, [this] { setStep(step() - 1); });
    connect(m_continue, &QPushButton::clicked, this, [this] { setStep(step() + 1); });
    connect(m_skip, &QPushButton::clicked, this, &WelcomeWindow::finish);
    connect(m_start, &QPushButton::clicked, this, [this] {
        finish();
        Q_EMIT startTrackingRequested();
    });
    connect(studio, &QPushButton::clicked, this, [this] {
        finish();
        m_model.showWindow(QStringLiteral("administrations"));
    });
    follow();
}

WelcomeWindow::~WelcomeWindow() = default;

QWidget* WelcomeWindow::stepPage(const QString& title, const QString& lede)
{
    auto* page = new QWidget(m_steps);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(titleLabel(title, page, 1.5));
    if (!lede.isEmpty())
        layout->addWidget(wrapping(new QLabel(lede, page)));
    return page;
}

int WelcomeWindow::step() const
{
    return m_steps->currentIndex();
}

void WelcomeWindow::setStep(int step)
{
    if (step < 0 || step >= stepCount)
        return;
    if (this->step() == 1 && !keepTypedName())
        return;
    m_steps->setCurrentIndex(step);
    follow();
}

bool WelcomeWindow::keepTypedName()
{
    const Outcome<QString> renamed =
        PersonName::rename(*m_model.books().settings(), m_name->text());
    m_nameRefusal->setText(renamed ? QString() : renamed.error().sentence);
    m_nameRefusal->setVisible(!renamed);
    return renamed.has_value();
}

void WelcomeWindow::follow()
{
    const int current = step();
    m_back->setVisible(current > 0);
    m_continue->setVisible(current < stepCount - 1);
    m_start->setVisible(current == stepCount - 1);
    m_skip->setVisible(current < stepCount - 1);
    (current == stepCount - 1 ? m_start : m_continue)->setDefault(true);
    const qreal ratio = devicePixelRatioF();
    for (int i = 0; i < m_dots.size(); ++i) {
        QColor colour = palette().color(QPalette::WindowText);
        colour.setAlphaF(0.28);
        if (i == current)
            colour = Theme::accent(palette());
        QPixmap dot(QSize(8, 8) * ratio);
        dot.setDevicePixelRatio(ratio);
        dot.fill(Qt::transparent);
        QPainter painter(&dot);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(0, 0, 8, 8));
        m_dots.at(i)->setPixmap(dot);
    }
    if (current == 1 && !m_name->hasFocus())
        m_name->setFocus();
}

void WelcomeWindow::finish()
{
    if (m_finished)
        return;
    // A name that cannot be kept keeps the window on its step.
    if (step() == 1 && !keepTypedName())
        return;
    m_finished = true;
    FirstRun::complete(m_model.defaults());
    close();
}

void WelcomeWindow::closeEvent(QCloseEvent* event)
{
    // Closed by its window button: seen all the same.
    if (!m_finished) {
        m_finished = true;
        FirstRun::complete(m_model.defaults());
    }
    QWidget::closeEvent(event);
}

void WelcomeWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        follow();
    QWidget::changeEvent(event);
}

void WelcomeWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        finish();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        (step() == stepCount - 1 ? m_start : m_continue)->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zol::ui
