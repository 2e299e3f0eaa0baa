#include "update/NetworkHttpSession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <memory>

using namespace Qt::StringLiterals;

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::NetworkHttpSession)
};

// Sends no cookie and keeps none.
class NoCookies final : public QNetworkCookieJar
{
public:
    NoCookies() = default;
    Q_DISABLE_COPY_MOVE(NoCookies)

    QList<QNetworkCookie> cookiesForUrl(const QUrl&) const override { return {}; }
    bool setCookiesFromUrl(const QList<QNetworkCookie>&, const QUrl&) override { return false; }
};

// Errors of the connection itself (and of a proxy), as opposed to an answer
// that came back and says no.
bool isTransportFailure(QNetworkReply::NetworkError error)
{
    return error > QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

} // namespace

NetworkHttpSession::NetworkHttpSession(Clock& clock)
    : m_clock(clock)
{}

HttpSession::Reply NetworkHttpSession::get(const QUrl& url, qint64 maxBytes)
{
    QNetworkAccessManager manager;
    manager.setCookieJar(new NoCookies); // owned by the manager
    manager.setRedirectPolicy(QNetworkRequest::SameOriginRedirectPolicy);

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(int(requestTimeoutSeconds * 1000));

    const std::unique_ptr<QNetworkReply> reply(manager.get(request));
    Reply result;
    bool timedOut = false;
    QEventLoop loop;

    // Abandons the body: abort() ends the transfer and emits finished().
    const auto refuse = [&] {
        result.tooLarge = true;
        result.body.clear();
        reply->abort();
    };
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (!result.tooLarge && length.isValid() && length.toLongLong() > maxBytes)
            refuse();
    });
    // Never takes more than one byte past the limit out of the reply.
    const auto take = [&] {
        if (result.tooLarge)
            return;
        result.body += reply->read(maxBytes + 1 - result.body.size());
        if (result.body.size() > maxBytes)
            refuse();
    };
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    Clock::Timer deadline = m_clock.after(resourceTimeoutSeconds, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.cancel();

    const QNetworkReply::NetworkError error = reply->error();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid())
        result.status = status.toInt();
    if (!isTransportFailure(error))
        take();
    if (result.tooLarge)
        return result;

    // Our own deadline, and Qt's transfer time-out (which cancels the reply).
    if (timedOut || error == QNetworkReply::OperationCanceledError)
        throw TransportError(Texts::tr("The request timed out."));
    if (isTransportFailure(error))
        throw TransportError(reply->errorString());
    return result;
}

} // namespace zol
