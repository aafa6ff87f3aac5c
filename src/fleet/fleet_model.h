#pragma once
// The boards of a dispatch network, one row each: what a survey read of each (its working
// configuration, and its permanent memory where both were read), what the network showed
// of it (any datagram with an identifier), its state or the result of the last action on
// it, and how it compares with an earlier survey. A table model without widgets.

#include "board/board_config.h"
#include "store/sites_file.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

namespace talvik::fleet {

// In the order shown: what a glance looks for (the boards that did not answer, their sites)
// beside the address, so that a screen reader hears the columns as they are on screen.
enum Column {
    Address,
    State,
    Site, // the sites the board is in (store/sites_file.h)
    Ident,
    Version,
    Ip,
    Mask,
    Router,
    Mac,
    Dhcp,
    Console,
    Dispatcher,
    Branch,
    Reserve1,
    Reserve2,
    Pending, // permanent memory differs from the working configuration
    LastSeen,
    AdapterColumn, // the adapter of this PC whose network the board is on
    ColumnCount
};

// The column that shows a field of talvikctl's ("ip": Ip), -1 for none; and back ("" for none).
int columnOf(const QString& field);
QString fieldOfColumn(int column);

// A board as an export or a folder of backups holds it: talvikctl's field names and texts
// ("address", "ip", ..., "version" where it is known).
using Record = QMap<QString, QString>;
Record recordOf(const BoardConfig& config);

enum class Mark { None, New, Missing, Changed };

// What the table gives beside the shown text.
enum Role {
    SortRole = Qt::UserRole + 1, // addresses, numbers and times as numbers (qint64), the rest as its text
    FilterRole,                  // every cell's text (a QStringList)
};

struct Row {
    BoardAddress address;
    std::optional<BoardConfig> working;
    std::optional<BoardConfig> permanent;
    std::optional<int> ident; // the last identifier a datagram of the board carried
    QString state;
    bool silent = false; // the last read of it got no answer
    QDateTime lastSeen;
    std::optional<Record> earlier; // what an earlier survey held of it, compared or missing
    Mark mark = Mark::None;
    QSet<int> changed;                 // the columns that differ from the earlier survey
    QHash<int, QString> fromReference; // the columns that differ from a reference board: its text
    QString site;                      // the sites it is in, as the sites file names them
    QString adapter;                   // the adapter whose network it is on, as the system names it
    QStringList cells;                 // the texts shown (control characters escaped)
    QList<qint64> keys; // sort keys of the columns that sort as numbers, from the typed values (else -1)
};

class FleetModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    static QString columnTitle(int column);
    // The palette's base and text colours, which the marks are tinted from (the window gives
    // them, and again when the system's colours change).
    void setColours(const QColor& base, const QColor& text);

    const Row& rowAt(int row) const { return rows_.at(row); }
    // Whether the board's row says it did not answer the last read of it.
    bool silent(BoardAddress address) const { return rowOf(address) >= 0 && rowAt(rowOf(address)).silent; }
    int rowOf(BoardAddress address) const { return index_.value(address, -1); }

    // What became of a board; each adds its row when the table has none yet.
    void answered(BoardAddress address, const BoardConfig& working);
    void permanentRead(BoardAddress address, const BoardConfig& permanent);
    void noAnswer(BoardAddress address, const QString& why);
    void seen(BoardAddress address, std::optional<int> ident); // any datagram of its, with an identifier tag
    void setState(BoardAddress address, const QString& state);

    // While held, new rows and changed cells are gathered and shown together, every
    // HeldMs and when the hold ends: a survey's hundreds of answers cost a few updates of
    // the table instead of one each.
    static constexpr int HeldMs = 50;
    void holdUpdates(bool hold);

    // Marks the rows against an earlier survey (new, changed and which cells) and adds the
    // boards it had and this one has not (missing). Returns how many of each.
    struct Summary {
        int added = 0, missing = 0, changed = 0;
    };
    Summary compareWith(const QHash<BoardAddress, Record>& earlier);

    // The sites each board is in, for the column "Об'єкт" (and the filter, which matches it).
    void setSites(const SiteIndex& sites);
    // The name of the adapter whose network holds a board, for the column "Адаптер".
    void setAdapterNames(std::function<QString(BoardAddress)> adapterOf)
    {
        adapterOf_ = std::move(adapterOf);
    }
    // Marks, on every other row of the reference's site (of every row when it is in none),
    // the cells of the fields a site shares that differ from the reference's working
    // configuration. How many boards differ in each field, by field name; nothing when the
    // reference has no configuration.
    std::optional<QMap<QString, int>> compareWithReference(BoardAddress reference);
    std::optional<BoardAddress> reference() const { return reference_; }

  private:
    int rowFor(BoardAddress address);
    void change(BoardAddress address, const std::function<void(Row&)>& how); // its row, added if need be
    void refresh(int row);

    void flush();

    QList<Row> rows_;
    QHash<BoardAddress, int> index_;
    QColor base_ = Qt::white, text_ = Qt::black;
    SiteIndex sites_;
    std::optional<BoardAddress> reference_;
    std::function<QString(BoardAddress)> adapterOf_;
    int shown_ = 0; // the rows views know of
    bool held_ = false;
    int changedFrom_ = -1, changedTo_ = -1; // rows changed while held
    QTimer* flushTimer_ = nullptr;
};

} // namespace talvik::fleet
