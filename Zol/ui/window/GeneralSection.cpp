#include "window/GeneralSection.h"

#include "AppModel.h"
#include "GeneralSettings.h"
#include "UpdateModel.h"
#include "books/AppSettings.h"
#include "common/Icons.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zol::ui {

namespace {

// How far a control that depends on a switch sits in from it.
constexpr int subordinateIndent = 22;

QCheckBox* checkBox(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setAccessibleName(text);
    return box;
}

} // namespace

GeneralSection::GeneralSection(AppModel& model, QWidget* parent)
    : SectionPage(tr("General"), GeneralSettings::lede(), parent)
    , m_model(model)
    , m_general(new GeneralSettings(model.books(), model.platform(), *model.updates(),
                                    model.hotKey(), this))
{
    // Starting at login.
    auto* login = new Card(this);
    login->setObjectName(QStringLiteral("loginCard"));
    m_startAtLogin = checkBox(tr("Start Zol when I log in"), QStringLiteral("startAtLogin"), login);
    connect(m_startAtLogin, &QCheckBox::clicked, this,
            [this](bool on) { m_general->setStartAtLogin(on); });
    m_loginNote = noteLabel(QStringLiteral("loginItemNote"), login);
    login->body()->addWidget(m_startAtLogin);
    login->body()->addWidget(m_loginNote);
    content()->addWidget(login);

    // While a timer runs.
    auto* timer = new Card(this);
    timer->setObjectName(QStringLiteral("timerCard"));
    m_reminders = checkBox(tr("Remind me while a timer is running"),
                           QStringLiteral("remindWhileRunning"), timer);
    connect(m_reminders, &QCheckBox::clicked, this,
            [this](bool on) { m_model.books().settings()->setRemindersEnabled(on); });
    m_remindersNote = noteLabel(QStringLiteral("remindersNote"), timer);
    timer->body()->addWidget(m_reminders);
    timer->body()->addWidget(m_remindersNote);
    timer->body()->addLayout(
        numberRow(GeneralSettings::firstReminderKey, QStringLiteral("firstReminder"), timer));
    timer->body()->addLayout(
        numberRow(GeneralSettings::repeatReminderKey, QStringLiteral("repeatReminder"), timer));
    timer->body()->addSpacing(6);
    timer->body()->addLayout(
        numberRow(GeneralSettings::longRunningKey, QStringLiteral("longRunning"), timer));
    content()->addWidget(timer);

    // Away.
    auto* away = new Card(this);
    away->setObjectName(QStringLiteral("awayCard"));
    m_away = checkBox(tr("Notice when I have been away"), QStringLiteral("noticeAway"), away);
    connect(m_away, &QCheckBox::clicked, this,
            [this](bool on) { m_model.books().settings()->setIdleDetectionEnabled(on); });
    m_idleNote = noteLabel(QStringLiteral("idleNote"), away);
    away->body()->addWidget(m_away);
    away->body()->addWidget(m_idleNote);
    away->body()->addLayout(numberRow(GeneralSettings::idleKey, QStringLiteral("awayAfter"), away));
    // Under the switch it depends on, in line with "Away after".
    m_lockCounts = checkBox(GeneralSettings::lockTitle(), QStringLiteral("lockCountsAsAway"), away);
    connect(m_lockCounts, &QCheckBox::clicked, this,
            [this](bool on) { m_model.books().settings()->setLockCountsAsAway(on); });
    m_lockNote = noteLabel(QStringLiteral("lockNote"), away);
    auto* lock = new QVBoxLayout();
    lock->setContentsMargins(subordinateIndent, 0, 0, 0);
    lock->setSpacing(away->body()->spacing());
    lock->addWidget(m_lockCounts);
    lock->addWidget(m_lockNote);
    away->body()->addLayout(lock);
    content()->addWidget(away);

    // The key.
    auto* keys = new Card(this);
    keys->setObjectName(QStringLiteral("hotKeyCard"));
    m_hotKey = checkBox(GeneralSettings::hotKeyTitle(), QStringLiteral("hotKey"), keys);
    connect(m_hotKey, &QCheckBox::clicked, this,
            [this](bool on) { m_model.books().settings()->setHotKeyEnabled(on); });
    m_hotKeyNote = noteLabel(QStringLiteral("hotKeyNote"), keys);
    m_hotKeyPromise = secondaryLabel(QString(), keys);
    m_hotKeyPromise->setObjectName(QStringLiteral("hotKeyPromise"));
    keys->body()->addWidget(m_hotKey);
    keys->body()->addWidget(m_hotKeyPromise);
    keys->body()->addWidget(m_hotKeyNote);
    QLabel* keyboard = secondaryLabel(GeneralSettings::keyboardNote(), keys);
    keyboard->setObjectName(QStringLiteral("keyboardNote"));
    keys->body()->addSpacing(4);
    keys->body()->addWidget(keyboard);
    content()->addWidget(keys);

    content()->addWidget(makeLanguageCard());
    content()->addWidget(makeVersionCard());

    connect(m_general, &GeneralSettings::changed, this, &GeneralSection::showSettings);
    showSettings();
}

