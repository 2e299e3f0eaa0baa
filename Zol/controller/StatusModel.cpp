#include "StatusModel.h"

namespace zol {

StatusModel::StatusModel(Clock& clock, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
{}

void StatusModel::show(const std::optional<StatusMessage>& message)
{
    if (message) {
        const QUuid id = message->id;
        m_timeout = m_clock.after(message->lifetime(), this, [this, id] {
            if (m_message && m_message->id == id)
                clear();
        });
    }
    if (m_message == message)
        return;
    m_message = message;
    Q_EMIT changed();
}

std::unexpected<Refusal> StatusModel::refuse(const Refusal& refusal)
{
    fail(refusal.sentence);
    return std::unexpected(refusal);
}

} // namespace zol
