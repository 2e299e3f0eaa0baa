#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

namespace zol::test {

// Stands in for a file manager's org.freedesktop.FileManager1 on a bus of the
// test's, and remembers what it was asked to show.
class StandInFileManager final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    // Registers the object and its well-known name on `bus`; false when the
    // bus refused either.
    bool serve(QDBusConnection bus);

public Q_SLOTS:
    Q_SCRIPTABLE void ShowItems(const QStringList& uris, const QString& startupId);

Q_SIGNALS:
    void shown(const QStringList& uris, const QString& startupId);
};

} // namespace zol::test
