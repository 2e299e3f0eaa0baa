#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace zol::test {

// Points XDG_DATA_HOME and XDG_CONFIG_HOME at fresh temporary folders for the
// life of the object, and puts the old values back afterwards, so that a test
// never touches the real user's hours or settings.
class UserFolders
{
public:
    UserFolders();
    ~UserFolders();
    UserFolders(const UserFolders&) = delete;
    UserFolders& operator=(const UserFolders&) = delete;

    QString root() const { return m_root.path(); }
    QString dataHome() const { return root() + QStringLiteral("/data"); }
    QString configHome() const { return root() + QStringLiteral("/config"); }

private:
    QTemporaryDir m_root;
    QByteArray m_oldData;
    QByteArray m_oldConfig;
    bool m_hadData;
    bool m_hadConfig;
};

} // namespace zol::test
