#include "store/EntryStore.h"
#include "support/Error.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zol"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZOL_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    out << "Zol " << QCoreApplication::applicationVersion() << '\n';
    try {
        const QString path = zol::EntryStore::defaultURL();
        zol::EntryStore store(path);
        out << "Database: " << path << '\n';
        const std::optional<zol::TimeEntry> open = store.openEntry();
        out << (open ? QStringLiteral("A session is running.") : QStringLiteral("No session is running."))
            << '\n';
    } catch (const zol::Error& error) {
        err << error.message() << '\n';
        return 1;
    }
    return 0;
}
