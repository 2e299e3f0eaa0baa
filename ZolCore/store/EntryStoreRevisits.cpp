// Timesheets handed in that hold an older copy of a changed session.

#include "store/EntryStore.h"

#include "store/EntryStoreTransaction.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace zol {

namespace {

const QString revisitsKey = QStringLiteral("upload.revisits");

} // namespace

QList<QDateTime> EntryStore::readUploadRevisits()
{
    SQLiteDatabase::Statement statement =
        m_database.prepare(QStringLiteral("SELECT value FROM meta WHERE key = ?1;"), {revisitsKey});
    QList<QDateTime> instants;
    if (!statement.step())
        return instants;
    // Milliseconds since 1970, exact in a JSON number.
    for (const QJsonValue value : QJsonDocument::fromJson(statement.text(0).toUtf8()).array()) {
        if (value.isDouble())
            instants.append(QDateTime::fromMSecsSinceEpoch(qint64(value.toDouble()), Qt::UTC));
    }
    return instants;
}

void EntryStore::writeUploadRevisits(const QList<QDateTime>& instants)
{
    if (instants.isEmpty()) {
        m_database.run(QStringLiteral("DELETE FROM meta WHERE key = ?1;"), {revisitsKey});
        return;
    }
    QJsonArray array;
    for (const QDateTime& instant : instants)
        array.append(double(instant.toMSecsSinceEpoch()));
    m_database.run(QStringLiteral("INSERT INTO meta (key, value) VALUES (?1, ?2)\n"
                                  "ON CONFLICT(key) DO UPDATE SET value = excluded.value;"),
                   {revisitsKey, QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact))});
}

QList<QDateTime> EntryStore::uploadRevisits()
{
    QMutexLocker lock(&m_mutex);
    return readUploadRevisits();
}

void EntryStore::addUploadRevisit(const QDateTime& startedAt)
{
    QMutexLocker lock(&m_mutex);
    transaction([&] {
        QList<QDateTime> instants = readUploadRevisits();
        if (!instants.contains(startedAt)) {
            instants.append(startedAt);
            writeUploadRevisits(instants);
        }
    });
}

void EntryStore::removeUploadRevisits(const QList<QDateTime>& done)
{
    if (done.isEmpty())
        return;
    QMutexLocker lock(&m_mutex);
    transaction([&] {
        QList<QDateTime> instants = readUploadRevisits();
        instants.removeIf([&](const QDateTime& instant) { return done.contains(instant); });
        writeUploadRevisits(instants);
    });
}

} // namespace zol
