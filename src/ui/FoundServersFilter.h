#pragma once

#include "FoundServerFacts.h"

#include <QSortFilterProxyModel>

namespace ui {

class FoundServersModel;

// The browser's rows as the player filters and sorts them; a change applies
// at once, from what is known, without asking any server again.
class FoundServersFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit FoundServersFilter(FoundServersModel& servers, QObject* parent = nullptr);

    void setFilter(const ServerFilter& filter);
    const ServerFilter& filter() const { return filter_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    FoundServersModel& servers_;
    ServerFilter filter_;
};

} // namespace ui
