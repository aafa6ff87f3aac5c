#include "fleet/fleet_filter.h"

namespace talvik::fleet {

FleetFilter::FleetFilter(FleetModel& model, QObject* parent) : QSortFilterProxyModel(parent), model_(model)
{
    setSourceModel(&model);
    setDynamicSortFilter(true);
}

void FleetFilter::setText(const QString& text)
{
    text_ = text.trimmed();
    invalidateRowsFilter();
}

QList<const Row*> FleetFilter::shownRows() const
{
    QList<const Row*> rows;
    for (int row = 0; row < rowCount(); ++row)
        rows.append(&model_.rowAt(mapToSource(index(row, 0)).row()));
    return rows;
}

bool FleetFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    return text_.isEmpty() || sourceModel()
                                  ->index(sourceRow, 0, sourceParent)
                                  .data(FilterRole)
                                  .toString()
                                  .contains(text_, Qt::CaseInsensitive);
}

bool FleetFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(SortRole), b = right.data(SortRole);
    if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong)
        return a.toLongLong() < b.toLongLong();
    const QString x = a.toString(), y = b.toString();
    if (x.isEmpty() != y.isEmpty()) // an empty cell after every value
        return y.isEmpty();
    return QString::compare(x, y, Qt::CaseInsensitive) < 0;
}

} // namespace talvik::fleet