GeneralSection::~GeneralSection() = default;

QLabel* GeneralSection::noteLabel(const QString& objectName, QWidget* parent)
{
    QLabel* label = wrapping(new QLabel(parent));
    label->setObjectName(objectName);
    label->hide();
    return label;
}

QLayout* GeneralSection::numberRow(const QString& key, const QString& objectName, QWidget* parent)
{
    auto* grid = new QGridLayout();
    // Under the switch they belong to, their fields in line with the others.
    const int indent = key == GeneralSettings::longRunningKey ? 0 : subordinateIndent;
    grid->setContentsMargins(indent, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    auto* label = new QLabel(GeneralSettings::fieldOf(key), parent);
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setAccessibleName(GeneralSettings::fieldOf(key));
    box->setMinimumContentsLength(6);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->lineEdit()->setObjectName(objectName + QStringLiteral("Text"));
    // The field inside is what a screen reader lands on.
    box->lineEdit()->setAccessibleName(box->accessibleName());
    label->setBuddy(box);
    auto* unit = secondaryLabel(GeneralSettings::unitOf(key), parent);
    unit->setWordWrap(false);
    auto* refusal = wrapping(new QLabel(parent));
    refusal->setObjectName(objectName + QStringLiteral("Refusal"));
    refusal->hide();
    grid->addWidget(label, 0, 0);
    grid->addWidget(box, 0, 1);
    grid->addWidget(unit, 0, 2);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(0, 230 - indent);
    grid->addWidget(refusal, 1, 1, 1, 3);
    m_numbers.insert(key, NumberField{box, refusal, unit});

    connect(box, &QComboBox::activated, this, [this, key, box](int index) {
        m_general->setNumber(key, box->itemText(index));
        showNumber(key);
    });
    connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, key, box] {
        if (box->lineEdit()->text() != GeneralSettings::labelOf(key, m_general->value(key)))
            m_general->setNumber(key, box->lineEdit()->text());
        showNumber(key);
    });
    return grid;
}

Card* GeneralSection::makeLanguageCard()
{
    auto* card = new Card(this);
    card->setObjectName(QStringLiteral("languageCard"));
    // In line with the number fields above.
    auto* row = new QGridLayout();
    row->setHorizontalSpacing(8);
    auto* label = new QLabel(GeneralSettings::languageTitle(), card);
    m_language = new QComboBox(card);
    m_language->setObjectName(QStringLiteral("language"));
    m_language->setAccessibleName(GeneralSettings::languageTitle());
    for (const GeneralSettings::LanguageChoice& choice : GeneralSettings::languages())
        m_language->addItem(choice.label, choice.code);
    label->setBuddy(m_language);
    connect(m_language, &QComboBox::activated, this,
            [this](int index) { m_general->setLanguage(m_language->itemData(index).toString()); });
    row->addWidget(label, 0, 0);
    row->addWidget(m_language, 0, 1);
    row->setColumnStretch(2, 1);
    row->setColumnMinimumWidth(0, 230);
    card->body()->addLayout(row);
    m_languageNote = noteLabel(QStringLiteral("languageNote"), card);
    card->body()->addWidget(m_languageNote);
    return card;
}

Card* GeneralSection::makeVersionCard()
{
    auto* card = new Card(this);
    card->setObjectName(QStringLiteral("versionCard"));
    auto* row = new QHBoxLayout();
    QLabel* running = new QLabel(m_general->runningLine(), card);
    running->setObjectName(QStringLiteral("runningVersion"));
    m_checkNow = new QPushButton(tr("Check now"), card);
    m_checkNow->setObjectName(QStringLiteral("checkNow"));
    m_checkNow->setAccessibleName(m_checkNow->text());
    connect(m_checkNow, &QPushButton::clicked, this,
            [this] { m_model.updates()->checkForUpdate(); });
    row->addWidget(running, 1);
    row->addWidget(m_checkNow);
    card->body()->addLayout(row);

    auto* found = new QHBoxLayout();
    m_updateLine = wrapping(new QLabel(card));
    m_updateLine->setObjectName(QStringLiteral("updateLine"));
    m_download = new QPushButton(tr("Download"), card);
    followIcon(m_download, QStringLiteral("download"));
    m_download->setObjectName(QStringLiteral("download"));
    m_download->setAccessibleName(m_download->text());
    m_download->setToolTip(m_general->downloadHelp());
    connect(m_download, &QPushButton::clicked, this, [this] { m_model.updates()->openDownload(); });
    found->addWidget(m_updateLine, 1);
    found->addWidget(m_download);
    card->body()->addLayout(found);
    return card;
}

