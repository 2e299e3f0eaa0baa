#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <variant>

namespace zol {

// The per-user key-value store of typed values (text, integer, boolean,
// binary) that AppSettings and the administration list live in: one JSON file
// in Zol's configuration folder, shared by the tray app and the command line.
//
// Every write re-reads the file under an exclusive lock (a lock file beside it,
// taken with flock), changes only its own key, and replaces the file
// atomically, so two processes setting different keys at once both keep their
// values. A change another process made is noticed (file watching, plus
// refresh() on demand) and announced through changed().
//
// Reading never fails: a missing file is an empty store; a value of another
// type than asked counts as missing; a damaged file reads as empty and is moved
// aside (to "<name>.damaged-<time>") before anything is written over it, so
// nothing the user set is destroyed without a copy. Write failures are not
// reported (as with any preferences store); the value stays in memory.
//
// The store belongs to the thread that made it (the UI thread): file watching
// and changed() run on that thread's event loop, and no member may be called
// from another thread. Other threads receive copies of the values they need.
class SettingsStore final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsStore)

public:
    using Value = std::variant<QString, qint64, bool, QByteArray>;

    // A store backed by `filePath`, read at once; an empty path keeps
    // everything in memory (for tests and for a fallback when no folder can be
    // written). The file and its folder are made on the first write, readable
    // by the owner only.
    explicit SettingsStore(const QString& filePath, QObject* parent = nullptr);
    // Whether another process's changes are noticed as they happen. A
    // short-lived process (one command) sees the file as it was when it read
    // it, and what refresh() finds: it never pays for a file watch, whose
    // teardown alone outlasts the command.
    enum class Watching { on, off };
    SettingsStore(const QString& filePath, Watching watching, QObject* parent = nullptr);
    ~SettingsStore() override;

    // "$XDG_CONFIG_HOME/Zol/settings.json"; nothing is created by asking.
    static QString defaultPath();

    const QString& filePath() const { return m_path; }

    std::optional<QString> string(const QString& key) const;
    std::optional<qint64> integer(const QString& key) const;
    std::optional<bool> boolean(const QString& key) const;
    std::optional<QByteArray> binary(const QString& key) const;
    // Whether `key` holds a value of any of the four types; sorted keys of all.
    bool contains(const QString& key) const;
    QStringList keys() const;

    void setString(const QString& key, const QString& value);
    void setInteger(const QString& key, qint64 value);
    void setBoolean(const QString& key, bool value);
    void setBinary(const QString& key, const QByteArray& value);
    void remove(const QString& key);

    // Reads the file again if it changed since last read; emits changed() with
    // the keys whose values differ. The file watching calls it on its own; call
    // it where a change must be seen at once (before acting on a value).
    void refresh();

Q_SIGNALS:
    // Keys whose values were changed by another process (or another store on
    // the same file), sorted. Not emitted for this store's own writes.
    void changed(const QStringList& keys);

private:
    void write(const QString& key, const std::optional<Value>& value);
    // Takes `values` as what the file holds and returns the keys whose values
    // differ from those held before, sorted.
    QStringList replaceValues(QHash<QString, Value> values);

    QString m_path;
    QHash<QString, Value> m_values;
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace zol
