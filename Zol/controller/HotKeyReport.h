#pragma once

#include <QObject>
#include <QString>

#include <optional>

namespace zol {

// Why the desktop refused the start-and-pause key the last time it was asked
// for; none while the key is held or not wanted. The companions that hold the
// key report it here, for the settings to show.
class HotKeyReport final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HotKeyReport)

public:
    using QObject::QObject;

    const std::optional<QString>& failure() const { return m_failure; }
    void setFailure(const std::optional<QString>& failure)
    {
        if (m_failure == failure)
            return;
        m_failure = failure;
        Q_EMIT changed();
    }

Q_SIGNALS:
    void changed();

private:
    std::optional<QString> m_failure;
};

} // namespace zol
