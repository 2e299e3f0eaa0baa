#include "window/PersonalSection.h"

#include "AppModel.h"
#include "HistoryModel.h"
#include "PersonName.h"
#include "PersonalFacts.h"
#include "ReportsModel.h"
#include "books/AppSettings.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"
#include "window/ConfirmSheet.h"
#include "window/ExportEverything.h"

#include <QCompleter>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zol::ui {

PersonalSection::PersonalSection(AppModel& model, QWidget* parent)
    : SectionPage(tr("Personal"),
                  tr("Your name as the rest of the studio sees it, and where your own "
                     "hours are kept."),
                  parent)
    , m_model(model)
    , m_name(new QLineEdit(this))
    , m_nameRefusal(wrapping(new QLabel(this)))
    , m_nameScope(secondaryLabel(QString(), this))
    , m_machineId(value(QStringLiteral("machineId"), tr("This computer's identifier")))
    , m_filedUnder(value(QStringLiteral("filedUnder"), tr("Timesheets are filed under")))
    , m_filedUnderNote(secondaryLabel(QString(), this))
    , m_database(value(QStringLiteral("databaseFolder"), tr("Kept on this computer at")))
    , m_reveal(new QPushButton(tr("Show database in Files"), this))
    , m_sessions(value(QStringLiteral("sessionsTracked"), tr("Sessions tracked")))
    , m_total(value(QStringLiteral("trackedInTotal"), tr("Tracked in total")))
    , m_first(value(QStringLiteral("firstTracked"), tr("First tracked")))
    , m_lastBackup(value(QStringLiteral("lastBackup"), tr("Last backup")))
    , m_backupNote(secondaryLabel(QString(), this))
    , m_backupProblem(wrapping(new QLabel(this)))
    , m_showBackups(new QPushButton(tr("Show backups"), this))
    , m_restore(new QToolButton(this))
    , m_restoreMenu(new QMenu(m_restore))
{
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_machineId->setFont(fixed);

    // The name.
    auto* nameCard = new Card(this);
    nameCard->body()->addWidget(cardTitle(tr("Your name"), nameCard));
    m_name->setObjectName(QStringLiteral("personName"));
    m_name->setAccessibleName(tr("Your name"));
    // Not "Onbekend": that is the folder a nameless person is filed
    // under, said in the line below the field, not a name to type.
    m_name->setPlaceholderText(tr("First and last name"));
    m_name->setMinimumHeight(30);
    auto* suggestions = new QCompleter(AppSettings::suggestedMachineNames(), m_name);
    suggestions->setCaseSensitivity(Qt::CaseInsensitive);
    m_name->setCompleter(suggestions);
    nameCard->body()->addWidget(m_name);
    // Why what is typed is not saved; the name saved before stays.
    m_nameRefusal->setObjectName(QStringLiteral("personNameRefusal"));
    tintText(m_nameRefusal, Theme::failure);
    m_nameRefusal->hide();
    nameCard->body()->addWidget(m_nameRefusal);
    m_nameScope->setObjectName(QStringLiteral("personNameScope"));
    nameCard->body()->addWidget(m_nameScope);
    nameCard->body()->addWidget(secondaryLabel(
        tr("Recorded on every session you track and shown to the rest of the studio. "
           "Sessions already tracked keep the name they were recorded with, so "
           "changing this does not rewrite your history."),
        nameCard));
    content()->addWidget(nameCard);

    // This computer on the share.
    auto* shareCard = new Card(this);
    shareCard->body()->addWidget(cardTitle(tr("Timesheets are filed under"), shareCard));
    shareCard->body()->addWidget(m_filedUnder);
    m_filedUnderNote->setObjectName(QStringLiteral("filedUnderNote"));
    shareCard->body()->addWidget(m_filedUnderNote);
    shareCard->body()->addSpacing(6);
    shareCard->body()->addWidget(cardTitle(tr("This computer"), shareCard));
    shareCard->body()->addWidget(m_machineId);
    shareCard->body()->addWidget(secondaryLabel(
        tr("The identifier is how the shared folder tells one computer from another. "
           "It stays put when you rename yourself, which is what lets your timesheets "
           "follow the new name."),
        shareCard));
    content()->addWidget(shareCard);

    // The database.
    auto* databaseCard = new Card(this);
    databaseCard->body()->addWidget(cardTitle(tr("Kept on this computer at"), databaseCard));
    auto* where = new QHBoxLayout();
    where->addWidget(m_database, 1);
    m_reveal->setObjectName(QStringLiteral("revealDatabase"));
    m_reveal->setAccessibleName(tr("Show database in Files"));
    followIcon(m_reveal, QStringLiteral("folder"));
    where->addWidget(m_reveal);
    databaseCard->body()->addLayout(where);
    databaseCard->body()->addWidget(
        secondaryLabel(tr("Everything you track is written here the moment a timer starts, before "
                          "anything is shared and whether or not the NAS is mounted. Deleting Zol "
                          "does not delete this folder."),
                       databaseCard));
    content()->addWidget(databaseCard);

    // The backups.
    auto* backupCard = new Card(this);
    backupCard->body()->addWidget(cardTitle(tr("Last backup"), backupCard));
    auto* backupRow = new QHBoxLayout();
    backupRow->addWidget(m_lastBackup, 1);
    m_showBackups->setObjectName(QStringLiteral("showBackups"));
    m_showBackups->setAccessibleName(tr("Show backups"));
    followIcon(m_showBackups, QStringLiteral("folder"));
    backupRow->addWidget(m_showBackups);
    m_restore->setObjectName(QStringLiteral("restoreBackup"));
    m_restore->setText(tr("Restore…"));
    m_restore->setAccessibleName(tr("Restore a backup"));
    m_restore->setPopupMode(QToolButton::InstantPopup);
    m_restore->setMenu(m_restoreMenu);
    backupRow->addWidget(m_restore);
    backupCard->body()->addLayout(backupRow);
    m_backupProblem->setObjectName(QStringLiteral("backupProblem"));
    tintText(m_backupProblem, Theme::failure);
    backupCard->body()->addWidget(m_backupProblem);
    m_backupNote->setObjectName(QStringLiteral("backupNote"));
    backupCard->body()->addWidget(m_backupNote);
    content()->addWidget(backupCard);

    // The figures, and the way out.
    auto* countsCard = new Card(this);
    auto* counts = new QFormLayout();
    counts->setHorizontalSpacing(24);
    counts->setVerticalSpacing(8);
    counts->addRow(secondaryLabel(tr("Sessions tracked"), countsCard), m_sessions);
    counts->addRow(secondaryLabel(tr("Tracked in total"), countsCard), m_total);
    counts->addRow(secondaryLabel(tr("First tracked"), countsCard), m_first);
    countsCard->body()->addLayout(counts);
    QToolButton* exportButton = exportEverythingButton(model, tr("Export everything…"), countsCard);
    auto* exportRow = new QHBoxLayout();
    exportRow->addWidget(exportButton);
    exportRow->addStretch();
    countsCard->body()->addSpacing(4);
    countsCard->body()->addLayout(exportRow);
    content()->addWidget(countsCard);

    connect(m_reveal, &QPushButton::clicked, this, [this] { m_model.reports()->revealDatabase(); });
    connect(m_showBackups, &QPushButton::clicked, this, [this] { m_model.revealBackups(); });
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& typed) {
        const Outcome<QString> renamed = PersonName::rename(*m_model.books().settings(), typed);
        m_nameRefusal->setText(renamed ? QString() : renamed.error().sentence);
        m_nameRefusal->setVisible(!renamed);
    });
    connect(&model.books(), &OpenBooks::settingsChanged, this, &PersonalSection::followSettings);
    connect(model.history(), &HistoryModel::historyEntriesChanged, this, [this] {
        if (isVisible())
            refresh();
    });
    followSettings();
}

