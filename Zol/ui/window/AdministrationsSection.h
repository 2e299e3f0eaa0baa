#pragma once

#include "books/Administration.h"
#include "common/Widgets.h"

class QVBoxLayout;

namespace zol {
class AdministrationForm;
class AppModel;
} // namespace zol

namespace zol::ui {

class ConfirmSheet;

// "Administrations": every set of books with its numbering, "Open", the
// editor, "Remove from the list…" and "Empty on this computer…", each behind
// its confirmation; emptying asks for the books' name to be typed before
// "Empty it" can be pressed. Rows are named "books_" + the books' id.
class AdministrationsSection final : public SectionPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdministrationsSection)

public:
    AdministrationsSection(AppModel& model, QWidget* parent = nullptr);
    ~AdministrationsSection() override;

    void openEditor(const std::optional<Administration>& editing);
    ConfirmSheet* confirmRemoval(const Administration& books);
    ConfirmSheet* confirmEmptying(const Administration& books);

private:
    void showList();
    QWidget* makeRow(const Administration& books);

    AppModel& m_model;
    // For the rules of the list (what may be removed); never edited.
    AdministrationForm* m_rules;
    QVBoxLayout* m_rows;
};

} // namespace zol::ui
