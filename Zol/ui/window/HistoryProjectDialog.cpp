#include "window/HistoryProjectDialog.h"

#include "AppModel.h"
#include "CatalogueModel.h"
#include "common/Theme.h"
#include "common/Widgets.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zol::ui {

HistoryProjectDialog::HistoryProjectDialog(AppModel& model, const Project& project, QWidget* parent)
    : QDialog(parent, dialogFlags)
    , m_model(model)
    , m_project(project)
    , m_number(new QLineEdit(project.displaySerial(), this))
    , m_name(new QLineEdit(project.name, this))
    , m_client(new QLineEdit(project.clientName, this))
    , m_refusal(wrapping(new QLabel(this)))
{
    setObjectName(QStringLiteral("projectDialog"));
    setWindowTitle(tr("Edit project"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumWidth(420);
    m_number->setObjectName(QStringLiteral("projectNumber"));
    m_number->setAccessibleName(tr("Number"));
    m_name->setObjectName(QStringLiteral("projectName"));
    m_name->setAccessibleName(tr("Name"));
    m_client->setObjectName(QStringLiteral("projectClient"));
    m_client->setAccessibleName(tr("Client"));
    m_refusal->setObjectName(QStringLiteral("projectRefusal"));
    QPalette refusal = m_refusal->palette();
    refusal.setColor(QPalette::WindowText, Theme::failure(refusal));
    m_refusal->setPalette(refusal);
    m_refusal->hide();

    auto* form = new QFormLayout();
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(14);
    form->addRow(tr("Number"), m_number);
    form->addRow(tr("Name"), m_name);
    form->addRow(tr("Client"), m_client);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("saveProject"));
    save->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    connect(save, &QPushButton::clicked, this, &HistoryProjectDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 18, 22, 16);
    layout->setSpacing(12);
    layout->addWidget(titleLabel(tr("Edit project"), this, 1.25));
    layout->addWidget(
        secondaryLabel(tr("The number is how the studio identifies a project, and how everyone "
                          "else’s copy of Zol recognises it, so all three are needed."),
                       this));
    layout->addLayout(form);
    layout->addWidget(m_refusal);
    layout->addWidget(buttons);
}

HistoryProjectDialog::~HistoryProjectDialog() = default;

void HistoryProjectDialog::save()
{
    const Outcome<Project> updated = m_model.catalogue()->updateProject(
        m_project, m_name->text(), m_client->text(), m_number->text());
    if (updated) {
        accept();
        return;
    }
    // Shown here, where the person looks.
    m_refusal->setText(updated.error().sentence);
    m_refusal->setVisible(true);
}

} // namespace zol::ui
