#include "FoundServersFilter.h"

#include "FoundServersModel.h"

namespace ui {

FoundServersFilter::FoundServersFilter(FoundServersModel& servers, QObject* parent)
    : QSortFilterProxyModel(parent)
    , servers_(servers)
{
    setSourceModel(&servers);
}

void FoundServersFilter::setFilter(const ServerFilter& filter)
{
    // Told to filter again, Qt takes out the rows now hidden one stretch at
    // a time, each stretch costing as much as the whole list: thousands of
    // servers sorted by ping held the window up for tens of milliseconds.
    // Rows made anew cost one pass of the filter and one sort.
    beginResetModel();
    filter_ = filter;
    endResetModel();
}

bool FoundServersFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return passes(servers_.facts(sourceRow), filter_);
}

bool FoundServersFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    // The base class asks "right before left" for a descending sort; the
    // order is told here so that silent servers stay last either way.
    const auto column = FoundColumn(sortColumn());
    const FoundServerFacts& a = servers_.facts(left.row());
    const FoundServerFacts& b = servers_.facts(right.row());
    return sortOrder() == Qt::AscendingOrder ? sortsBefore(a, b, column, Qt::AscendingOrder)
                                             : sortsBefore(b, a, column, Qt::DescendingOrder);
}

} // namespace ui
