#include "window/AdministrationsSection.h"

#include "AdministrationForm.h"
#include "AppModel.h"
#include "common/Icons.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"
#include "window/AdministrationEditor.h"
#include "window/ConfirmSheet.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace zol::ui {

AdministrationsSection::AdministrationsSection(AppModel& model, QWidget* parent)
    : SectionPage(
          tr("Administrations"),
          tr("Separate sets of books, each with its own hours, projects and studio folder."),
          parent)
    , m_model(model)
    , m_rules(new AdministrationForm(model.books(), *model.catalogue(), std::nullopt, this))
    , m_rows(new QVBoxLayout())
{
    m_rows->setSpacing(10);
    content()->addLayout(m_rows);
    auto* add = new QPushButton(tr("Add an administration"), this);
    followIcon(add, QStringLiteral("plus"));
    add->setObjectName(QStringLiteral("addAdministration"));
    add->setAccessibleName(add->text());
    connect(add, &QPushButton::clicked, this, [this] { openEditor(std::nullopt); });
    auto* row = new QHBoxLayout();
    row->addWidget(add);
    row->addStretch();
    content()->addLayout(row);

    connect(&model.books(), &OpenBooks::administrationsChanged, this,
            &AdministrationsSection::showList);
    connect(&model.books(), &OpenBooks::administrationChanged, this,
            &AdministrationsSection::showList);
    showList();
}

AdministrationsSection::~AdministrationsSection() = default;

QWidget* AdministrationsSection::makeRow(const Administration& books)
{
    const bool isOpen = books.id == m_model.books().administration().id;
    auto* card = new Card(this);
    card->setObjectName(QStringLiteral("books_") + books.id);
    card->setAccessibleName(books.name);
    auto* row = new QHBoxLayout();
    row->setSpacing(8);
    auto* mark = new QLabel(card);
    followPixmap(mark, books.isLocalOnly() ? QStringLiteral("laptop") : QStringLiteral("network"),
                 20, Theme::secondaryText);
    mark->setAlignment(Qt::AlignTop);
    row->addWidget(mark);

    auto* texts = new QVBoxLayout();
    texts->setSpacing(2);
    auto* nameRow = new QHBoxLayout();
    nameRow->setSpacing(6);
    QLabel* name = cardTitle(books.name, card);
    name->setObjectName(QStringLiteral("booksName"));
    nameRow->addWidget(name);
    if (isOpen) {
        QLabel* open = secondaryLabel(tr("· Open now"), card);
        open->setObjectName(QStringLiteral("openNow"));
        nameRow->addWidget(open);
    }
    nameRow->addStretch();
    texts->addLayout(nameRow);
    QLabel* subtitle =
        secondaryLabel(books.subtitle(m_model.clock().now(), m_model.books().calendar()), card);
    subtitle->setObjectName(QStringLiteral("booksSubtitle"));
    texts->addWidget(subtitle);
    row->addLayout(texts, 1);

    auto* open = new QPushButton(tr("Open"), card);
    open->setObjectName(QStringLiteral("openBooks"));
    open->setAccessibleName(tr("Open %1").arg(books.name));
    open->setEnabled(!isOpen);
    connect(open, &QPushButton::clicked, this, [this, books] { m_model.switchTo(books); });
    auto* edit = new QPushButton(tr("Edit…"), card);
    followIcon(edit, QStringLiteral("pencil"));
    edit->setObjectName(QStringLiteral("editBooks"));
    edit->setAccessibleName(tr("Edit %1").arg(books.name));
    connect(edit, &QPushButton::clicked, this, [this, books] { openEditor(books); });
    auto* more = new QToolButton(card);
    more->setObjectName(QStringLiteral("moreBooks"));
    more->setText(tr("More"));
    more->setAccessibleName(tr("More for %1").arg(books.name));
    more->setToolTip(tr("Remove or empty this administration"));
    more->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(more);
    if (m_rules->canRemove(books)) {
        QAction* remove = menu->addAction(tr("Remove from the list…"));
        remove->setObjectName(QStringLiteral("removeBooks"));
        connect(remove, &QAction::triggered, this, [this, books] { confirmRemoval(books); });
    }
    QAction* empty = menu->addAction(tr("Empty on this computer…"));
    empty->setObjectName(QStringLiteral("emptyBooks"));
    connect(empty, &QAction::triggered, this, [this, books] { confirmEmptying(books); });
    more->setMenu(menu);
    row->addWidget(open, 0, Qt::AlignTop);
    row->addWidget(edit, 0, Qt::AlignTop);
    row->addWidget(more, 0, Qt::AlignTop);
    card->body()->addLayout(row);
    return card;
}

void AdministrationsSection::showList()
{
    // Later: a row's own button may have started this.
    while (QLayoutItem* item = m_rows->takeAt(0)) {
        if (QWidget* old = item->widget()) {
            old->hide();
            old->setParent(nullptr);
            old->deleteLater();
        }
        delete item;
    }
    for (const Administration& books : m_model.books().administrations()) {
        QWidget* row = makeRow(books);
        m_rows->addWidget(row);
        row->show();
    }
}

void AdministrationsSection::openEditor(const std::optional<Administration>& editing)
{
    auto* editor = new AdministrationEditor(m_model, editing, this);
    editor->open();
}

ConfirmSheet* AdministrationsSection::confirmRemoval(const Administration& books)
{
    auto* sheet = new ConfirmSheet(AdministrationForm::removeQuestion(books),
                                   AdministrationForm::removeExplanation(), tr("Remove"), this);
    sheet->setObjectName(QStringLiteral("removeSheet"));
    connect(sheet, &QDialog::accepted, this,
            [this, books] { m_model.removeAdministration(books); });
    sheet->open();
    return sheet;
}

ConfirmSheet* AdministrationsSection::confirmEmptying(const Administration& books)
{
    auto* sheet = new ConfirmSheet(AdministrationForm::emptyQuestion(books),
                                   AdministrationForm::emptyWarning(), tr("Empty it"), this);
    sheet->setObjectName(QStringLiteral("emptySheet"));
    sheet->setDestructive(true);
    sheet->body()->addWidget(secondaryLabel(AdministrationForm::emptyNote(), sheet));
    auto* typed = new QLineEdit(sheet);
    typed->setObjectName(QStringLiteral("confirmName"));
    typed->setPlaceholderText(books.name);
    typed->setAccessibleName(tr("Type %1 to confirm").arg(books.name));
    sheet->body()->addWidget(new QLabel(tr("Type “%1” to confirm:").arg(books.name), sheet));
    sheet->body()->addWidget(typed);
    QPushButton* confirm = sheet->confirmButton();
    confirm->setEnabled(false);
    connect(typed, &QLineEdit::textChanged, confirm, [confirm, books](const QString& text) {
        confirm->setEnabled(AdministrationForm::confirmsEmptying(text, books));
    });
    connect(sheet, &QDialog::accepted, this, [this, books] { m_model.clearAdministration(books); });
    typed->setFocus();
    sheet->open();
    return sheet;
}

} // namespace zol::ui
