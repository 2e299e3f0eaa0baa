#pragma once

#include "support/Error.h"
#include "update/HttpSession.h"
#include "update/UpdateManifest.h"

#include <QSet>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

namespace zol {

// Asks the update host, on request only, whether a newer version of Zol has
// been published, and where to download it. Nothing is installed and nothing
// is sent besides the one GET of the manifest.
//
// The update host is a build setting (ZOL_UPDATE_HOST); only the manifest's
// path and the HTTPS scheme are fixed. A build without one checks nothing.
class UpdateChecker
{
public:
    using Session = HttpSession;

    struct Available
    {
        UpdateManifest manifest;
        // The manifest's "url", parsed: HTTPS on one of `allowedHosts`.
        QUrl package;

        bool operator==(const Available& other) const = default;
    };

    // Every way a check fails, each with the sentence shown to the user.
    class CheckError final : public ErrorOf<CheckError>
    {
    public:
        enum class Case { unreachable, packageElsewhere, unreadable, notOffered };

        // "Could not reach <update host>. <detail>"
        static CheckError unreachable(const QString& host, const QString& detail);
        // "The published download points at <host>, which is not where Zol
        // updates live." `host` is in lower case.
        static CheckError packageElsewhere(const QString& host);
        // "<update host> answered, but not with something Zol understands."
        static CheckError unreadable(const QString& host);
        // notOfferedSentence(): a build without an update host.
        static CheckError notOffered();

        Case which() const { return m_case; }
        // The detail of `unreachable`, the host of `packageElsewhere`, empty
        // otherwise.
        const QString& payload() const { return m_payload; }

    private:
        CheckError(Case which, const QString& payload, const QString& message);

        Case m_case;
        QString m_payload;
    };

    // The update host this build was configured with (ZOL_UPDATE_HOST), in
    // lower case; empty when none was, as for a distribution's package: then
    // new versions come from the package manager and nothing is asked.
    static const QString& configuredHost();
    // What a build without an update host says when asked to check.
    static QString notOfferedSentence();
    // A manifest is a few hundred bytes; an answer longer than this is not
    // read and counts as unreadable.
    static constexpr qint64 maxManifestBytes = 256 * 1024;

    // A checker of `host` over `session`, or over a NetworkHttpSession of its
    // own when none is given. The manifest is fetched from
    // https://<host>/apps/zol/update/latest.json, or from `manifest` (only
    // tests point it elsewhere).
    explicit UpdateChecker(std::shared_ptr<Session> session = nullptr,
                           QString host = configuredHost(), std::optional<QUrl> manifest = {});

    // The host asked, in lower case; empty when this build offers no updates.
    const QString& host() const { return m_host; }
    bool isOffered() const { return !m_host.isEmpty(); }
    // Where a package may be downloaded from: the host and its "www." form.
    QSet<QString> allowedHosts() const;

    // The newer version published, or none when the published one is not
    // newer than `currentVersion` or nothing is published (a 404). Blocks for
    // as long as the request takes, so callers run it off the UI thread (the
    // controller uses QtConcurrent::run); CheckError crosses back to the
    // waiting thread with its type. Throws CheckError; notOffered, asking
    // nobody, when there is no host.
    std::optional<Available> check(const QString& currentVersion) const;

private:
    std::shared_ptr<Session> m_session;
    QString m_host;
    QUrl m_manifestURL;
};

} // namespace zol
