#include "books/SettingsStore.h"

#include "support/DataPaths.h"
#include "support/Error.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <QSaveFile>
#include <QTimer>
#include <QVariant>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The file, settings.json:
//
//   {
//     "values": {
//       "admin.current": {"string": "Local"},
//       "admin.list": {"binary": "AAECAw=="},
//       "idle.enabled": {"boolean": true},
//       "idle.minutes": {"integer": "10"}
//     },
//     "version": 1
//   }
//
// Every value is an object with exactly one member, named after its type, so
// text that looks like a number stays text. Integers are written as decimal
// text because most JSON readers hold numbers as doubles, which lose precision
// past 2^53; a JSON integer (no fraction, no exponent) is accepted on reading,
// for a file edited by hand. Binary values are base64.
//
// An entry this version cannot read (a type it does not know, a value of the
// wrong JSON kind, bad base64, no or two type members) counts as missing but
// stays in the file as it is when the file is rewritten, so what a newer Zol
// stored survives a run of an older one. Newer versions only add types and keep
// "version" at 1. Anything else (not JSON, not UTF-8, not an object, another
// version, no "values" object, unreadable, larger than 16 MiB) is a damaged
// file: it reads as empty and is moved aside before the next write. A missing
// or empty file is an empty store.

namespace zol {

namespace {

using Values = QHash<QString, SettingsStore::Value>;

constexpr qint64 largestFile = 16 * 1024 * 1024;
constexpr int formatVersion = 1;
// Notifications come in bursts (a temporary file, a rename, attributes); one
// read shortly after the first of them sees the end of the burst.
constexpr int settleMilliseconds = 20;

QLatin1StringView valuesName()
{
    return QLatin1StringView("values");
}

QJsonObject emptyRoot()
{
    return {{QStringLiteral("version"), formatVersion}, {QString(valuesName()), QJsonObject()}};
}

struct FileRead
{
    bool exists = false;
    bool readable = false;
    QByteArray bytes;
};

FileRead readFile(const QString& path)
{
    FileRead read;
    QFile file(path);
    if (!file.exists())
        return read;
    read.exists = true;
    if (!file.open(QIODevice::ReadOnly))
        return read;
    // Sized by the file, not by the limit: a buffer of the largest file
    // allowed would cost every process that reads its settings 16 MiB.
    if (file.size() > largestFile)
        return read;
    read.bytes = file.readAll();
    read.readable = file.error() == QFileDevice::NoError && read.bytes.size() <= largestFile;
    return read;
}

// The file's root object, or nothing when the file is damaged.
std::optional<QJsonObject> rootOf(const FileRead& read)
{
    if (!read.exists || (read.readable && read.bytes.isEmpty()))
        return emptyRoot();
    if (!read.readable)
        return std::nullopt;
    // Qt's reader refuses malformed UTF-8, so text is never silently altered.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(read.bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    QJsonObject root = document.object();
    const QJsonValue version = root.value(QLatin1StringView("version"));
    if (!version.isDouble() || version.toDouble() != formatVersion ||
        !root.value(valuesName()).isObject())
        return std::nullopt;
    return root;
}

std::optional<qint64> integerOf(const QJsonValue& value)
{
    if (value.isString()) {
        const QString text = value.toString();
        const qsizetype first = text.startsWith(u'-') ? 1 : 0;
        if (text.size() == first)
            return std::nullopt;
        for (qsizetype i = first; i < text.size(); ++i) {
            if (text.at(i) < u'0' || text.at(i) > u'9')
                return std::nullopt;
        }
        bool ok = false;
        const qint64 number = text.toLongLong(&ok);
        return ok ? std::optional(number) : std::nullopt;
    }
    // Qt keeps a JSON number written without fraction or exponent as an exact
    // 64-bit integer when it fits, and as a double otherwise.
    const QVariant number = value.toVariant();
    if (number.typeId() == QMetaType::LongLong)
        return number.toLongLong();
    return std::nullopt;
}

std::optional<SettingsStore::Value> valueOf(const QJsonValue& entry)
{
    const QJsonObject object = entry.toObject();
    if (object.size() != 1)
        return std::nullopt;
    const QString type = object.begin().key();
    const QJsonValue value = object.begin().value();
    if (type == QLatin1StringView("string") && value.isString())
        return SettingsStore::Value(std::in_place_type<QString>, value.toString());
    if (type == QLatin1StringView("integer")) {
        if (const std::optional<qint64> number = integerOf(value))
            return SettingsStore::Value(std::in_place_type<qint64>, *number);
    }
    if (type == QLatin1StringView("boolean") && value.isBool())
        return SettingsStore::Value(std::in_place_type<bool>, value.toBool());
    if (type == QLatin1StringView("binary") && value.isString()) {
        const QString text = value.toString();
        const QByteArray::FromBase64Result bytes = QByteArray::fromBase64Encoding(
            text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        // toLatin1() turns anything beyond Latin-1 into '?', which base64 refuses.
        if (bytes)
            return SettingsStore::Value(std::in_place_type<QByteArray>, *bytes);
    }
    return std::nullopt;
}

Values valuesOf(const QJsonObject& root)
{
    Values values;
    const QJsonObject entries = root.value(valuesName()).toObject();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        // Assigned, not insert()ed: through insert()'s temporary GCC 12 at -O3
        // loses track of the variant's alternative and warns that a
        // QByteArray may be used uninitialized (here and in write()).
        if (std::optional<SettingsStore::Value> value = valueOf(it.value()))
            values[it.key()] = std::move(*value);
    }
    return values;
}

QJsonObject entryOf(const SettingsStore::Value& value)
{
    if (const auto* text = std::get_if<QString>(&value))
        return {{QStringLiteral("string"), *text}};
    if (const auto* number = std::get_if<qint64>(&value))
        return {{QStringLiteral("integer"), QString::number(*number)}};
    if (const auto* flag = std::get_if<bool>(&value))
        return {{QStringLiteral("boolean"), *flag}};
    return {
        {QStringLiteral("binary"), QString::fromLatin1(std::get<QByteArray>(value).toBase64())}};
}

template <typename T> std::optional<T> typed(const Values& values, const QString& key)
{
    const auto it = values.constFind(key);
    if (it == values.cend())
        return std::nullopt;
    if (const T* value = std::get_if<T>(&*it))
        return *value;
    return std::nullopt;
}

// An exclusive flock on the lock file beside the settings, held for the life of
// the object; every Zol process locks the same file, which is never removed
// (removing it would let two writers lock two different files). The wait is
// unbounded, as a holder keeps it only for one read and one write. Where the
// lock file cannot be made or the file system has no locks, writing goes on
// without it: a rare lost update between processes is better than a store
// that never saves.
class ExclusiveLock
{
    Q_DISABLE_COPY_MOVE(ExclusiveLock)

public:
    explicit ExclusiveLock(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd < 0)
            return;
        while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }

