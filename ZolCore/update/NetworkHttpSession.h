#pragma once

#include "support/Clock.h"
#include "update/HttpSession.h"

namespace zol {

// HttpSession over QNetworkAccessManager, and ephemeral: each get() builds its
// own manager with a cookie jar that sends and keeps nothing, no cache and no
// strict-transport store, so no request leaves a trace for the next one or on
// disk. Redirects are followed only within the same scheme, host and port.
//
// get() waits in a local event loop on the calling thread, so it works on any
// thread with an event dispatcher, QtConcurrent workers included. It is meant
// for a worker: on the UI thread it would hold up the interface for as long as
// the time-outs allow. Separate calls share nothing and may run at once.
class NetworkHttpSession final : public HttpSession
{
public:
    // A request during which no bytes move for this long fails.
    static constexpr double requestTimeoutSeconds = 15;
    // A request still not finished after this long fails, however slowly it moves.
    static constexpr double resourceTimeoutSeconds = 20;

    // `clock` times the overall limit; it must outlive the session.
    explicit NetworkHttpSession(Clock& clock = Clock::system());

    Reply get(const QUrl& url, qint64 maxBytes) override;

private:
    Clock& m_clock;
};

} // namespace zol
