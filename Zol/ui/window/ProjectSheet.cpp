#include "window/ProjectSheet.h"

#include "AppModel.h"
#include "CatalogueModel.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"
#include "common/Widgets.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zol::ui {

ProjectSheet::ProjectSheet(AppModel& model, const std::optional<Project>& editing, QWidget* parent)
    : QDialog(parent, dialogFlags)
    , m_model(model)
    , m_editing(editing)
    , m_number(new QLineEdit(this))
    , m_name(new QLineEdit(this))
    , m_client(new QLineEdit(this))
    , m_refusal(wrapping(new QLabel(this)))
    , m_save(new QPushButton(editing ? tr("Save") : tr("Add project"), this))
{
    setObjectName(QStringLiteral("projectSheet"));
    const QString title = editing ? tr("Edit project") : tr("New project");
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedWidth(460);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 20, 22, 16);
    layout->setSpacing(10);
    QLabel* heading = titleLabel(title, this, 1.15);
    heading->setWordWrap(false);
    layout->addWidget(heading);
    layout->addWidget(secondaryLabel(explanation(), this));

    auto* form = new QFormLayout();
    form->setSpacing(8);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const auto field = [form](QLineEdit* edit, const QString& label, const QString& objectName,
                              const QString& placeholder) {
        edit->setObjectName(objectName);
        edit->setAccessibleName(label);
        edit->setPlaceholderText(placeholder);
        form->addRow(label, edit);
    };
    field(m_number, tr("Number"), QStringLiteral("projectNumber"), QStringLiteral("2301"));
    field(m_name, tr("Name"), QStringLiteral("projectName"), tr("Brand book"));
    field(m_client, tr("Client"), QStringLiteral("projectClient"), tr("Acme"));
    layout->addLayout(form);

    auto* completer = new QCompleter(model.catalogue()->knownClients(), m_client);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    m_client->setCompleter(completer);

    if (editing) {
        m_number->setText(editing->displaySerial());
        m_name->setText(editing->name);
        m_client->setText(editing->clientName);
    } else if (const std::optional<QString> next = model.catalogue()->suggestedProjectNumber()) {
        m_number->setText(*next);
        layout->insertWidget(2,
                             secondaryLabel(tr("A pre-filled number is a suggestion, never a rule. "
                                               "It can always be typed over, because a project "
                                               "numbered by a client is still a real project."),
                                            this));
    }

    m_refusal->setObjectName(QStringLiteral("projectRefusal"));
    tintText(m_refusal, Theme::failure);
    m_refusal->hide();
    layout->addWidget(m_refusal);

    layout->addStretch(1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancel"));
    m_save->setObjectName(QStringLiteral("saveProject"));
    m_save->setDefault(true);
    // Placed where the desktop puts its accepting button; saving decides
    // whether the sheet closes.
    buttons->addButton(m_save, QDialogButtonBox::AcceptRole);
    connect(m_save, &QPushButton::clicked, this, &ProjectSheet::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const auto nameTyped = [this] { m_save->setEnabled(!m_name->text().trimmed().isEmpty()); };
    connect(m_name, &QLineEdit::textChanged, this, nameTyped);
    nameTyped();
    setTabOrder(m_number, m_name);
    setTabOrder(m_name, m_client);
    setTabOrder(m_client, m_save);
    setTabOrder(m_save, cancel);
    (editing ? m_name : m_number)->setFocus();
}

ProjectSheet::~ProjectSheet() = default;

QSize ProjectSheet::sizeHint() const
{
    return {width(), heightForWidth(width())};
}

QString ProjectSheet::explanation()
{
    return tr("The number is how the studio identifies a project, and how everyone "
              "else’s copy of Zol recognises it, so all three are needed.");
}

void ProjectSheet::save()
{
    CatalogueModel& catalogue = *m_model.catalogue();
    const Outcome<Project> saved =
        m_editing ? catalogue.updateProject(*m_editing, m_name->text(), m_client->text(),
                                            m_number->text())
                  : catalogue.quickAddProject(m_number->text(), m_name->text(), m_client->text());
    if (saved) {
        accept();
        return;
    }
    m_refusal->setText(saved.error().sentence);
    m_refusal->setVisible(true);
}

} // namespace zol::ui
