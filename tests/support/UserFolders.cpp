#include "UserFolders.h"

#include <QDir>

namespace zol::test {

UserFolders::UserFolders()
    : m_oldData(qgetenv("XDG_DATA_HOME"))
    , m_oldConfig(qgetenv("XDG_CONFIG_HOME"))
    , m_hadData(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
    , m_hadConfig(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    Q_ASSERT(m_root.isValid());
    QDir(m_root.path()).mkpath(QStringLiteral("data"));
    QDir(m_root.path()).mkpath(QStringLiteral("config"));
    qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
}

UserFolders::~UserFolders()
{
    if (m_hadData)
        qputenv("XDG_DATA_HOME", m_oldData);
    else
        qunsetenv("XDG_DATA_HOME");
    if (m_hadConfig)
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

} // namespace zol::test
