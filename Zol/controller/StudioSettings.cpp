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
    return tr("%1 is kept on this computer only. It shares no project list, hands in no "
              "timesheets, and appears in nobody else’s Analytics. Change that under "
              "Administrations.")
        .arg(m_books.administration().name);
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
        return tr("No folder chosen");
    if (!settings.sharedSyncEnabled())
        return tr("Chosen, but sharing is switched off.");
    if (sharing.shareError())
        return *sharing.shareError();
    if (!sharing.shareSummary())
        return tr("Looking at the folder…");
    const SharedFolderSync::Summary& summary = *sharing.shareSummary();
    const int peers = summary.peersSeen;
    if (peers == 0)
        return tr("Reachable · no other computers yet");
    // Who they are, as they call themselves; a long list ends in a count.
    QStringList names;
    for (const QString& name : summary.peerNames) {
        if (!name.trimmed().isEmpty())
            names.append(PlainText::isolated(name.trimmed()));
    }
    if (names.isEmpty())
        return tr("Reachable · %n other computers", nullptr, peers);
    constexpr qsizetype shown = 3;
    if (names.size() > shown + 1) {
        const qsizetype more = names.size() - shown;
        names.resize(shown);
        //: The end of a list of names: "Bram, Carla, Dirk and 2 more".
        names.append(tr("%n more", nullptr, int(more)));
    }
    //: %1 lists their names: "Bram and Carla".
    return tr("Reachable · %n other computers: %1", nullptr, peers).arg(Captions::listed(names));
}

QString StudioSettings::lastSyncedLine() const
{
    const std::optional<QDateTime>& at = m_sharing.lastSharedAt();
    if (!folder() || !at)
        return {};
    //: %1 is when: "today 14:05" or "2 Mar 2026, 09:00".
    return tr("Last synced %1")
        .arg(UploadState::stamp(*at, m_books.clock().now(), m_books.calendar(), QLocale()));
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
            const QString title = owner->name.trimmed().isEmpty()
                                      ? tr("That folder belongs to another administration")
                                      : tr("That folder belongs to %1").arg(owner->name);
            setRefusal(Refusal{title, SharingModel::folderTakenExplanation()});
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
    return tr("Disconnect %1 from the studio folder?").arg(m_books.administration().name);
}

QString StudioSettings::disconnectExplanation()
{
    return tr("The project list stops travelling and no more timesheets are handed in. Nothing "
              "on the studio folder is deleted, and the folder can be chosen again later.");
}

QString StudioSettings::chooseLabel() const
{
    return folder() ? tr("Choose another folder…") : chooseTitle();
}

QString StudioSettings::chooseTitle()
{
    return tr("Choose the shared folder on the NAS");
}

QString StudioSettings::folderExplanation()
{
    return tr("Zol will keep its files in a hidden “.zol” folder inside whatever you pick.");
}

QString StudioSettings::syncExplanation()
{
    return tr("Both ways, every minute, in the background.");
}

QString StudioSettings::uploadExplanation()
{
    return tr("Weeks and months, every ten minutes, and straight away whenever the NAS is "
              "mounted or this computer wakes.");
}

QString StudioSettings::onwardExplanation()
{
    return tr("Neither is built yet, so there is nothing here to switch on and no key to paste.");
}

void StudioSettings::setRefusal(const std::optional<Refusal>& refusal)
{
    if (m_refusal == refusal)
        return;
    m_refusal = refusal;
    Q_EMIT refusalChanged();
}

} // namespace zol
