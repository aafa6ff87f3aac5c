#include "fleet/fleet_filter.h"

#include "fleet/fleet_texts.h"

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

bool FleetFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (text_.isEmpty())
        return true;
    const Row& r = model_.rowAt(sourceRow);
    for (const QString& cell : r.cells)
        if (cell.contains(text_, Qt::CaseInsensitive))
            return true;
    // The comparison's marks are found too: "змінена" shows the changed boards.
    const QString& mark = r.mark == Mark::New       ? texts::New
                          : r.mark == Mark::Missing ? texts::Missing
                          : r.mark == Mark::Changed ? texts::Changed
                                                    : QString();
    return !mark.isEmpty() && mark.contains(text_, Qt::CaseInsensitive);
}

bool FleetFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const Row& a = model_.rowAt(left.row());
    const Row& b = model_.rowAt(right.row());
    const int c = left.column();
    if (a.keys[c] >= 0 && b.keys[c] >= 0) // addresses, identifiers, times: as numbers
        return a.keys[c] < b.keys[c];
    if (a.cells[c].isEmpty() != b.cells[c].isEmpty()) // an empty cell after every value
        return b.cells[c].isEmpty();
    return QString::compare(a.cells[c], b.cells[c], Qt::CaseInsensitive) < 0;
}

} // namespace talvik::fleet
