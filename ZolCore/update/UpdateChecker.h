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
// path and the HTTPS scheme are fixed.
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
        enum class Case { unreachable, packageElsewhere, unreadable };

        // "Could not reach <update host>. <detail>"
        static CheckError unreachable(const QString& detail);
        // "The published download points at <host>, which is not where Zol
        // updates live." `host` is in lower case.
        static CheckError packageElsewhere(const QString& host);
        // "<update host> answered, but not with something Zol understands."
        static CheckError unreadable();

        Case which() const { return m_case; }
        // The detail of `unreachable`, the host of `packageElsewhere`, empty
        // for `unreadable`.
        const QString& payload() const { return m_payload; }

    private:
        CheckError(Case which, const QString& payload, const QString& message);

        Case m_case;
        QString m_payload;
    };

    // The update host's name, as configured at build time, in lower case.
    // (Functions rather than static objects, so that they are ready whenever
    // they are asked for, static initialisation included.)
    static const QString& updateHost();
    // https://<updateHost>/apps/zol/update/latest.json
    static const QUrl& manifestURL();
    // Where a package may be downloaded from: the update host and its "www." form.
    static const QSet<QString>& allowedHosts();
    // A manifest is a few hundred bytes; an answer longer than this is not
    // read and counts as unreadable.
    static constexpr qint64 maxManifestBytes = 256 * 1024;

    // A checker over `session`, or over a NetworkHttpSession of its own when
    // none is given. `manifest` is where the manifest is fetched from; only
    // tests point it elsewhere.
    explicit UpdateChecker(std::shared_ptr<Session> session = nullptr,
                           QUrl manifest = manifestURL());

    // The newer version published, or none when the published one is not
    // newer than `currentVersion` or nothing is published (a 404). Blocks for
    // as long as the request takes, so callers run it off the UI thread (the
    // controller uses QtConcurrent::run); CheckError crosses back to the
    // waiting thread with its type. Throws CheckError.
    std::optional<Available> check(const QString& currentVersion) const;

private:
    std::shared_ptr<Session> m_session;
    QUrl m_manifestURL;
};

} // namespace zol
