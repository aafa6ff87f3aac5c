#pragma once
// The fleet table as shown: filtered by a text found in any cell or in the row's mark of
// a comparison (without regard to letter case), sorted by any column (addresses and numbers as numbers).

#include "fleet/fleet_model.h"

#include <QSortFilterProxyModel>

namespace talvik::fleet {

class FleetFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit FleetFilter(FleetModel& model, QObject* parent = nullptr);
    void setText(const QString& text);
    // The rows shown, in the order shown.
    QList<const Row*> shownRows() const;

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    FleetModel& model_;
    QString text_;
};

} // namespace talvik::fleet
