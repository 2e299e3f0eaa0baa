#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

namespace zol::test {

// Sets and clears environment variables of this process, and puts back what
// was there when it goes.
class ScopedEnvironment
{
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment()
    {
        for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
            if (it->second.isNull())
                qunsetenv(it->first.constData());
            else
                qputenv(it->first.constData(), it->second);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // A null value clears the variable.
    void set(const char* name, const QByteArray& value)
    {
        m_saved.append({name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray()});
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

private:
    QList<QPair<QByteArray, QByteArray>> m_saved;
};

} // namespace zol::test
