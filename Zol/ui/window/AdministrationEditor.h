#pragma once

#include "books/Administration.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zol {
class AdministrationForm;
class AppModel;
} // namespace zol

namespace zol::ui {

// "New administration" and "Edit administration": the name, how project
// numbers are filled in (prefix, year, digits) with the number the scheme
// would hand out next, and whether the books stay on this computer. Saving
// adds the books to the list (without opening them) or stores the edit.
// objectNames: "booksName", "numberAutomatically", "numberByHand",
// "numberPrefix", "includeYear", "numberDigits", "numberPreview",
// "keepsLocal", "booksRefusal", "saveBooks", "cancel".
class AdministrationEditor final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdministrationEditor)

public:
    AdministrationEditor(AppModel& model, const std::optional<Administration>& editing,
                         QWidget* parent);
    ~AdministrationEditor() override;

    // As tall as its wrapped sentences are at its fixed width.
    QSize sizeHint() const override;

    AdministrationForm& form() const { return *m_form; }

private:
    void showForm();

    AdministrationForm* m_form;
    QLineEdit* m_name;
    QRadioButton* m_automatic;
    QRadioButton* m_byHand;
    QWidget* m_scheme;
    QLineEdit* m_prefix;
    QCheckBox* m_year;
    QSpinBox* m_digits;
    QLabel* m_preview;
    QCheckBox* m_keepsLocal;
    QLabel* m_refusal;
    QPushButton* m_save;
};

} // namespace zol::ui
