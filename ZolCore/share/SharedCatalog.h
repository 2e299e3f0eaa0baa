#pragma once

#include "books/TaskList.h"
#include "records/Project.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace zol {

class FileSystem;

// The catalogue files through which the machines of a studio share their
// project and task lists: UTF-8 JSON, one object per file, pretty-printed with
// sorted keys, timestamps as ISO 8601 in UTC with whole seconds.
//
// Everything read here was written by another machine and is untrusted:
// decoding returns no value for anything that is not exactly the expected
// shape (a missing required key, a value of the wrong type, a timestamp with
// a fraction of a second, text that is not UTF-8, nesting too deep), and a
// record whose version is above currentVersion decodes to no value as well.
namespace SharedCatalog {

// The record version written, and the highest read.
inline constexpr int currentVersion = 1;
// Catalogue files larger than this are not read at all.
inline constexpr qint64 maximumFileSize = 8 * 1024 * 1024;

} // namespace SharedCatalog

// A project as published. It mirrors Project field for field but carries no
// machine id: once merged, a project belongs to nobody in particular.
struct SharedProject
{
    QString number;
    QString name;
    QString client;
    bool isActive = true;
    QDateTime updatedAt;
    QDateTime createdAt;

    SharedProject() = default;
    explicit SharedProject(const Project& project);
    Project project() const;

    bool operator==(const SharedProject& other) const = default;
};

size_t qHash(const SharedProject& project, size_t seed = 0);

// Orders projects by number, comparing Unicode code points.
bool numberLess(const QString& a, const QString& b);

// "meta.json": who a machine is and how many projects it shares.
struct PeerMeta
{
    int version = SharedCatalog::currentVersion;
    QString machineId;
    QString machineName;
    QDateTime writtenAt;
    int projectCount = 0;
    int shardCount = 64;

    QByteArray encode() const;
    static std::optional<PeerMeta> decode(const QByteArray& json);
    bool operator==(const PeerMeta& other) const = default;
};

// "shard-%02x.json": the projects of one shard, sorted by number.
struct CatalogShard
{
    int version = SharedCatalog::currentVersion;
    QString machineId;
    int shard = 0;
    QList<SharedProject> projects;

    QByteArray encode() const;
    // `now` stands in for a project's missing "updatedAt".
    static std::optional<CatalogShard> decode(const QByteArray& json, const QDateTime& now);
    bool operator==(const CatalogShard& other) const = default;
};

// "tasks.json": a machine's task list.
struct SharedTasks
{
    int version = SharedCatalog::currentVersion;
    QString machineId;
    TaskList list;

    QByteArray encode() const;
    static std::optional<SharedTasks> decode(const QByteArray& json);
    bool operator==(const SharedTasks& other) const = default;
};

// "<machine id>.json" directly in "peers": a machine's whole project list in
// one file, the older format, still written and read.
struct LegacyCatalog
{
    int version = SharedCatalog::currentVersion;
    QString machineId;
    QString machineName;
    QDateTime writtenAt;
    QList<SharedProject> projects;

    QByteArray encode() const;
    static std::optional<LegacyCatalog> decode(const QByteArray& json, const QDateTime& now);
    bool operator==(const LegacyCatalog& other) const = default;
};


} // namespace zol
