#pragma once

#include <QWidget>

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTreeView;

namespace zol {
class AppModel;
}

namespace zol::ui {

class SearchResultsModel;

// The Search section: a query that searches as it is typed (off the UI
// thread), how far back it reaches, what the matches add up to, and the
// matching sessions, each opening its details. "Export everything" writes
// the whole history, whatever is found.
// objectNames: "searchQuery", "range_threeMonths", "range_sixMonths",
// "range_yearToDate", "range_all", "searchBusy", "searchSummary",
// "searchResults", "exportEverything" (actions "exportEverythingCsv",
// "exportEverythingJson").
class SearchSection final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchSection)

public:
    explicit SearchSection(AppModel& model, QWidget* parent = nullptr);
    ~SearchSection() override;

    SearchResultsModel& results() const { return *m_results; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void follow();
    void openRow(int row);

    AppModel& m_model;
    QLineEdit* m_query;
    QAction* m_searchIcon = nullptr;
    QButtonGroup* m_range;
    QProgressBar* m_busy;
    QLabel* m_summary;
    QTreeView* m_view;
    SearchResultsModel* m_results;
};

} // namespace zol::ui
