#include "tray/TrayIcon.h"

#include "AppModel.h"
#include "Platform.h"
#include "SessionOperations.h"
#include "common/Theme.h"
#include "tray/TrayIconPainter.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QMenu>
#include <QSystemTrayIcon>

namespace zol::ui {

namespace {

const QColor lightInk(0xf2, 0xf2, 0xf2);
const QColor darkInk(0x20, 0x21, 0x24);

} // namespace

QColor TrayIcon::inkOver(const QImage& sample)
{
    double lightness = 0;
    int counted = 0;
    for (int y = 0; y < sample.height(); ++y) {
        for (int x = 0; x < sample.width(); ++x) {
            lightness += QColor(sample.pixel(x, y)).lightnessF();
            ++counted;
        }
    }
    if (counted == 0)
        return QColor();
    return lightness / counted < 0.5 ? lightInk : darkInk;
}

QColor TrayIcon::inkForScheme() const
{
    // The app's palette follows the desktop's scheme; GNOME's bar is dark
    // in either.
    const bool darkBar = Theme::isDark(QApplication::palette()) ||
                         m_model.platform().session().isDesktop(QStringLiteral("GNOME"));
    return darkBar ? lightInk : darkInk;
}

void TrayIcon::followScheme()
{
    setInk(inkForScheme());
    matchTray();
}

void TrayIcon::matchTray()
{
    const QRect at = geometry();
    QScreen* screen = at.isEmpty() ? nullptr : QGuiApplication::screenAt(at.center());
    if (!screen)
        return;
    // The icon's corners: the pictures leave them clear, so they show the tray.
    const QPoint origin = screen->geometry().topLeft();
    QImage corners(2, 2, QImage::Format_RGB32);
    const QList<QPoint> points{at.topLeft(), at.topRight(), at.bottomLeft(), at.bottomRight()};
    for (qsizetype i = 0; i < points.size(); ++i) {
        const QPoint p = points.at(i) - origin;
        const QImage pixel = screen->grabWindow(0, p.x(), p.y(), 1, 1).toImage();
        corners.setPixel(int(i % 2), int(i / 2), pixel.isNull() ? 0 : pixel.pixel(0, 0));
    }
    const QColor ink = inkOver(corners);
    if (ink.isValid())
        setInk(ink);
}

TrayIcon::TrayIcon(AppModel& model, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_menu(std::make_unique<QMenu>())
{
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    // What the clock shows, for trays that show the icon without its time.
    m_summary = m_menu->addAction(QString());
    m_summary->setObjectName(QStringLiteral("trayStatus"));
    m_summary->setEnabled(false);
    m_menu->addSeparator();
    QAction* open = m_menu->addAction(tr("Open Zol"));
    open->setObjectName(QStringLiteral("openZol"));
    connect(open, &QAction::triggered, this, &TrayIcon::panelRequested);
    m_pauseOrResume = m_menu->addAction(tr("Pause"));
    m_pauseOrResume->setObjectName(QStringLiteral("pauseOrResume"));
    connect(m_pauseOrResume, &QAction::triggered, this, [this] {
        // What the menu offered, whatever the books say by now.
        const auto done = m_offersResume ? m_model.sessions().resume() : m_model.sessions().pause();
        if (!done)
            m_model.status().fail(done.error().sentence);
    });
    m_stop = m_menu->addAction(tr("Stop"));
    m_stop->setObjectName(QStringLiteral("stop"));
    connect(m_stop, &QAction::triggered, this,
            [this] { m_model.status().failIfRefused(m_model.sessions().stop()); });
    m_menu->addSeparator();
    QAction* history = m_menu->addAction(tr("History"));
    history->setObjectName(QStringLiteral("history"));
    connect(history, &QAction::triggered, this,
            [this] { m_model.showWindow(QStringLiteral("history")); });
    QAction* settings = m_menu->addAction(tr("Settings"));
    settings->setObjectName(QStringLiteral("settings"));
    connect(settings, &QAction::triggered, this,
            [this] { m_model.showWindow(QStringLiteral("general")); });
    m_menu->addSeparator();
    QAction* quit = m_menu->addAction(tr("Quit Zol"));
    quit->setObjectName(QStringLiteral("quitZol"));
    connect(quit, &QAction::triggered, this, &TrayIcon::quitRequested);

    m_ink = inkForScheme();
    connect(&m_model.books(), &OpenBooks::trackerChanged, this, &TrayIcon::followTracker);
    connect(&m_model.books(), &OpenBooks::settingsChanged, this, &TrayIcon::refresh);
    followTracker();
}

TrayIcon::~TrayIcon() = default;

QSystemTrayIcon& TrayIcon::systemTrayIcon()
{
    if (m_icon)
        return *m_icon;
    m_icon = new QSystemTrayIcon(this);
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    Q_EMIT panelRequested();
            });
    m_drawn = false;
    refresh();
    return *m_icon;
}