PersonalSection::~PersonalSection() = default;

QLabel* PersonalSection::value(const QString& name, const QString& accessible)
{
    QLabel* label = wrapping(new QLabel(this));
    label->setObjectName(name);
    label->setAccessibleName(accessible);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

// The settings object is replaced when other books open.
void PersonalSection::followSettings()
{
    disconnect(m_nameFollow);
    m_nameFollow =
        connect(m_model.books().settings(), &AppSettings::machineNameChanged, this, [this] {
            if (m_name->text().trimmed() != m_model.books().settings()->machineName() &&
                m_nameRefusal->isHidden())
                m_name->setText(m_model.books().settings()->machineName());
            refresh();
        });
    m_name->setText(m_model.books().settings()->machineName());
    refresh();
}

void PersonalSection::refresh()
{
    const PersonalFacts facts = PersonalFacts::of(m_model.books(), *m_model.history());
    m_nameScope->setText(PersonName::scopeLine(*m_model.books().settings()));
    m_filedUnder->setText(facts.filedUnder);
    m_filedUnderNote->setText(facts.filedUnderNote);
    m_machineId->setText(facts.machineId);
    m_database->setText(facts.databaseFolder);
    m_reveal->setEnabled(facts.canRevealDatabase);
    m_sessions->setText(facts.sessionsTracked);
    m_total->setText(facts.trackedInTotal);
    m_first->setText(facts.firstTracked);

    m_lastBackup->setText(facts.lastBackup);
    m_showBackups->setEnabled(facts.canShowBackups);
    m_backupNote->setText(facts.backupNote);
    m_backupNote->setVisible(!facts.backupNote.isEmpty());
    m_backupProblem->setText(facts.backupProblem);
    m_backupProblem->setVisible(!facts.backupProblem.isEmpty());
    m_restoreMenu->clear();
    for (const PersonalFacts::Restorable& backup : facts.restorable) {
        QAction* action = m_restoreMenu->addAction(backup.title);
        action->setObjectName(QStringLiteral("restore-") +
                              QFileInfo(backup.path).completeBaseName().right(10));
        connect(action, &QAction::triggered, this, [this, backup] { confirmRestore(backup); });
    }
    m_restore->setEnabled(!facts.restorable.isEmpty());
}

ConfirmSheet* PersonalSection::confirmRestore(const PersonalFacts::Restorable& backup)
{
    auto* sheet = new ConfirmSheet(PersonalFacts::restoreQuestion(m_model.books(), backup),
                                   PersonalFacts::restoreExplanation(backup), tr("Restore"), this);
    sheet->setObjectName(QStringLiteral("restoreSheet"));
    connect(sheet, &QDialog::accepted, this, [this, path = backup.path] {
        m_model.restoreBackup(path);
        refresh();
    });
    sheet->open();
    return sheet;
}

void PersonalSection::showEvent(QShowEvent* event)
{
    refresh();
    SectionPage::showEvent(event);
}

} // namespace zol::ui
