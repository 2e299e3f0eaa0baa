#include "window/SearchSection.h"

#include "common/Accessibility.h"

#include "AppModel.h"
#include "ReportsModel.h"
#include "SearchModel.h"
#include "common/Icons.h"
#include "common/PaletteFollower.h"
#include "common/Widgets.h"
#include "window/ExportEverything.h"
#include "window/SearchResultsModel.h"
#include "window/SessionDetails.h"

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zol::ui {

namespace {

// Return in the results opens the session, as a click does.
class ResultsView final : public QTreeView
{
public:
    using QTreeView::QTreeView;
    std::function<void(int)> opened;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid() && opened) {
            opened(currentIndex().row());
            return;
        }
        QTreeView::keyPressEvent(event);
    }
};

// Rows with room to breathe.
class RoomyRows final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 10);
    }
};

} // namespace

SearchSection::SearchSection(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_query(new QLineEdit(this))
    , m_range(new QButtonGroup(this))
    , m_busy(new QProgressBar(this))
    , m_summary(wrapping(new QLabel(this)))
    , m_view(new ResultsView(this))
    , m_results(new SearchResultsModel(model, this))
{
    QLabel* title = titleLabel(tr("Search everything you have tracked"), this, 1.6);
    title->setObjectName(QStringLiteral("title"));
    QLabel* lede =
        secondaryLabel(tr("A client, a project number, part of a name, or something you wrote in a "
                          "note. Matching sessions are added up for you."),
                       this);
    lede->setObjectName(QStringLiteral("lede"));

    m_query->setObjectName(QStringLiteral("searchQuery"));
    m_query->setAccessibleName(tr("Search"));
    m_query->setPlaceholderText(tr("Client, project number, name or note"));
    m_query->setClearButtonEnabled(true);
    m_searchIcon =
        m_query->addAction(Icons::icon(QStringLiteral("search"), this), QLineEdit::LeadingPosition);
    m_query->setMinimumHeight(32);

    auto* ranges = new QHBoxLayout();
    ranges->setSpacing(4);
    QLabel* reach = secondaryLabel(tr("Looking back over"), this);
    reach->setWordWrap(false);
    ranges->addWidget(reach);
    for (const SearchRange range : SearchModel::offeredRanges()) {
        auto* button = new QToolButton(this);
        Accessibility::markAsChoice(button);
        button->setObjectName(QStringLiteral("range_") + range.rawValue());
        button->setText(range.description());
        button->setAccessibleName(range.description());
        button->setCheckable(true);
        button->setAutoRaise(true);
        m_range->addButton(button, int(range.value()));
        ranges->addWidget(button);
    }
    ranges->addStretch();
    m_busy->setObjectName(QStringLiteral("searchBusy"));
    m_busy->setAccessibleName(tr("Searching"));
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setFixedWidth(72);
    ranges->addWidget(m_busy);

    m_summary->setObjectName(QStringLiteral("searchSummary"));
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);

    m_view->setObjectName(QStringLiteral("searchResults"));
    m_view->setAccessibleName(tr("Matching sessions"));
    m_view->setModel(m_results);
    m_view->setItemDelegate(new RoomyRows(m_view));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(SearchResultsModel::note, QHeaderView::Stretch);
    m_view->setColumnWidth(SearchResultsModel::when, 230);
    m_view->setColumnWidth(SearchResultsModel::project, 220);
    m_view->setColumnWidth(SearchResultsModel::client, 170);
    m_view->setColumnWidth(SearchResultsModel::duration, 80);
    static_cast<ResultsView*>(m_view)->opened = [this](int row) { openRow(row); };
    connect(m_view, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });

    QToolButton* exportButton = exportEverythingButton(m_model, tr("Export everything"), this);
    QLabel* note = secondaryLabel(
        tr("Search results are a view of your history; export writes all of it"), this);
    note->setObjectName(QStringLiteral("exportNote"));
    auto* footer = new QHBoxLayout();
    footer->setSpacing(10);
    footer->addWidget(exportButton);
    footer->addWidget(note, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 16);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(lede);
    layout->addSpacing(6);
    layout->addWidget(m_query);
    layout->addLayout(ranges);
    layout->addSpacing(4);
    layout->addWidget(m_summary);
    layout->addWidget(m_view, 1);
    // Without results the footer stays at the foot rather than under the query.
    layout->addStretch(0);
    layout->addLayout(footer);

    // Reading order: the query, how far back, the results, the export.
    QList<QWidget*> order{m_query};
    for (QAbstractButton* button : m_range->buttons())
        order.append(button);
    order << m_view << exportButton;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    SearchModel* search = model.search();
    connect(m_query, &QLineEdit::textChanged, search, &SearchModel::setSearchQuery);
    connect(m_range, &QButtonGroup::idClicked, this,
            [search](int id) { search->setSearchRange(SearchRange(SearchRange::Case(id))); });
    for (const auto signal : {&SearchModel::searchQueryChanged, &SearchModel::searchRangeChanged,
                              &SearchModel::searchResultsChanged, &SearchModel::isSearchingChanged})
        connect(search, signal, this, &SearchSection::follow);
    follow();
}

SearchSection::~SearchSection() = default;

void SearchSection::follow()
{
    const SearchModel& search = *m_model.search();
    if (m_query->text() != search.searchQuery())
        m_query->setText(search.searchQuery());
    if (QAbstractButton* button = m_range->button(int(search.searchRange().value())))
        button->setChecked(true);
    m_busy->setVisible(search.isSearching());
    m_summary->setText(search.resultSentence());
    m_summary->setVisible(!m_summary->text().isEmpty());
    m_view->setVisible(!search.searchResults().isEmpty());
}

// Coming to Search is coming to type a query.
void SearchSection::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_query->setFocus(Qt::OtherFocusReason);
}

void SearchSection::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        m_searchIcon->setIcon(Icons::icon(QStringLiteral("search"), this));
    QWidget::changeEvent(event);
}

void SearchSection::openRow(int row)
{
    if (row >= 0 && row < m_results->rowCount())
        SessionDetails::openFor(m_model, m_results->entry(row), this);
}

} // namespace zol::ui
