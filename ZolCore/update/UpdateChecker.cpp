#include "update/UpdateChecker.h"

#include "update/Version.h"

#include <QCoreApplication>

#ifndef ZOL_UPDATE_HOST
#error "ZOL_UPDATE_HOST must name the update host (set by the build)"
#endif

using namespace Qt::StringLiterals;

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::UpdateChecker)
};

} // namespace

const QString& UpdateChecker::configuredHost()
{
    static const QString host = QStringLiteral(ZOL_UPDATE_HOST).toLower();
    return host;
}

QString UpdateChecker::notOfferedSentence()
{
    return Texts::tr("Updates for this installation come from its package manager, which "
                     "installs new versions of Zol; Zol itself asks nobody.");
}

QSet<QString> UpdateChecker::allowedHosts() const
{
    return {m_host, u"www."_s + m_host};
}

UpdateChecker::CheckError::CheckError(Case which, const QString& payload, const QString& message)
    : ErrorOf(message)
    , m_case(which)
    , m_payload(payload)
{}

UpdateChecker::CheckError UpdateChecker::CheckError::unreachable(const QString& host,
                                                                 const QString& detail)
{
    //: %1 is the update host, %2 what went wrong, in a sentence of its own.
    return CheckError(Case::unreachable, detail,
                      Texts::tr("Could not reach %1. %2").arg(host, detail));
}

UpdateChecker::CheckError UpdateChecker::CheckError::packageElsewhere(const QString& host)
{
    return CheckError(Case::packageElsewhere, host,
                      Texts::tr("The published download points at %1, which is not where Zol "
                                "updates live.")
                          .arg(host));
}

UpdateChecker::CheckError UpdateChecker::CheckError::unreadable(const QString& host)
{
    return CheckError(Case::unreadable, QString(),
                      Texts::tr("%1 answered, but not with something Zol understands.").arg(host));
}

UpdateChecker::CheckError UpdateChecker::CheckError::notOffered()
{
    return CheckError(Case::notOffered, QString(), notOfferedSentence());
}

UpdateChecker::UpdateChecker(std::shared_ptr<Session> session, QString host,
                             std::optional<QUrl> manifest)
    : m_session(session ? std::move(session) : HttpSession::makeDefault())
    , m_host(std::move(host).toLower())
    , m_manifestURL(manifest ? std::move(*manifest)
                             : QUrl(u"https://"_s + m_host + u"/apps/zol/update/latest.json"_s))
{}

std::optional<UpdateChecker::Available> UpdateChecker::check(const QString& currentVersion) const
{
    if (!isOffered())
        throw CheckError::notOffered();
    HttpSession::Reply reply;
    try {
        reply = m_session->get(m_manifestURL, maxManifestBytes);
    } catch (const HttpSession::TransportError& failure) {
        throw CheckError::unreachable(m_host, failure.message());
    }

    if (!reply.status)
        throw CheckError::unreadable(m_host);
    if (*reply.status == 404)
        return std::nullopt;
    if (*reply.status < 200 || *reply.status > 299)
        //: %1 is the web server's status code, such as 503.
        throw CheckError::unreachable(m_host, Texts::tr("It answered %1.").arg(*reply.status));
    if (reply.tooLarge)
        throw CheckError::unreadable(m_host);

    std::optional<UpdateManifest> manifest = UpdateManifest::fromJson(reply.body);
    if (!manifest)
        throw CheckError::unreadable(m_host);
    if (!Version::isNewer(manifest->version, currentVersion))
        return std::nullopt;

    const QUrl package(manifest->url, QUrl::StrictMode);
    if (!package.isValid() || package.host().isEmpty() || package.scheme().isEmpty())
        throw CheckError::unreadable(m_host);
    const QString host = package.host().toLower();
    if (package.scheme().toLower() != u"https"_s || !allowedHosts().contains(host))
        throw CheckError::packageElsewhere(host);
    return Available{std::move(*manifest), package};
}

} // namespace zol
