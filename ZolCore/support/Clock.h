#pragma once

#include <QDateTime>
#include <QObject>

#include <functional>
#include <memory>

namespace zol {

// The source of "now" and of waiting. Nothing in Zol reads the system time or
// starts a QTimer for a wait of its own: it asks its Clock, so that tests can
// drive every ticker, reminder and timeout by advancing a fake clock.
//
// Wall-clock time (now) is what gets stored and shown; it may jump when the
// user changes the system time. Monotonic time never goes back and is what
// elapsed intervals and waits are measured on.
class Clock
{
public:
    using Callback = std::function<void()>;

    // A pending wait. Destroying or cancelling the handle stops it; a wait also
    // ends silently when its context object is destroyed. Move-only.
    class Timer
    {
    public:
        struct Control
        {
            virtual ~Control() = default;
            virtual void cancel() = 0;
            virtual bool isActive() const = 0;
        };

        Timer() = default;
        explicit Timer(std::unique_ptr<Control> control);
        Timer(Timer&& other) noexcept = default;
        Timer& operator=(Timer&& other) noexcept;
        Timer(const Timer&) = delete;
        Timer& operator=(const Timer&) = delete;
        ~Timer();

        void cancel();
        // True while the callback is still due (a one-shot wait that fired is inactive).
        bool isActive() const;

    private:
        std::unique_ptr<Control> m_control;
    };

    virtual ~Clock() = default;

    // The current instant, in UTC.
    virtual QDateTime now() const = 0;
    // Seconds on a clock that only moves forward; its origin is arbitrary.
    virtual double monotonicSeconds() const = 0;

    // Calls `callback` once, `seconds` from now (monotonic), on the thread of
    // `context`, which must be the calling thread.
    [[nodiscard]] virtual Timer after(double seconds, QObject* context, Callback callback) = 0;
    // Calls `callback` every `seconds` (monotonic) until the handle goes away.
    [[nodiscard]] virtual Timer every(double seconds, QObject* context, Callback callback) = 0;

    // The real clock of the machine.
    static Clock& system();
};

} // namespace zol
