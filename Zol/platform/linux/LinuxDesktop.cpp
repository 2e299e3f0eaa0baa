#include "linux/LinuxDesktop.h"

#include "linux/BusNames.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace zol::linux_desktop {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::platform::LinuxDesktop)
};

const QString fileManager = QStringLiteral("org.freedesktop.FileManager1");

// The file manager may have to be started first.
constexpr int startTimeoutMs = 10'000;

} // namespace

LinuxDesktop::LinuxDesktop(const QDBusConnection& sessionBus, QString opener)
    : m_bus(sessionBus)
    , m_opener(std::move(opener))
{}

LinuxDesktop::~LinuxDesktop() = default;

ServiceAvailability LinuxDesktop::availability()
{
    switch (nameStatus(m_bus, fileManager)) {
    case NameStatus::owned: {
        const QString program = ownerProgram(m_bus, fileManager);
        return ServiceAvailability::present(program.isEmpty() ? fileManager : program);
    }
    case NameStatus::activatable:
        return ServiceAvailability::present(fileManager,
                                            Texts::tr("started by the bus when first needed"));
    case NameStatus::absent:
        break;
    }
    return ServiceAvailability::missing(
        m_bus.isConnected()
            ? Texts::tr("No file manager answers on the session bus: Zol opens the folder instead "
                        "of showing the file in it.")
            : Texts::tr("No D-Bus session bus: Zol opens the folder instead of showing the file in "
                        "it."));
}

void LinuxDesktop::reveal(const QString& path)
{
    const QFileInfo file(path);
    const QUrl folder = QUrl::fromLocalFile(file.absolutePath());
    if (!m_bus.isConnected()) {
        openUrl(folder);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(fileManager, QStringLiteral("/org/freedesktop/FileManager1"),
                                       fileManager, QStringLiteral("ShowItems"));
    // No startup notification id: we are not the application that starts it.
    call << QStringList{QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded)}
         << QString();
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, startTimeoutMs), &m_answers);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &m_answers,
                     [this, folder](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         if (finished->isError())
                             openUrl(folder);
                     });
}

void LinuxDesktop::openUrl(const QUrl& url)
{
    // An absolute address begins with its scheme, so the opener never takes
    // it for an option.
    if (!url.isValid() || url.isRelative())
        return;
    QProcess::startDetached(m_opener, {url.toString(QUrl::FullyEncoded)}, QDir::homePath());
}

std::optional<QString> LinuxDesktop::askWhereToSave(const SaveRequest&)
{
    return std::nullopt;
}

} // namespace zol::linux_desktop
