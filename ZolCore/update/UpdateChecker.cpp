#include "update/UpdateChecker.h"

#include "update/Version.h"

#ifndef ZOL_UPDATE_HOST
#error "ZOL_UPDATE_HOST must name the update host (set by the build)"
#endif

using namespace Qt::StringLiterals;

namespace zol {

const QString& UpdateChecker::updateHost()
{
    static const QString host = QStringLiteral(ZOL_UPDATE_HOST).toLower();
    return host;
}

const QUrl& UpdateChecker::manifestURL()
{
    static const QUrl url(u"https://"_s + updateHost() + u"/apps/zol/update/latest.json"_s);
    return url;
}

const QSet<QString>& UpdateChecker::allowedHosts()
{
    static const QSet<QString> hosts{updateHost(), u"www."_s + updateHost()};
    return hosts;
}

UpdateChecker::CheckError::CheckError(Case which, const QString& payload, const QString& message)
    : ErrorOf(message)
    , m_case(which)
    , m_payload(payload)
{}

UpdateChecker::CheckError UpdateChecker::CheckError::unreachable(const QString& detail)
{
    return CheckError(Case::unreachable, detail,
                      u"Could not reach "_s + updateHost() + u". "_s + detail);
}

UpdateChecker::CheckError UpdateChecker::CheckError::packageElsewhere(const QString& host)
{
    return CheckError(Case::packageElsewhere, host,
                      u"The published download points at "_s + host +
                          u", which is not where Zol updates live."_s);
}

UpdateChecker::CheckError UpdateChecker::CheckError::unreadable()
{
    return CheckError(Case::unreadable, QString(),
                      updateHost() + u" answered, but not with something Zol understands."_s);
}

UpdateChecker::UpdateChecker(std::shared_ptr<Session> session, QUrl manifest)
    : m_session(session ? std::move(session) : HttpSession::makeDefault())
    , m_manifestURL(std::move(manifest))
{}

std::optional<UpdateChecker::Available> UpdateChecker::check(const QString& currentVersion) const
{
    HttpSession::Reply reply;
    try {
        reply = m_session->get(m_manifestURL, maxManifestBytes);
    } catch (const HttpSession::TransportError& failure) {
        throw CheckError::unreachable(failure.message());
    }

    if (!reply.status)
        throw CheckError::unreadable();
    if (*reply.status == 404)
        return std::nullopt;
    if (*reply.status < 200 || *reply.status > 299)
        throw CheckError::unreachable(u"It answered "_s + QString::number(*reply.status) + u"."_s);
    if (reply.tooLarge)
        throw CheckError::unreadable();

    std::optional<UpdateManifest> manifest = UpdateManifest::fromJson(reply.body);
    if (!manifest)
        throw CheckError::unreadable();
    if (!Version::isNewer(manifest->version, currentVersion))
        return std::nullopt;

    const QUrl package(manifest->url, QUrl::StrictMode);
    if (!package.isValid() || package.host().isEmpty() || package.scheme().isEmpty())
        throw CheckError::unreadable();
    const QString host = package.host().toLower();
    if (package.scheme().toLower() != u"https"_s || !allowedHosts().contains(host))
        throw CheckError::packageElsewhere(host);
    return Available{std::move(*manifest), package};
}

} // namespace zol
