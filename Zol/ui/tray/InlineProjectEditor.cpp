#include "tray/InlineProjectEditor.h"

#include "AppModel.h"
#include "CatalogueModel.h"
#include "InputCheck.h"
#include "PanelState.h"
#include "common/Theme.h"
#include "common/Widgets.h"
#include "tray/ClientField.h"
#include "tray/PanelStyle.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zol::ui {

using PanelStyle::Tone;

InlineProjectEditor::InlineProjectEditor(AppModel& model, const Project& project, QWidget* parent)
    : QFrame(parent)
    , m_model(model)
    , m_project(project)
    , m_number(new QLineEdit(project.displaySerial(), this))
    , m_client(new ClientField(this))
    , m_name(new QLineEdit(project.name, this))
    , m_notice(wrapping(new QLabel(this)))
    , m_footer(wrapping(new QLabel(this)))
    , m_stillNeeded(wrapping(new QLabel(this)))
    , m_cancel(new QPushButton(tr("Cancel"), this))
    , m_save(new QPushButton(tr("Save"), this))
{
    setObjectName(QStringLiteral("inlineEditor"));
    setAutoFillBackground(false);
    m_number->setObjectName(QStringLiteral("editNumber"));
    m_number->setAccessibleName(tr("Project no."));
    m_number->setMaxLength(int(InputCheck::longestName));
    m_client->lineEdit()->setObjectName(QStringLiteral("editClient"));
    m_client->lineEdit()->setText(project.clientName);
    m_client->setKnownClients(model.catalogue()->knownClients());
    m_name->setObjectName(QStringLiteral("editName"));
    m_name->setAccessibleName(tr("Name"));
    m_name->setMaxLength(int(InputCheck::longestName));
    m_notice->setObjectName(QStringLiteral("editNumberNotice"));
    PanelStyle::setTone(m_notice, Tone::warning);
    m_footer->setObjectName(QStringLiteral("editorFooter"));
    PanelStyle::setTone(m_footer, Tone::secondary);
    m_stillNeeded->setObjectName(QStringLiteral("editStillNeeded"));
    PanelStyle::setTone(m_stillNeeded, Tone::secondary);
    m_cancel->setObjectName(QStringLiteral("editCancel"));
    m_cancel->setAccessibleName(tr("Cancel"));
    m_cancel->setToolTip(tr("Cancel (esc)"));
    m_save->setObjectName(QStringLiteral("editSave"));
    m_save->setAccessibleName(tr("Save"));
    m_save->setToolTip(tr("Save (Return)"));

    auto* form = new QFormLayout();
    form->setContentsMargins(0, 0, 0, 0);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(6);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(tr("Project no."), m_number);
    form->addRow(tr("Client"), m_client);
    form->addRow(tr("Name"), m_name);
    auto* buttons = new QHBoxLayout();
    buttons->setSpacing(8);
    buttons->addWidget(m_stillNeeded, 1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_save);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);
    layout->addLayout(form);
    layout->addWidget(m_notice);
    layout->addWidget(m_footer);
    layout->addLayout(buttons);

    for (QLineEdit* field : {m_number, m_client->lineEdit(), m_name})
        connect(field, &QLineEdit::textChanged, this, &InlineProjectEditor::update);
    connect(m_client, &ClientField::suggestionTaken, this, [this] { m_name->setFocus(); });
    connect(m_cancel, &QPushButton::clicked, this, &InlineProjectEditor::done);
    connect(m_save, &QPushButton::clicked, this, &InlineProjectEditor::save);
    update();
}

InlineProjectEditor::~InlineProjectEditor() = default;

ProjectDraft InlineProjectEditor::draft() const
{
    // A project that has no number yet may keep going without one.
    return ProjectDraft{false, m_number->text(),    m_client->lineEdit()->text(), m_name->text(),
                        {},    m_project.isLinked()};
}

QWidget* InlineProjectEditor::firstField() const
{
    return m_name;
}

QList<QWidget*> InlineProjectEditor::controls() const
{
    QList<QWidget*> order{m_number, m_client->lineEdit()};
    for (QWidget* suggestion : m_client->suggestionButtons())
        order.append(suggestion);
    order << m_name << m_cancel << m_save;
    return order;
}

void InlineProjectEditor::update()
{
    const ProjectDraft typed = draft();
    const std::optional<QString> needed = typed.stillNeeded();
    m_stillNeeded->setText(needed.value_or(QString()));
    m_stillNeeded->setVisible(needed.has_value());
    m_save->setEnabled(!needed);
    std::optional<Project> holder;
    if (!typed.number.trimmed().isEmpty() && !m_project.holds(typed.number))
        holder = m_model.catalogue()->projectHolding(typed.number);
    m_notice->setVisible(holder.has_value());
    if (holder)
        m_notice->setText(PanelState::numberTaken(typed.number, *holder));
    m_footer->setText(PanelState::editorFooter(m_project, typed.number));
}

void InlineProjectEditor::save()
{
    const ProjectDraft typed = draft();
    if (!typed.isComplete())
        return;
    if (m_model.catalogue()->updateInPicker(m_project, typed.name, typed.clientName, typed.number))
        Q_EMIT done();
}

void InlineProjectEditor::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor border = Theme::accent(palette());
    border.setAlphaF(0.55);
    painter.setPen(QPen(border, 1.2));
    painter.setBrush(Theme::card(palette()));
    painter.drawRoundedRect(QRectF(rect()).adjusted(2.5, 1.5, -2.5, -1.5), 8, 8);
}

} // namespace zol::ui
