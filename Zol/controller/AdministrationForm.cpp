#include "AdministrationForm.h"

#include "CatalogueModel.h"
#include "InputCheck.h"
#include "OpenBooks.h"
#include "books/ProjectNumbering.h"

namespace zol {

AdministrationForm::AdministrationForm(OpenBooks& books, const CatalogueModel& catalogue,
                                       const std::optional<Administration>& editing,
                                       QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_catalogue(catalogue)
    , m_isNew(!editing)
    , m_original(editing.value_or(Administration::fresh()))
    , m_editor(Administration::Editor::from(m_original))
{}

AdministrationForm::~AdministrationForm() = default;

QString AdministrationForm::title() const
{
    return m_isNew ? tr("New administration") : tr("Edit administration");
}

void AdministrationForm::edit(const Administration::Editor& editor)
{
    if (m_editor == editor)
        return;
    m_editor = editor;
    Q_EMIT changed();
}

void AdministrationForm::setName(const QString& name)
{
    change(&Administration::Editor::name, name);
}

void AdministrationForm::setAutomatic(bool automatic)
{
    change(&Administration::Editor::automatic, automatic);
}

void AdministrationForm::setPrefix(const QString& prefix)
{
    change(&Administration::Editor::prefix, prefix);
}

void AdministrationForm::setIncludesYear(bool includesYear)
{
    change(&Administration::Editor::includesYear, includesYear);
}

void AdministrationForm::setDigits(int digits)
{
    change(&Administration::Editor::digits, digits);
}

void AdministrationForm::setKeepsLocal(bool keepsLocal)
{
    change(&Administration::Editor::keepsLocal, canChangeKeepsLocal() ? keepsLocal : true);
}

QString AdministrationForm::nextNumber() const
{
    const Administration saved = m_editor.applied(m_original);
    const std::optional<Administration::Scheme>& scheme = saved.numbering.scheme();
    if (!scheme)
        return {};
    QStringList existing;
    if (!m_isNew && m_original.id == m_books.administration().id) {
        for (const Project& project : m_catalogue.allProjects())
            existing.append(project.serial);
    }
    return ProjectNumbering::next(scheme->pattern(), existing, m_books.clock().now(),
                                  m_books.calendar())
        .value_or(QString());
}

QString AdministrationForm::previewLine() const
{
    const QString next = nextNumber();
    return next.isEmpty() ? QString() : tr("The next number would be %1").arg(next);
}

bool AdministrationForm::save()
{
    // A blank name is refused here too, in the words of the command line.
    if (std::optional<QString> refusal =
            InputCheck::refuseName(InputCheck::Name::administration, m_editor.name)) {
        m_refusal = std::move(refusal);
        Q_EMIT changed();
        return false;
    }
    m_refusal.reset();
    const Administration saved = m_editor.applied(m_original);
    if (m_isNew)
        m_books.addAdministration(saved);
    else
        m_books.updateAdministration(saved);
    Q_EMIT changed();
    return true;
}

bool AdministrationForm::canRemove(const Administration& books) const
{
    return !books.isDefault() && m_books.administrations().size() > 1;
}

QString AdministrationForm::removeQuestion(const Administration& books)
{
    return tr("Remove %1 from the list?").arg(books.name);
}

QString AdministrationForm::removeExplanation()
{
    return tr("Its hours stay on this computer and on its own studio folder. This only takes it "
              "out of the switcher, and it can be added back.");
}

QString AdministrationForm::emptyQuestion(const Administration& books)
{
    return tr("Empty %1 on this computer?").arg(books.name);
}

QString AdministrationForm::emptyWarning()
{
    return tr("Every session and every project in these books is deleted from this computer. A "
              "backup is taken first; Personal can restore it.");
}

QString AdministrationForm::emptyNote()
{
    return tr("Timesheets already uploaded stay on the studio folder. This does not withdraw "
              "anything the studio has been given.");
}

bool AdministrationForm::confirmsEmptying(const QString& typed, const Administration& books)
{
    return !books.name.isEmpty() && typed.trimmed() == books.name;
}

QString AdministrationForm::prefixHelp()
{
    return tr("The unchanging front of every number here. Type it exactly as it should appear, "
              "trailing dot and all.");
}

QString AdministrationForm::yearHelp()
{
    return tr("Two digits, so the count starts again each January.");
}

QString AdministrationForm::keepsLocalHelp(const Administration& books)
{
    if (books.isDefault())
        return tr("The first administration is always this. It shares no project list, hands in "
                  "no timesheets, and appears in nobody else’s Analytics.");
    return tr("This administration never touches a studio folder: no project list travels and no "
              "timesheets are handed in.");
}

} // namespace zol
