#include "window/StudioSection.h"

#include "AppModel.h"
#include "OffThread.h"
#include "Platform.h"
#include "SharingModel.h"
#include "StudioSettings.h"
#include "books/AppSettings.h"
#include "common/Icons.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"
#include "window/ConfirmSheet.h"
#include "window/ConnectionBadge.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace zol::ui {

StudioSection::StudioSection(AppModel& model, QWidget* parent)
    : SectionPage(tr("Studio"),
                  tr("Where this administration meets the rest of the studio: the shared "
                     "project list and the timesheets handed in."),
                  parent)
    , m_model(model)
    , m_studio(new StudioSettings(model.books(), *model.sharing(), this))
{
    m_badge = new ConnectionBadge(*model.sharing(), this);
    auto* badgeRow = new QHBoxLayout();
    badgeRow->addWidget(m_badge);
    badgeRow->addStretch();
    content()->addLayout(badgeRow);
    content()->addWidget(m_localOnly = makeLocalOnly());
    content()->addWidget(m_sharing = makeSharing());
    content()->addWidget(makeOnward());

    connect(m_studio, &StudioSettings::changed, this, &StudioSection::showState);
    connect(m_studio, &StudioSettings::refusalChanged, this, &StudioSection::showRefusal);
    showState();
    showRefusal();
}

StudioSection::~StudioSection() = default;

QWidget* StudioSection::makeLocalOnly()
{
    auto* card = new Card(this);
    card->setObjectName(QStringLiteral("localOnly"));
    card->body()->addWidget(cardTitle(tr("This administration never shares"), card));
    m_localText = secondaryLabel(QString(), card);
    m_localText->setObjectName(QStringLiteral("localExplanation"));
    card->body()->addWidget(m_localText);
    auto* manage = new QPushButton(tr("Manage administrations…"), card);
    manage->setObjectName(QStringLiteral("manageAdministrations"));
    manage->setAccessibleName(manage->text());
    connect(manage, &QPushButton::clicked, this,
            [this] { m_model.setWindowSection(QStringLiteral("administrations")); });
    auto* row = new QHBoxLayout();
    row->addWidget(manage);
    row->addStretch();
    card->body()->addLayout(row);
    return card;
}

QWidget* StudioSection::makeSharing()
{
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("sharing"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);

    auto* folderCard = new Card(box);
    folderCard->setObjectName(QStringLiteral("folderCard"));
    folderCard->body()->addWidget(cardTitle(tr("Studio folder"), folderCard));
    auto* folderRow = new QHBoxLayout();
    folderRow->setSpacing(8);
    auto* folderMark = new QLabel(folderCard);
    followPixmap(folderMark, QStringLiteral("folder"), 18,
                 [](const QPalette& colours) { return colours.color(QPalette::WindowText); });
    m_folder = wrapping(new QLabel(folderCard));
    m_folder->setObjectName(QStringLiteral("folderPath"));
    m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folderRow->addWidget(folderMark);
    folderRow->addWidget(m_folder, 1);
    folderCard->body()->addLayout(folderRow);
    m_state = wrapping(new QLabel(folderCard));
    m_state->setObjectName(QStringLiteral("folderState"));
    folderCard->body()->addWidget(m_state);
    m_lastSynced = secondaryLabel(QString(), folderCard);
    m_lastSynced->setObjectName(QStringLiteral("lastSynced"));
    folderCard->body()->addWidget(m_lastSynced);
    m_conflicts = wrapping(secondaryLabel(QString(), folderCard));
    m_conflicts->setObjectName(QStringLiteral("conflictCopies"));
    folderCard->body()->addWidget(m_conflicts);

    auto* buttons = new QHBoxLayout();
    m_choose = new QPushButton(StudioSettings::chooseTitle(), folderCard);
    followIcon(m_choose, QStringLiteral("folder-plus"));
    m_choose->setObjectName(QStringLiteral("chooseFolder"));
    m_choose->setAccessibleName(m_choose->text());
    connect(m_choose, &QPushButton::clicked, this, &StudioSection::chooseFolder);
    m_disconnect = new QPushButton(tr("Disconnect"), folderCard);
    m_disconnect->setObjectName(QStringLiteral("disconnect"));
    m_disconnect->setAccessibleName(m_disconnect->text());
    connect(m_disconnect, &QPushButton::clicked, this, &StudioSection::confirmDisconnect);
    buttons->addWidget(m_choose);
    buttons->addWidget(m_disconnect);
    buttons->addStretch();
    folderCard->body()->addLayout(buttons);
    folderCard->body()->addWidget(secondaryLabel(StudioSettings::folderExplanation(), folderCard));
    column->addWidget(folderCard);

    m_refusal = new Card(box);
    m_refusal->setObjectName(QStringLiteral("folderRefusal"));
    m_refusalTitle = cardTitle(QString(), m_refusal);
    m_refusalTitle->setObjectName(QStringLiteral("refusalTitle"));
    m_refusalText = wrapping(new QLabel(m_refusal));
    m_refusalText->setObjectName(QStringLiteral("refusalText"));
    m_refusal->body()->addWidget(m_refusalTitle);
    m_refusal->body()->addWidget(m_refusalText);
    column->addWidget(m_refusal);

    auto* syncCard = new Card(box);
    syncCard->setObjectName(QStringLiteral("syncCard"));
    auto* syncRow = new QHBoxLayout();
    m_share = new QCheckBox(tr("Share the project list"), syncCard);
    m_share->setObjectName(QStringLiteral("shareProjects"));
    m_share->setAccessibleName(m_share->text());
    connect(m_share, &QCheckBox::clicked, this, [this](bool on) { m_studio->setSharing(on); });
    m_syncNow = new QPushButton(tr("Sync now"), syncCard);
    followIcon(m_syncNow, QStringLiteral("refresh"));
    m_syncNow->setObjectName(QStringLiteral("syncNow"));
    m_syncNow->setAccessibleName(m_syncNow->text());
    connect(m_syncNow, &QPushButton::clicked, this, [this] { m_model.sharing()->syncNow(); });
    syncRow->addWidget(m_share, 1);
    syncRow->addWidget(m_syncNow);
    syncCard->body()->addLayout(syncRow);
    syncCard->body()->addWidget(secondaryLabel(StudioSettings::syncExplanation(), syncCard));
    column->addWidget(syncCard);

    auto* uploadCard = new Card(box);
    uploadCard->setObjectName(QStringLiteral("uploadCard"));
    m_autoUpload = new QCheckBox(tr("Hand in weeks and months automatically"), uploadCard);
    m_autoUpload->setObjectName(QStringLiteral("autoUpload"));
    m_autoUpload->setAccessibleName(m_autoUpload->text());
    connect(m_autoUpload, &QCheckBox::clicked, this,
            [this](bool on) { m_studio->setAutoUpload(on); });
    uploadCard->body()->addWidget(m_autoUpload);
    uploadCard->body()->addWidget(secondaryLabel(StudioSettings::uploadExplanation(), uploadCard));
    column->addWidget(uploadCard);

    setTabOrder(m_choose, m_disconnect);
    setTabOrder(m_disconnect, m_share);
    setTabOrder(m_share, m_syncNow);
    setTabOrder(m_syncNow, m_autoUpload);
    return box;
}

