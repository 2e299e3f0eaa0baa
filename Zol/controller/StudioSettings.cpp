#include "StudioSettings.h"

#include "AdministrationForm.h"
#include "Captions.h"
#include "OpenBooks.h"
#include "SharingModel.h"
#include "books/AppSettings.h"
#include "support/PlainText.h"

#include <QLocale>

namespace zol {

StudioSettings::StudioSettings(OpenBooks& books, SharingModel& sharing, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_sharing(sharing)
{
    for (const auto signal : {&SharingModel::shareSummaryChanged, &SharingModel::shareErrorChanged,
                              &SharingModel::isSharingChanged, &SharingModel::lastSharedAtChanged,
                              &SharingModel::isSyncingChanged, &SharingModel::connectionChanged})
        connect(&sharing, signal, this, &StudioSettings::changed);
    connect(&books, &OpenBooks::administrationChanged, this, &StudioSettings::changed);
    connect(&books, &OpenBooks::settingsChanged, this, &StudioSettings::followSettings);
    connect(&books, &OpenBooks::closing, this, [this] { setRefusal(std::nullopt); });
    followSettings();
}

StudioSettings::~StudioSettings() = default;

void StudioSettings::followSettings()
{
    for (const QMetaObject::Connection& c : std::as_const(m_settingsConnections))
        disconnect(c);
    const AppSettings* settings = m_books.settings();
    m_settingsConnections = {
        connect(settings, &AppSettings::sharedFolderPathChanged, this, &StudioSettings::changed),
        connect(settings, &AppSettings::sharedSyncEnabledChanged, this, &StudioSettings::changed),
        connect(settings, &AppSettings::autoUploadEnabledChanged, this, &StudioSettings::changed),
    };
    Q_EMIT changed();
}

bool StudioSettings::isLocalOnly() const
{
    return m_books.administration().isLocalOnly();
}

QString StudioSettings::localExplanation() const
{
    if (m_books.administration().isDefault())
        return AdministrationForm::keepsLocalHelp(m_books.administration());
    return m_books.administration().name +
           QStringLiteral(" is kept on this computer only. It shares no project list, hands in "
                          "no timesheets, and appears in nobody else’s Analytics. Change that "
                          "under Administrations.");
}

std::optional<QString> StudioSettings::folder() const
{
    if (isLocalOnly())
        return std::nullopt;
    return m_books.settings()->sharedFolder();
}

bool StudioSettings::isUnreachable() const
{
    const AppSettings& settings = *m_books.settings();
    return folder() && settings.sharedSyncEnabled() && m_sharing.shareError();
}

QString StudioSettings::stateLine() const
{
    const AppSettings& settings = *m_books.settings();
    const SharingModel& sharing = m_sharing;
    if (!folder())
        return QStringLiteral("No folder chosen");
    if (!settings.sharedSyncEnabled())
        return QStringLiteral("Chosen, but sharing is switched off.");
    if (sharing.shareError())
        return *sharing.shareError();
    if (!sharing.shareSummary())
        return QStringLiteral("Looking at the folder…");
    const SharedFolderSync::Summary& summary = *sharing.shareSummary();
    const int peers = summary.peersSeen;
    if (peers == 0)
        return QStringLiteral("Reachable · no other computers yet");
    QString line =
        QStringLiteral("Reachable · ") + QString::number(peers) +
        (peers == 1 ? QStringLiteral(" other computer") : QStringLiteral(" other computers"));
    // Who they are, as they call themselves; a long list ends in a count.
    QStringList names;
    for (const QString& name : summary.peerNames) {
        if (!name.trimmed().isEmpty())
            names.append(PlainText::isolated(name.trimmed()));
    }
    if (names.isEmpty())
        return line;
    constexpr qsizetype shown = 3;
    if (names.size() > shown + 1) {
        const qsizetype more = names.size() - shown;
        names.resize(shown);
        names.append(QString::number(more) + QStringLiteral(" more"));
    }
    return line + QStringLiteral(": ") + Captions::listed(names);
}

QString StudioSettings::lastSyncedLine() const
{
    const std::optional<QDateTime>& at = m_sharing.lastSharedAt();
    if (!folder() || !at)
        return {};
    return QStringLiteral("Last synced ") +
           UploadState::stamp(*at, m_books.clock().now(), m_books.calendar(), QLocale());
}

QString StudioSettings::conflictCopiesLine() const
{
    const std::optional<SharedFolderSync::Summary>& summary = m_sharing.shareSummary();
    if (!folder() || !summary)
        return {};
    return SharingModel::conflictCopiesSentence(summary->conflictCopies).value_or(QString());
}

QFuture<void> StudioSettings::choose(const QString& path)
{
    const QString chosen = path.trimmed();
    if (chosen.isEmpty())
        return QtFuture::makeReadyFuture();
    const Administration& books = m_books.administration();
    if (!books.isLocalOnly()) {
        if (const std::optional<Administration> owner =
                AppSettings::administrationUsing(chosen, books.id, m_books.defaults())) {
            const QString name = owner->name.trimmed().isEmpty()
                                     ? QStringLiteral("another administration")
                                     : owner->name;
            setRefusal(Refusal{QStringLiteral("That folder belongs to ") + name,
                               SharingModel::folderTakenExplanation()});
            return QtFuture::makeReadyFuture();
        }
    }
    setRefusal(std::nullopt);
    return m_sharing.chooseStudioFolder(chosen);
}

void StudioSettings::setSharing(bool on)
{
    if (!isLocalOnly())
        m_books.settings()->setSharedSyncEnabled(on && folder().has_value());
}

void StudioSettings::setAutoUpload(bool on)
{
    m_books.settings()->setAutoUploadEnabled(on);
}

QString StudioSettings::disconnectQuestion() const
{
    return QStringLiteral("Disconnect ") + m_books.administration().name +
           QStringLiteral(" from the studio folder?");
}

QString StudioSettings::disconnectExplanation()
{
    return QStringLiteral("The project list stops travelling and no more timesheets are handed "
                          "in. Nothing on the studio folder is deleted, and the folder can be "
                          "chosen again later.");
}

QString StudioSettings::chooseLabel() const
{
    return folder() ? QStringLiteral("Choose another folder…") : chooseTitle();
}

QString StudioSettings::chooseTitle()
{
    return QStringLiteral("Choose the shared folder on the NAS");
}

QString StudioSettings::folderExplanation()
{
    return QStringLiteral(
        "Zol will keep its files in a hidden “.zol” folder inside whatever you pick.");
}

QString StudioSettings::syncExplanation()
{
    return QStringLiteral("Both ways, every minute, in the background.");
}

QString StudioSettings::uploadExplanation()
{
    return QStringLiteral("Weeks and months, every ten minutes, and straight away whenever the "
                          "NAS is mounted or this computer wakes.");
}

QString StudioSettings::onwardExplanation()
{
    return QStringLiteral(
        "Neither is built yet, so there is nothing here to switch on and no key to paste.");
}

void StudioSettings::setRefusal(const std::optional<Refusal>& refusal)
{
    if (m_refusal == refusal)
        return;
    m_refusal = refusal;
    Q_EMIT refusalChanged();
}

} // namespace zol
