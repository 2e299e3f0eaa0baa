#include "window/SearchResultsModel.h"

#include "AppModel.h"
#include "Captions.h"
#include "HistoryCaptions.h"
#include "SearchModel.h"
#include "records/Duration.h"
#include "records/ProjectColour.h"
#include "window/ProjectBadge.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>

namespace zol::ui {

namespace {

// A dot of the project's colour before its name.
QPixmap dot(const TimeEntry& entry)
{
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(QSize(12, 12) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ProjectBadge::colour(
        entry.isInternal ? ProjectColour::neutral() : ProjectColour::of(entry), qApp->palette()));
    painter.drawEllipse(QRectF(1, 1, 10, 10));
    return pixmap;
}

} // namespace

SearchResultsModel::SearchResultsModel(AppModel& model, QObject* parent)
    : QAbstractTableModel(parent)
    , m_model(model)
{
    connect(model.search(), &SearchModel::searchResultsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

SearchResultsModel::~SearchResultsModel() = default;

int SearchResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_model.search()->searchResults().size());
}

int SearchResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Column::columns);
}

const TimeEntry& SearchResultsModel::entry(int row) const
{
    return m_model.search()->searchResults().at(row);
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case when:
        return tr("When");
    case project:
        return tr("Project");
    case client:
        return tr("Client");
    case note:
        return tr("Note");
    case duration:
        return tr("Time");
    default:
        return {};
    }
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TimeEntry& e = entry(index.row());
    const Calendar& calendar = m_model.books().calendar();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole) {
        switch (index.column()) {
        case when:
            return QString(HistoryCaptions::shortDayTitle(calendar.day(e.startedAt)) +
                           QStringLiteral(" ") + calendar.day(e.startedAt).toString(u"yyyy") +
                           QStringLiteral(", ") + HistoryCaptions::timeSpan(e, calendar));
        case project:
            return Captions::sessionTitle(e);
        case client:
            return e.isInternal ? tr("Internal") : e.clientName;
        case note:
            return e.note.simplified();
        case duration:
            return Duration::coarseString(e.duration(m_model.clock().now()));
        default:
            return {};
        }
    }
    if (role == Qt::DecorationRole && index.column() == project)
        return dot(e);
    if (role == Qt::TextAlignmentRole && index.column() == duration)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::FontRole && index.column() == duration)
        return QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return {};
}

} // namespace zol::ui
