#include "PlantedLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace zol::test {

namespace {

void collect(const QString& folder, const QString& prefix, QMap<QString, QByteArray>& into)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString name = prefix + entry.fileName();
        if (entry.isSymLink()) {
            into.insert(name, "-> " + QFile::encodeName(entry.symLinkTarget()));
        } else if (entry.isDir()) {
            into.insert(name, "/");
            collect(entry.filePath(), name + u'/', into);
        } else {
            QFile file(entry.filePath());
            into.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
        }
    }
}

} // namespace

PlantedLink::PlantedLink(const QString& path)
    : m_path(QDir::cleanPath(path))
{
    QVERIFY(m_outside.isValid());
    if (QFileInfo(m_path).isDir())
        QVERIFY(QDir().rename(m_path, target()));
    else
        QVERIFY(QDir().mkpath(target()));
    QFile canary(target() + QStringLiteral("/canary.txt"));
    QVERIFY(canary.open(QIODevice::WriteOnly) && canary.write("nothing may change here") > 0);
    canary.close();
    QVERIFY(QFile::link(target(), m_path));
    m_before = tree(m_outside.path());
}

QMap<QString, QByteArray> PlantedLink::tree(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    collect(folder, QString(), entries);
    return entries;
}

} // namespace zol::test
