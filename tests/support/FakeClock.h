#pragma once

#include "support/Clock.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace zol::test {

// A clock that stands still until told to move. advance() moves wall-clock and
// monotonic time together and runs every wait that falls due on the way, in
// order of due time (ties in the order they were scheduled), each at its own
// instant. setNow() moves the wall clock alone, as a user changing the system
// time would; waits are unaffected.
class FakeClock final : public Clock
{
public:
    // Starts at Monday 2 March 2026, 09:00 UTC, unless told otherwise.
    explicit FakeClock(const QDateTime& start = defaultStart()) { setNow(start); }

    static QDateTime defaultStart() { return QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC); }

    QDateTime now() const override;
    double monotonicSeconds() const override { return m_monotonic; }
    Timer after(double seconds, QObject* context, Callback callback) override
    {
        return schedule(seconds, 0, context, std::move(callback));
    }
    Timer every(double seconds, QObject* context, Callback callback) override;

    void setNow(const QDateTime& instant);
    void advance(double seconds);
    // Waits still due (cancelled ones and those of destroyed contexts excluded).
    int pendingTimers() const;

private:
    struct Pending
    {
        double due = 0;
        double interval = 0; // 0 for a one-shot wait
        quint64 order = 0;
        QPointer<QObject> context;
        Callback callback;
        bool active = true;
    };
    class Control;

    Timer schedule(double seconds, double interval, QObject* context, Callback callback);

    qint64 m_wallAtBase = 0; // ms since 1970
    double m_monotonicAtBase = 0;
    double m_monotonic = 1000;
    quint64 m_nextOrder = 0;
    std::vector<std::shared_ptr<Pending>> m_pending;
};

} // namespace zol::test
