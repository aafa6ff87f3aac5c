#include "fleet/fleet_filter.h"

#include "board/board_config.h"

#include <algorithm>

namespace talvik::fleet {

bool rowIs(const Row& row, Showing showing)
{
    switch (showing) {
    case Showing::All:
        break;
    case Showing::Silent:
        return row.silent;
    case Showing::FromReference:
        return !row.fromReference.isEmpty();
    case Showing::AtReboot:
        return row.working && row.permanent && !takenAtReboot(*row.working, *row.permanent).isEmpty();
    case Showing::Compared:
        return row.mark != Mark::None;
    }
    return true;
}

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

void FleetFilter::setShowing(Showing showing)
{
    showing_ = showing;
    invalidateRowsFilter();
}

bool FleetFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (!rowIs(model_.rowAt(sourceRow), showing_))
        return false;
    if (text_.isEmpty())
        return true;
    const QStringList texts =
        sourceModel()->index(sourceRow, 0, sourceParent).data(FilterRole).toStringList();
    return std::any_of(texts.cbegin(), texts.cend(),
                       [this](const QString& cell) { return cell.contains(text_, Qt::CaseInsensitive); });
}

bool FleetFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(SortRole), b = right.data(SortRole);
    if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong)
        return *static_cast<const qint64*>(a.constData()) < *static_cast<const qint64*>(b.constData());
    const auto text = [](const QVariant& v) { // a cell's text without a copy
        return v.typeId() == QMetaType::QString ? QStringView(*static_cast<const QString*>(v.constData()))
                                                : QStringView();
    };
    const QStringView x = text(a), y = text(b);
    if (x.isEmpty() != y.isEmpty()) // an empty cell after every value
        return y.isEmpty();
    return x.compare(y, Qt::CaseInsensitive) < 0;
}

} // namespace talvik::fleet