Card* StudioSection::makeOnward()
{
    auto* card = new Card(this);
    card->setObjectName(QStringLiteral("onwardCard"));
    card->body()->addWidget(cardTitle(tr("Sending hours onward"), card));
    for (const QString& service : {QStringLiteral("Harvest"), QStringLiteral("Clockify")}) {
        auto* row = new QHBoxLayout();
        row->addWidget(new QLabel(service, card), 1);
        QLabel* later = secondaryLabel(tr("Later"), card);
        later->setObjectName(QStringLiteral("later") + service);
        later->setAccessibleName(tr("%1: Later").arg(service));
        row->addWidget(later);
        card->body()->addLayout(row);
    }
    card->body()->addWidget(secondaryLabel(StudioSettings::onwardExplanation(), card));
    return card;
}

void StudioSection::chooseFolder()
{
    Desktop::SaveRequest request;
    request.title = StudioSettings::chooseTitle();
    request.message = StudioSettings::folderExplanation();
    request.contentType = QStringLiteral("inode/directory");
    request.canCreateFolders = true;
    const std::optional<QString> chosen = m_model.platform().desktop().askWhereToSave(request);
    if (!chosen)
        return;
    m_choosing = true;
    showState();
    OffThread::afterwards(this, m_studio->choose(*chosen), [this](const QFuture<void>&) {
        m_choosing = false;
        showState();
    });
}

void StudioSection::confirmDisconnect()
{
    auto* sheet = new ConfirmSheet(m_studio->disconnectQuestion(),
                                   StudioSettings::disconnectExplanation(), tr("Disconnect"), this);
    sheet->setObjectName(QStringLiteral("disconnectSheet"));
    connect(sheet, &QDialog::accepted, this,
            [this] { m_model.sharing()->disconnectStudioFolder(); });
    sheet->open();
}

void StudioSection::showState()
{
    const bool localOnly = m_studio->isLocalOnly();
    m_localOnly->setVisible(localOnly);
    m_sharing->setVisible(!localOnly);
    m_localText->setText(m_studio->localExplanation());
    if (localOnly)
        return;

    const std::optional<QString> folder = m_studio->folder();
    const AppSettings& settings = *m_model.books().settings();
    m_folder->setText(folder.value_or(tr("No folder chosen")));
    m_state->setText(m_choosing ? tr("Looking at the folder…") : m_studio->stateLine());
    const bool unreachable = m_studio->isUnreachable();
    tintText(m_state, [unreachable](const QPalette& colours) {
        return unreachable ? Theme::failure(colours) : colours.color(QPalette::WindowText);
    });
    m_state->setVisible(folder.has_value() || m_choosing);
    m_lastSynced->setText(m_studio->lastSyncedLine());
    m_lastSynced->setVisible(!m_studio->lastSyncedLine().isEmpty());
    m_conflicts->setText(m_studio->conflictCopiesLine());
    m_conflicts->setVisible(!m_conflicts->text().isEmpty());
    m_choose->setEnabled(!m_choosing);
    m_choose->setText(m_studio->chooseLabel());
    m_choose->setAccessibleName(m_choose->text());
    m_disconnect->setVisible(folder.has_value());

    m_share->setChecked(settings.sharedSyncEnabled());
    m_share->setEnabled(folder.has_value());
    const bool syncing = m_model.sharing()->isSyncing();
    m_syncNow->setEnabled(m_model.sharing()->canUpload() && !syncing);
    m_syncNow->setText(syncing ? tr("Syncing…") : tr("Sync now"));
    m_autoUpload->setChecked(settings.autoUploadEnabled());
    m_autoUpload->setEnabled(folder.has_value());
}

void StudioSection::showRefusal()
{
    const std::optional<StudioSettings::Refusal>& refusal = m_studio->refusal();
    m_refusal->setVisible(refusal.has_value());
    if (!refusal)
        return;
    m_refusalTitle->setText(refusal->title);
    tintText(m_refusalTitle, Theme::failure);
    m_refusalText->setText(refusal->explanation);
}

} // namespace zol::ui
