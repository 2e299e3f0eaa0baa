#pragma once

#include "support/Error.h"

#include <QByteArray>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace zol {

// The one HTTP call the update check needs, behind an interface so that tests
// can answer it without a network.
class HttpSession
{
public:
    // The request never got an answer: no network, host not found, refused,
    // timed out, TLS failure. The message is the system's own description.
    class TransportError final : public ErrorOf<TransportError>
    {
    public:
        using ErrorOf::ErrorOf;
    };

    struct Reply
    {
        // The HTTP status; absent when the answer was not an HTTP response.
        std::optional<int> status;
        // The body, whatever the status. Empty when `tooLarge`.
        QByteArray body;
        // The body was longer than the caller's limit and was not read.
        bool tooLarge = false;
    };

    virtual ~HttpSession() = default;

    // Fetches `url` with a GET and returns once the whole answer is in. A body
    // of more than `maxBytes` bytes is abandoned as soon as that is known (from
    // its declared length or while it arrives), so a huge answer never ends
    // up in memory. Blocks the calling thread; throws TransportError.
    virtual Reply get(const QUrl& url, qint64 maxBytes) = 0;

    // The session a program uses when it is given none (the update check's):
    // made by the factory set here, or else the NetworkHttpSession of the
    // network module, loaded the first time one is asked for. Qt Network and
    // what it brings (Kerberos, proxies, compression) cost every process
    // several milliseconds to load; most commands never go on the network,
    // so only the process that does pays. Without a factory and without the
    // module every get() throws TransportError saying so. Any thread.
    using Factory = std::function<std::shared_ptr<HttpSession>()>;
    static void setDefaultFactory(Factory factory);
    static std::shared_ptr<HttpSession> makeDefault();
    // The C function the network module exports, which makes a session.
    static constexpr const char* moduleEntry = "zolMakeNetworkHttpSession";
};

} // namespace zol
