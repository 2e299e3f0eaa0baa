#pragma once

class QString;
class QToolButton;
class QWidget;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The button that exports every session of the open books, with its menu of
// formats ("CSV (spreadsheet)", "JSON"); each asks where to save. Named
// "exportEverything", its actions "exportEverythingCsv" and
// "exportEverythingJson".
QToolButton* exportEverythingButton(AppModel& model, const QString& text, QWidget* parent);

} // namespace zol::ui
