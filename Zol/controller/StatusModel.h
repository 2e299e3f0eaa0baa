#pragma once

#include "Refusal.h"
#include "StatusMessage.h"
#include "support/Clock.h"

#include <QObject>

#include <optional>
#include <utility>

namespace zol {

// The status line the panel and the window show under their content: one
// message at a time, cleared after its lifetime on the monotonic clock. A
// newer message replaces an older one at once; the older one's clear never
// touches the newer.
class StatusModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusModel)

public:
    explicit StatusModel(Clock& clock, QObject* parent = nullptr);

    const std::optional<StatusMessage>& message() const { return m_message; }
    // The text shown, empty when the line is clear.
    QString text() const { return m_message ? m_message->text : QString(); }
    bool showsFailure() const
    {
        return m_message && m_message->kind == StatusMessage::Kind::failure;
    }

    // Shows `message`, or clears the line.
    void show(const std::optional<StatusMessage>& message);
    void clear() { show(std::nullopt); }
    void fail(const QString& text) { show(StatusMessage::failure(text)); }
    void succeed(const QString& text) { show(StatusMessage::success(text)); }
    // Shows a refusal as a failure and gives it back, for an operation that
    // both says it and returns it.
    std::unexpected<Refusal> refuse(const Refusal& refusal);
    // A refused outcome is shown as a failure; a result says nothing.
    template <typename T> const Outcome<T>& failIfRefused(const Outcome<T>& outcome)
    {
        if (!outcome)
            fail(outcome.error().sentence);
        return outcome;
    }

    // Runs `work` as zol::attempt does; a refusal is shown as a failure too.
    template <typename Work> auto attempt(Work&& work)
    {
        auto outcome = zol::attempt(std::forward<Work>(work));
        if (!outcome)
            fail(outcome.error().sentence);
        return outcome;
    }

Q_SIGNALS:
    void changed();

private:
    Clock& m_clock;
    std::optional<StatusMessage> m_message;
    Clock::Timer m_timeout;
};

} // namespace zol
