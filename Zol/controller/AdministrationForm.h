#pragma once

#include "books/Administration.h"

#include <QObject>
#include <QString>

#include <optional>
#include <utility>

namespace zol {

class CatalogueModel;
class OpenBooks;

// The administration editor ("New administration", "Edit administration")
// over the controller: what is typed, whether it may be saved, the number
// the scheme would hand out next, and the confirmations of removing and
// emptying a set of books.
class AdministrationForm final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdministrationForm)

public:
    // A form for new books, or for `editing`.
    AdministrationForm(OpenBooks& books, const CatalogueModel& catalogue,
                       const std::optional<Administration>& editing = std::nullopt,
                       QObject* parent = nullptr);
    ~AdministrationForm() override;

    bool isNew() const { return m_isNew; }
    const Administration& original() const { return m_original; }
    const Administration::Editor& editor() const { return m_editor; }
    // "New administration", "Edit administration".
    QString title() const;

    void setName(const QString& name);
    void setAutomatic(bool automatic);
    void setPrefix(const QString& prefix);
    void setIncludesYear(bool includesYear);
    void setDigits(int digits);
    void setKeepsLocal(bool keepsLocal);

    // "Local" always keeps local: its switch cannot be changed.
    bool canChangeKeepsLocal() const { return !m_original.isDefault(); }
    // A name is typed (blanks alone are none).
    bool canSave() const { return m_editor.canSave(); }
    // The number a new project would be offered now: for the open books the
    // count carries on from their projects, for others it is the first
    // number. Empty for numbers typed by hand and for a scheme that does not
    // parse.
    QString nextNumber() const;
    // "The next number would be P26001"; empty when there is none.
    QString previewLine() const;
    // Why the last save was refused: a name InputCheck does not take.
    const std::optional<QString>& refusal() const { return m_refusal; }
    // Adds the new books to the list (without opening them) or stores the
    // edit. Returns whether it was saved.
    bool save();

    // --- the confirmations of the list's rows ---
    // Whether the list offers to remove `books`: never "Local", never the
    // last one.
    bool canRemove(const Administration& books) const;
    static QString removeQuestion(const Administration& books);
    static QString removeExplanation();
    // "Empty Studio on this computer?"
    static QString emptyQuestion(const Administration& books);
    static QString emptyWarning();
    static QString emptyNote();
    // "Empty it" may be pressed: the text typed, blanks at either end left
    // out, is the books' name exactly (letter case counts).
    static bool confirmsEmptying(const QString& typed, const Administration& books);

    // Field help.
    static QString prefixHelp();
    static QString yearHelp();
    static QString keepsLocalHelp(const Administration& books);

Q_SIGNALS:
    void changed();

private:
    void edit(const Administration::Editor& editor);
    // One field of the editor changed.
    template <typename T, typename V> void change(T Administration::Editor::*field, V&& value)
    {
        Administration::Editor changed = m_editor;
        changed.*field = std::forward<V>(value);
        edit(changed);
    }

    OpenBooks& m_books;
    const CatalogueModel& m_catalogue;
    bool m_isNew;
    Administration m_original;
    Administration::Editor m_editor;
    std::optional<QString> m_refusal;
};

} // namespace zol