void TrayIcon::show()
{
    systemTrayIcon().show();
}

QRect TrayIcon::geometry() const
{
    return m_icon ? m_icon->geometry() : QRect();
}

QString TrayIcon::themeName(TrayStatus::Picture picture)
{
    switch (picture) {
    case TrayStatus::Picture::clock:
        return QStringLiteral("org.zol.Zol-clock-symbolic");
    case TrayStatus::Picture::runningClock:
        return QStringLiteral("org.zol.Zol-running-symbolic");
    case TrayStatus::Picture::warningClock:
        return QStringLiteral("org.zol.Zol-warning-symbolic");
    case TrayStatus::Picture::paused:
        return QStringLiteral("org.zol.Zol-paused-symbolic");
    }
    return QStringLiteral("org.zol.Zol-clock-symbolic");
}

void TrayIcon::setNamedPictures(bool named)
{
    if (named == m_named)
        return;
    m_named = named;
    m_drawn = false;
    refresh();
}

void TrayIcon::setInk(const QColor& ink)
{
    if (ink == m_ink)
        return;
    m_ink = ink;
    m_drawn = false;
    refresh();
}

// The tracker is replaced when other books open.
void TrayIcon::followTracker()
{
    disconnect(m_currentConnection);
    disconnect(m_totalsConnection);
    Tracker* tracker = m_model.books().tracker();
    m_currentConnection = connect(tracker, &Tracker::currentChanged, this, &TrayIcon::refresh);
    m_totalsConnection = connect(tracker, &Tracker::totalsChanged, this, &TrayIcon::refresh);
    refresh();
}

void TrayIcon::refresh()
{
    const Tracker& tracker = *m_model.books().tracker();
    m_offersResume = tracker.isPaused();
    m_pauseOrResume->setText(m_offersResume ? tr("Resume") : tr("Pause"));
    m_pauseOrResume->setEnabled(tracker.isTracking());
    m_stop->setEnabled(tracker.isTracking());

    const TrayStatus status = TrayStatus::of(m_model.panel());
    m_summary->setText(status.summary());
    if (m_drawn && status == m_status)
        return;
    m_status = status;
    // Drawn when it is made.
    if (!m_icon)
        return;
    m_drawn = true;
    const QIcon named = m_named ? QIcon::fromTheme(themeName(m_status.picture)) : QIcon();
    // A StatusNotifierItem host never says where the icon is, so its panel's
    // colour cannot be looked at: light ink in a dark outline reads on any.
    m_icon->setIcon(!named.isNull() ? named
                    : m_named       ? trayIcon(m_status, lightInk, darkInk)
                                    : trayIcon(m_status, m_ink));
    // Qt 6.4 has no separate accessible title for a tray icon: the tooltip
    // says it.
    m_icon->setToolTip(m_status.accessibleLabel);
}

} // namespace zol::ui
