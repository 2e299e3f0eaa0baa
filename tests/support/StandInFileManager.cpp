#include "StandInFileManager.h"

namespace zol::test {

bool StandInFileManager::serve(QDBusConnection bus)
{
    return bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), this,
                              QDBusConnection::ExportScriptableSlots) &&
           bus.registerService(QStringLiteral("org.freedesktop.FileManager1"));
}

void StandInFileManager::ShowItems(const QStringList& uris, const QString& startupId)
{
    Q_EMIT shown(uris, startupId);
}

} // namespace zol::test