    ~ExclusiveLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

private:
    int m_fd;
};

// Moves a damaged file to "<name>.damaged-<its modification time, UTC>", with
// "-2", "-3"… when that name is taken, so no earlier copy is replaced. False
// when it could not be moved, and the damaged file must then stay in place.
bool moveAside(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    const QDateTime modified = info.lastModified().toUTC();
    QString base = path + QStringLiteral(".damaged");
    if (modified.isValid())
        base += u'-' + QLocale::c().toString(modified, QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    for (int copy = 1; copy < 1000; ++copy) {
        const QString aside = copy == 1 ? base : base + u'-' + QString::number(copy);
        const QFileInfo taken(aside);
        if (!taken.exists() && !taken.isSymLink())
            return QFile::rename(path, aside);
    }
    return false;
}

// Replaces the file atomically: QSaveFile writes a temporary file in the same
// folder, syncs it to disk and renames it over the old one (following a
// symbolic link to write its target). It would give a new file the umask's
// permissions and a replacement those of the file it replaces; the settings
// are the user's own, so the temporary file is made owner-only before anything
// is written into it. A file system without permissions is not a failure.
bool replaceFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

class SettingsStore::Private
{
public:
    explicit Private(const QString& path)
        : file(QFileInfo(path).absoluteFilePath())
        , folder(QFileInfo(file).path())
    {}

    // What the file holds after a write or a write that found nothing to do.
    struct Saved
    {
        QByteArray bytes;
        QJsonObject root;
    };

    // Under the lock: reads the file as it is now, sets or (for an undefined
    // `entry`) removes `key`, and writes the file back. Nothing when the file
    // was not read or could not be written.
    std::optional<Saved> save(const QString& key, const QJsonValue& entry);

    // Watches the file (for writers that rewrite it in place) and its folder
    // (an atomic replacement gives the file a new inode, which ends the file's
    // watch: Qt drops it, and the next refresh sets a new one). Called before
    // every read, so nothing written after a read goes unnoticed.
    void arm();

    const QString file;
    const QString folder;
    // The bytes last read or written, to tell another process's change from
    // the notification of one's own write.
    QByteArray lastBytes;
    // None when the store does not watch (see Watching).
    std::unique_ptr<QFileSystemWatcher> watcher;
    QTimer settle;
};

std::optional<SettingsStore::Private::Saved> SettingsStore::Private::save(const QString& key,
                                                                          const QJsonValue& entry)
{
    // Removing from no file at all makes neither a folder nor a lock file (a
    // file made meanwhile by another process is simply written after this).
    if (entry.isUndefined() && !QFileInfo::exists(file))
        return std::nullopt;
    try {
        makePrivateFolder(folder);
    } catch (const Error&) {
        return std::nullopt;
    }
    const ExclusiveLock lock(file + QStringLiteral(".lock"));

    const FileRead read = readFile(file);
    std::optional<QJsonObject> root = rootOf(read);
    if (!root) {
        // A damaged file holds nothing to remove; a value replaces it, after a copy.
        if (entry.isUndefined() || !moveAside(file))
            return std::nullopt;
        root = emptyRoot();
    }

    QJsonObject entries = root->value(valuesName()).toObject();
    const bool same = entry.isUndefined() ? !entries.contains(key) : entries.value(key) == entry;
    if (same)
        return Saved{read.bytes, *root};
    if (entry.isUndefined())
        entries.remove(key);
    else
        entries.insert(key, entry);
    root->insert(valuesName(), entries);

    const QByteArray bytes = QJsonDocument(*root).toJson(QJsonDocument::Indented);
    if (!replaceFile(file, bytes))
        return std::nullopt;
    return Saved{bytes, *root};
}

void SettingsStore::Private::arm()
{
    // Until the folder exists (a new user), its nearest existing ancestor is
    // watched for it to appear; then that busier folder is let go.
    if (!watcher)
        return;
    QString watched = folder;
    while (!QFileInfo(watched).isDir()) {
        const QString parent = QFileInfo(watched).path();
        if (parent == watched)
            break;
        watched = parent;
    }
    QStringList stale = watcher->directories();
    stale.removeAll(watched);
    if (!stale.isEmpty())
        watcher->removePaths(stale);
    if (!watcher->directories().contains(watched) && QFileInfo(watched).isDir())
        watcher->addPath(watched);
    if (!watcher->files().contains(file) && QFileInfo(file).isFile())
        watcher->addPath(file);
}

SettingsStore::SettingsStore(const QString& filePath, QObject* parent)
    : SettingsStore(filePath, Watching::on, parent)
{}

SettingsStore::SettingsStore(const QString& filePath, Watching watching, QObject* parent)
    : QObject(parent)
    , m_path(filePath)
{
    if (m_path.isEmpty())
        return;
    d = std::make_unique<Private>(m_path);
    if (watching == Watching::on) {
        d->watcher = std::make_unique<QFileSystemWatcher>();
        d->settle.setSingleShot(true);
        d->settle.setInterval(settleMilliseconds);
        connect(&d->settle, &QTimer::timeout, this, &SettingsStore::refresh);
        const auto noticed = [this] {
            if (!d->settle.isActive())
                d->settle.start();
        };
        connect(d->watcher.get(), &QFileSystemWatcher::fileChanged, this, noticed);
        connect(d->watcher.get(), &QFileSystemWatcher::directoryChanged, this, noticed);
    }

    d->arm();
    const FileRead read = readFile(d->file);
    d->lastBytes = read.bytes;
    if (const std::optional<QJsonObject> root = rootOf(read))
        m_values = valuesOf(*root);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultPath()
{
    return configFolder() + QStringLiteral("/settings.json");
}

std::optional<QString> SettingsStore::string(const QString& key) const
{
    return typed<QString>(m_values, key);
}

std::optional<qint64> SettingsStore::integer(const QString& key) const
{
    return typed<qint64>(m_values, key);
}

std::optional<bool> SettingsStore::boolean(const QString& key) const
{
    return typed<bool>(m_values, key);
}

std::optional<QByteArray> SettingsStore::binary(const QString& key) const
{
    return typed<QByteArray>(m_values, key);
}

bool SettingsStore::contains(const QString& key) const
{
    return m_values.contains(key);
}

QStringList SettingsStore::keys() const
{
    QStringList keys = m_values.keys();
    keys.sort();
    return keys;
}

void SettingsStore::setString(const QString& key, const QString& value)
{
    write(key, Value(std::in_place_type<QString>, value));
}

void SettingsStore::setInteger(const QString& key, qint64 value)
{
    write(key, Value(std::in_place_type<qint64>, value));
}

void SettingsStore::setBoolean(const QString& key, bool value)
{
    write(key, Value(std::in_place_type<bool>, value));
}

void SettingsStore::setBinary(const QString& key, const QByteArray& value)
{
    write(key, Value(std::in_place_type<QByteArray>, value));
}

void SettingsStore::remove(const QString& key)
{
    write(key, std::nullopt);
}

void SettingsStore::refresh()
{
    if (!d)
        return;
    d->arm();
    const FileRead read = readFile(d->file);
    if (read.bytes == d->lastBytes)
        return;
    d->lastBytes = read.bytes;
    const std::optional<QJsonObject> root = rootOf(read);
    const QStringList keys = replaceValues(root ? valuesOf(*root) : Values());
    if (!keys.isEmpty())
        Q_EMIT changed(keys);
}

// A value whose write failed lives in memory until the file changes under it;
// then the file's value wins.
void SettingsStore::write(const QString& key, const std::optional<Value>& value)
{
    if (value)
        m_values[key] = *value;
    else
        m_values.remove(key);
    if (!d)
        return;

    const std::optional<Private::Saved> saved =
        d->save(key, value ? QJsonValue(entryOf(*value)) : QJsonValue(QJsonValue::Undefined));
    if (!saved)
        return;
    d->lastBytes = saved->bytes;
    d->arm();
    // The file was read again under the lock: keys other processes changed in
    // the meantime are news, this store's own key is not.
    QStringList keys = replaceValues(valuesOf(saved->root));
    keys.removeAll(key);
    if (!keys.isEmpty())
        Q_EMIT changed(keys);
}

QStringList SettingsStore::replaceValues(QHash<QString, Value> values)
{
    QStringList keys;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        const auto other = values.constFind(it.key());
        if (other == values.cend() || *other != it.value())
            keys.append(it.key());
    }
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!m_values.contains(it.key()))
            keys.append(it.key());
    }
    keys.sort();
    m_values = std::move(values);
    return keys;
}

} // namespace zol
