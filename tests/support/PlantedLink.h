#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

namespace zol::test {

// A symbolic link another machine planted on the share. Whatever stood at
// `path` moves into a folder outside the share, beside a canary file, and
// `path` becomes a link to that folder: through the link everything looks as
// before. The outside is remembered as it was, so that a test can prove that
// nothing was written, moved or removed there.
class PlantedLink
{
public:
    explicit PlantedLink(const QString& path);
    PlantedLink(const PlantedLink&) = delete;
    PlantedLink& operator=(const PlantedLink&) = delete;

    const QString& path() const { return m_path; }
    // The folder the link points to.
    QString target() const { return m_outside.filePath(QStringLiteral("target")); }
    // Whether `sentence` refuses this link by name, as the file layer does.
    bool isRefusedIn(const QString& sentence) const
    {
        return sentence.contains(m_path) &&
               sentence.contains(QStringLiteral(" is a symbolic link, and nothing below "));
    }
    // Whether everything outside is as it was when the link was planted.
    bool untouched() const { return tree(m_outside.path()) == m_before; }

    // Every entry below `folder` by its relative path: a file's bytes, a
    // folder's "/", a link's "-> " and target. Links are never followed.
    static QMap<QString, QByteArray> tree(const QString& folder);

private:
    QString m_path;
    QTemporaryDir m_outside;
    QMap<QString, QByteArray> m_before;
};

} // namespace zol::test
