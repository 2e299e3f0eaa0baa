#include "window/AdministrationEditor.h"

#include "AdministrationForm.h"
#include "AppModel.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"
#include "common/Widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zol::ui {

AdministrationEditor::AdministrationEditor(AppModel& model,
                                           const std::optional<Administration>& editing,
                                           QWidget* parent)
    : QDialog(parent, dialogFlags)
    , m_form(new AdministrationForm(model.books(), *model.catalogue(), editing, this))
    , m_name(new QLineEdit(this))
    , m_automatic(new QRadioButton(tr("Fill in the next project number"), this))
    , m_byHand(new QRadioButton(tr("Numbers typed by hand"), this))
    , m_scheme(new QWidget(this))
    , m_prefix(new QLineEdit(m_scheme))
    , m_year(new QCheckBox(tr("Include the year"), m_scheme))
    , m_digits(new QSpinBox(m_scheme))
    , m_preview(new QLabel(m_scheme))
    , m_keepsLocal(new QCheckBox(tr("Keep this administration on this computer"), this))
    , m_refusal(wrapping(new QLabel(this)))
    , m_save(new QPushButton(editing ? tr("Save") : tr("Add"), this))
{
    setObjectName(QStringLiteral("administrationEditor"));
    setWindowTitle(m_form->title());
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedWidth(500);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 20, 22, 16);
    layout->setSpacing(10);
    QLabel* heading = titleLabel(m_form->title(), this, 1.15);
    heading->setWordWrap(false);
    layout->addWidget(heading);

    auto* form = new QFormLayout();
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_name->setObjectName(QStringLiteral("booksName"));
    m_name->setAccessibleName(tr("Name"));
    m_name->setPlaceholderText(tr("Studio"));
    form->addRow(tr("Name"), m_name);
    layout->addLayout(form);

    layout->addWidget(titleLabel(tr("Project numbers"), this, 1.0));
    auto* numbering = new QButtonGroup(this);
    m_automatic->setObjectName(QStringLiteral("numberAutomatically"));
    m_byHand->setObjectName(QStringLiteral("numberByHand"));
    numbering->addButton(m_automatic);
    numbering->addButton(m_byHand);
    layout->addWidget(m_automatic);

    auto* scheme = new QFormLayout(m_scheme);
    scheme->setContentsMargins(24, 0, 0, 0);
    scheme->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_prefix->setObjectName(QStringLiteral("numberPrefix"));
    m_prefix->setAccessibleName(tr("Prefix"));
    m_prefix->setPlaceholderText(tr("P"));
    m_prefix->setToolTip(AdministrationForm::prefixHelp());
    scheme->addRow(tr("Prefix"), m_prefix);
    scheme->addRow(QString(), secondaryLabel(AdministrationForm::prefixHelp(), m_scheme));
    m_year->setObjectName(QStringLiteral("includeYear"));
    m_year->setAccessibleName(m_year->text());
    m_year->setToolTip(AdministrationForm::yearHelp());
    scheme->addRow(QString(), m_year);
    scheme->addRow(QString(), secondaryLabel(AdministrationForm::yearHelp(), m_scheme));
    m_digits->setObjectName(QStringLiteral("numberDigits"));
    m_digits->setAccessibleName(tr("Digits"));
    m_digits->setRange(1, 9);
    m_digits->setMaximumWidth(80);
    scheme->addRow(tr("Digits"), m_digits);
    m_preview->setObjectName(QStringLiteral("numberPreview"));
    QFont previewFont = m_preview->font();
    previewFont.setBold(true);
    m_preview->setFont(previewFont);
    scheme->addRow(QString(), m_preview);
    layout->addWidget(m_scheme);
    layout->addWidget(m_byHand);

    m_keepsLocal->setObjectName(QStringLiteral("keepsLocal"));
    m_keepsLocal->setAccessibleName(m_keepsLocal->text());
    layout->addSpacing(4);
    layout->addWidget(m_keepsLocal);
    layout->addWidget(secondaryLabel(AdministrationForm::keepsLocalHelp(m_form->original()), this));

    m_refusal->setObjectName(QStringLiteral("booksRefusal"));
    tintText(m_refusal, Theme::failure);
    layout->addWidget(m_refusal);

    layout->addStretch(1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancel"));
    m_save->setObjectName(QStringLiteral("saveBooks"));
    m_save->setDefault(true);
    // Placed where the desktop puts its accepting button; saving decides
    // whether the sheet closes.
    buttons->addButton(m_save, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (m_form->save())
            accept();
    });
    layout->addWidget(buttons);

    const Administration::Editor& start = m_form->editor();
    m_name->setText(start.name);
    m_prefix->setText(start.prefix);
    m_year->setChecked(start.includesYear);
    m_digits->setValue(std::clamp(start.digits, 1, 9));
    (start.automatic ? m_automatic : m_byHand)->setChecked(true);
    m_keepsLocal->setChecked(start.keepsLocal);
    m_keepsLocal->setEnabled(m_form->canChangeKeepsLocal());

    connect(m_name, &QLineEdit::textChanged, m_form, &AdministrationForm::setName);
    connect(m_automatic, &QRadioButton::toggled, m_form, &AdministrationForm::setAutomatic);
    connect(m_prefix, &QLineEdit::textChanged, m_form, &AdministrationForm::setPrefix);
    connect(m_year, &QCheckBox::toggled, m_form, &AdministrationForm::setIncludesYear);
    connect(m_digits, &QSpinBox::valueChanged, m_form, &AdministrationForm::setDigits);
    connect(m_keepsLocal, &QCheckBox::toggled, m_form, &AdministrationForm::setKeepsLocal);
    connect(m_form, &AdministrationForm::changed, this, &AdministrationEditor::showForm);
    showForm();

    setTabOrder(m_name, m_automatic);
    setTabOrder(m_automatic, m_prefix);
    setTabOrder(m_prefix, m_year);
    setTabOrder(m_year, m_digits);
    setTabOrder(m_digits, m_byHand);
    setTabOrder(m_byHand, m_keepsLocal);
    setTabOrder(m_keepsLocal, m_save);
    setTabOrder(m_save, cancel);
    m_name->setFocus();
}

AdministrationEditor::~AdministrationEditor() = default;

QSize AdministrationEditor::sizeHint() const
{
    return {width(), heightForWidth(width())};
}

void AdministrationEditor::showForm()
{
    const Administration::Editor& editor = m_form->editor();
    m_scheme->setEnabled(editor.automatic);
    const QString preview = m_form->previewLine();
    m_preview->setText(!preview.isEmpty() ? preview
                                          : tr("No number: a “{” in the prefix cannot be used."));
    m_preview->setVisible(editor.automatic);
    m_save->setEnabled(m_form->canSave());
    m_refusal->setText(m_form->refusal().value_or(QString()));
    m_refusal->setVisible(m_form->refusal().has_value());
}

} // namespace zol::ui
