#include "tray/AddEntryForm.h"

#include "AppModel.h"
#include "CatalogueModel.h"
#include "InputCheck.h"
#include "PanelState.h"
#include "common/Widgets.h"
#include "tray/ClientField.h"
#include "tray/PanelStyle.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zol::ui {

using PanelStyle::Tone;

AddEntryForm::AddEntryForm(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_internal(new QCheckBox(tr("Internal"), this))
    , m_projectFields(new QWidget(this))
    , m_internalFields(new QWidget(this))
    , m_number(new QLineEdit(this))
    , m_client(new ClientField(this))
    , m_name(new QLineEdit(this))
    , m_description(new QLineEdit(this))
    , m_notice(new QWidget(this))
    , m_noticeTitle(wrapping(new QLabel(m_notice)))
    , m_stillNeeded(wrapping(new QLabel(this)))
    , m_submit(new QPushButton(tr("Add"), this))
{
    setObjectName(QStringLiteral("addForm"));
    auto* title = new QLabel(tr("Add a project, or internal time"), this);
    title->setObjectName(QStringLiteral("addFormTitle"));
    title->setFont(PanelStyle::scaled(font(), 1.0, true));

    m_internal->setObjectName(QStringLiteral("internal"));
    m_internal->setAccessibleName(tr("Internal"));
    m_internal->setAccessibleDescription(tr("time that belongs to no project"));
    m_internal->setToolTip(tr("time that belongs to no project"));
    auto* internalNote = new QLabel(tr("time that belongs to no project"), this);
    internalNote->setObjectName(QStringLiteral("internalNote"));
    PanelStyle::setTone(internalNote, Tone::secondary);

    m_number->setObjectName(QStringLiteral("number"));
    m_number->setAccessibleName(tr("Project no."));
    m_number->setMaxLength(int(InputCheck::longestName));
    m_client->lineEdit()->setObjectName(QStringLiteral("client"));
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setAccessibleName(tr("Name"));
    m_name->setMaxLength(int(InputCheck::longestName));
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setAccessibleName(tr("What the work is"));
    m_description->setPlaceholderText(tr("Team meeting, kitchen, inspiration…"));
    m_description->setMaxLength(int(InputCheck::longestName));

    auto* form = new QFormLayout(m_projectFields);
    form->setContentsMargins(0, 0, 0, 0);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(6);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(tr("Project no."), m_number);
    form->addRow(tr("Client"), m_client);
    form->addRow(tr("Name"), m_name);
    auto* internalLayout = new QVBoxLayout(m_internalFields);
    internalLayout->setContentsMargins(0, 0, 0, 0);
    internalLayout->addWidget(m_description);
    m_internalFields->hide();

    m_notice->setObjectName(QStringLiteral("numberNotice"));
    m_noticeTitle->setObjectName(QStringLiteral("numberNoticeTitle"));
    m_noticeTitle->setFont(PanelStyle::scaled(font(), 1.0, true));
    PanelStyle::setTone(m_noticeTitle, Tone::warning);
    auto* noticeText =
        secondaryLabel(tr("A number belongs to one project. Adding it again would rename that one "
                          "for the whole studio."),
                       m_notice);
    PanelStyle::setTone(noticeText, Tone::secondary);
    auto* noticeLayout = new QVBoxLayout(m_notice);
    noticeLayout->setContentsMargins(0, 0, 0, 0);
    noticeLayout->setSpacing(2);
    noticeLayout->addWidget(m_noticeTitle);
    noticeLayout->addWidget(noticeText);

    m_stillNeeded->setObjectName(QStringLiteral("stillNeeded"));
    PanelStyle::setTone(m_stillNeeded, Tone::secondary);
    m_submit->setObjectName(QStringLiteral("addSubmit"));
    m_submit->setAccessibleName(tr("Add"));
    m_submit->setToolTip(tr("Add and select it (Return)"));

    auto* top = new QHBoxLayout();
    top->setSpacing(6);
    top->addWidget(title, 1);
    auto* switchRow = new QHBoxLayout();
    switchRow->setSpacing(6);
    switchRow->addWidget(m_internal);
    switchRow->addWidget(internalNote, 1);
    auto* bottom = new QHBoxLayout();
    bottom->setSpacing(8);
    bottom->addWidget(m_stillNeeded, 1);
    bottom->addWidget(m_submit, 0, Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addLayout(switchRow);
    layout->addWidget(m_projectFields);
    layout->addWidget(m_internalFields);
    layout->addWidget(m_notice);
    layout->addLayout(bottom);
    // Room to spare (the form stands in the list's place) stays below it.
    layout->addStretch();

    connect(m_internal, &QCheckBox::toggled, this, [this](bool on) {
        m_projectFields->setVisible(!on);
        m_internalFields->setVisible(on);
        update();
    });
    for (QLineEdit* field : {m_number, m_client->lineEdit(), m_name, m_description})
        connect(field, &QLineEdit::textChanged, this, &AddEntryForm::update);
    connect(m_client, &ClientField::suggestionTaken, this, [this] { m_name->setFocus(); });
    connect(m_submit, &QPushButton::clicked, this, &AddEntryForm::submit);
    reset();
}

AddEntryForm::~AddEntryForm() = default;

void AddEntryForm::reset()
{
    m_internal->setChecked(false);
    m_number->setText(m_model.catalogue()->suggestedProjectNumber().value_or(QString()));
    m_client->lineEdit()->clear();
    m_client->setKnownClients(m_model.catalogue()->knownClients());
    m_name->clear();
    m_description->clear();
    update();
}

QWidget* AddEntryForm::firstEmptyField() const
{
    if (m_internal->isChecked())
        return m_description;
    for (QLineEdit* field : {m_number, m_client->lineEdit(), m_name}) {
        if (field->text().trimmed().isEmpty())
            return field;
    }
    return m_name;
}

QList<QWidget*> AddEntryForm::controls() const
{
    QList<QWidget*> order{m_internal, m_number, m_client->lineEdit()};
    for (QWidget* suggestion : m_client->suggestionButtons())
        order.append(suggestion);
    order << m_name << m_description << m_submit;
    return order;
}

ProjectDraft AddEntryForm::draft() const
{
    return ProjectDraft{m_internal->isChecked(),      m_number->text(),
                        m_client->lineEdit()->text(), m_name->text(),
                        m_description->text(),        true};
}

void AddEntryForm::update()
{
    const ProjectDraft typed = draft();
    const std::optional<QString> needed = typed.stillNeeded();
    m_stillNeeded->setText(needed.value_or(QString()));
    m_submit->setEnabled(!needed);
    std::optional<Project> holder;
    if (!typed.isInternal && !typed.number.trimmed().isEmpty())
        holder = m_model.catalogue()->projectHolding(typed.number);
    m_notice->setVisible(holder.has_value());
    if (holder)
        m_noticeTitle->setText(PanelState::numberTaken(typed.number, *holder));
}

void AddEntryForm::submit()
{
    const ProjectDraft typed = draft();
    if (!typed.isComplete())
        return;
    if (typed.isInternal) {
        m_model.panel().armInternal(typed.description);
    } else if (!m_model.catalogue()->addAndArm(typed.number, typed.name, typed.clientName)) {
        // Refused: the status line says why, and the form keeps what was typed.
        return;
    }
    Q_EMIT done();
}

} // namespace zol::ui
