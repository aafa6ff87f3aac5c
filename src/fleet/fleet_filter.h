#pragma once
// The fleet table as shown: the rows in a state (or all), filtered by a text found in any
// cell (without regard to letter case), sorted by any column (addresses and numbers as numbers).

#include "fleet/fleet_model.h"

#include <QSortFilterProxyModel>

namespace talvik::fleet {

// The states a row may be shown for.
enum class Showing {
    All,
    Silent,        // did not answer the last read
    FromReference, // differs from the reference board of its site
    AtReboot,      // its permanent memory differs from its working configuration
    Compared,      // new, missing or changed since the earlier table it was compared with
};
bool rowIs(const Row& row, Showing showing);

class FleetFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit FleetFilter(FleetModel& model, QObject* parent = nullptr);
    void setText(const QString& text);
    void setShowing(Showing showing);
    Showing showing() const { return showing_; }
    // The rows shown, in the order shown.
    QList<const Row*> shownRows() const;

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    FleetModel& model_;
    QString text_;
    Showing showing_ = Showing::All;
};

} // namespace talvik::fleet