void GeneralSection::showNote(QLabel* label, const std::optional<QString>& note)
{
    label->setText(note.value_or(QString()));
    tintText(label, Theme::warning);
    label->setVisible(note.has_value());
}

void GeneralSection::showNumber(const QString& key)
{
    const NumberField field = m_numbers.value(key);
    {
        const QSignalBlocker quiet(field.box);
        field.box->clear();
        for (const GeneralSettings::Choice& choice : m_general->choices(key))
            field.box->addItem(choice.label, choice.value);
        field.box->setCurrentIndex(field.box->findData(m_general->value(key)));
    }
    // "Never" needs no unit (whichever language it is said in).
    field.unit->setVisible(GeneralSettings::labelOf(key, m_general->value(key)) !=
                           GeneralSettings::labelOf(GeneralSettings::longRunningKey, 0));
    const std::optional<QString> refusal = m_general->refusal(key);
    field.refusal->setText(refusal.value_or(QString()));
    tintText(field.refusal, Theme::failure);
    field.refusal->setVisible(refusal.has_value());
}

void GeneralSection::showSettings()
{
    const AppSettings& settings = *m_model.books().settings();
    m_startAtLogin->setChecked(settings.launchAtLogin());
    m_startAtLogin->setEnabled(m_general->canStartAtLogin());
    showNote(m_loginNote, m_general->loginItemNote());

    m_reminders->setChecked(settings.remindersEnabled());
    showNote(m_remindersNote, m_general->remindersNote());
    m_away->setChecked(settings.idleDetectionEnabled());
    showNote(m_idleNote, m_general->idleNote());
    m_lockCounts->setChecked(settings.lockCountsAsAway());
    m_lockCounts->setEnabled(settings.idleDetectionEnabled());
    showNote(m_lockNote, m_general->lockNote());
    m_hotKey->setChecked(settings.hotKeyEnabled());
    const std::optional<QString> promise = m_general->hotKeyPromise();
    m_hotKeyPromise->setText(promise.value_or(QString()));
    m_hotKeyPromise->setVisible(promise.has_value());
    showNote(m_hotKeyNote, m_general->hotKeyNote());
    for (auto it = m_numbers.cbegin(); it != m_numbers.cend(); ++it) {
        // Not under the person's hands while typing.
        if (!it.value().box->lineEdit()->hasFocus())
            showNumber(it.key());
    }
    m_numbers.value(GeneralSettings::firstReminderKey).box->setEnabled(settings.remindersEnabled());
    m_numbers.value(GeneralSettings::repeatReminderKey)
        .box->setEnabled(settings.remindersEnabled());
    m_numbers.value(GeneralSettings::idleKey).box->setEnabled(settings.idleDetectionEnabled());

    {
        const QSignalBlocker quiet(m_language);
        m_language->setCurrentIndex(m_language->findData(m_general->language()));
    }
    const std::optional<QString> languageNote = m_general->languageNote();
    m_languageNote->setText(languageNote.value_or(QString()));
    m_languageNote->setVisible(languageNote.has_value());

    const UpdateModel& updates = *m_model.updates();
    m_checkNow->setEnabled(!updates.isCheckingForUpdate());
    m_checkNow->setVisible(updates.offersUpdates());
    const QString line = m_general->updateLine();
    m_updateLine->setText(line);
    m_updateLine->setVisible(!line.isEmpty());
    const bool failed = updates.updateError() && !updates.isCheckingForUpdate();
    tintText(m_updateLine, [failed](const QPalette& colours) {
        return failed ? Theme::failure(colours) : colours.color(QPalette::WindowText);
    });
    m_download->setVisible(updates.availableUpdate().has_value() && !updates.isCheckingForUpdate());
}

void GeneralSection::showEvent(QShowEvent* event)
{
    SectionPage::showEvent(event);
    m_general->lookAtDesktop();
}

} // namespace zol::ui
