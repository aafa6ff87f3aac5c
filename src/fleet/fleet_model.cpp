#include "fleet/fleet_model.h"

#include "board/untrusted_text.h"
#include "fleet/fleet_wording.h"
#include "fleet/mark_colours.h"
#include "wire/board_address.h"

#include <QColor>
#include <QCoreApplication>
#include <algorithm>

namespace talvik::fleet {

namespace {
// The record field each column shows, where it shows one.
const char* fieldOf(int column)
{
    switch (column) {
    case Ident:
        return "ident";
    case Version:
        return "version";
    case Ip:
        return "ip";
    case Mask:
        return "mask";
    case Router:
        return "router";
    case Mac:
        return "mac";
    case Dhcp:
        return "dhcp";
    case Console:
        return "console";
    case Dispatcher:
        return "dispatcher";
    case Branch:
        return "branch";
    case Reserve1:
        return "reserve1";
    case Reserve2:
        return "reserve2";
    default:
        return nullptr;
    }
}

// A record's text as the table shows it: DHCP and the console's type in words, and what a
// board or file wrote with its control characters escaped.
QString shown(int column, const QString& text)
{
    if (column == Version)
        return escapeControls(text);
    if (column == Dhcp)
        return text == QLatin1String("1")   ? QCoreApplication::translate("FleetWindow", "так")
               : text == QLatin1String("0") ? QCoreApplication::translate("FleetWindow", "ні")
                                            : text;
    if (column == Console)
        return text == QLatin1String("static") ? QCoreApplication::translate("FleetWindow", "статична")
               : text == QLatin1String("dynamic") ? QCoreApplication::translate("FleetWindow", "динамічна")
                                                  : text;
    return escapeControls(text); // a file's, in a comparison
}

// Where the permanent memory differs from the working configuration: "так: Маска, IP".
QString pendingText(const Row& r)
{
    if (!r.working || !r.permanent)
        return {};
    const QStringList fields = takenAtReboot(*r.working, *r.permanent);
    return fields.isEmpty() ? QCoreApplication::translate("FleetWindow", "ні")
                            : QCoreApplication::translate("FleetWindow", "так") + QStringLiteral(": ") +
                                  fieldTitles(fields);
}
// Numbers from the typed configuration; only a row that an earlier file alone knows
// (a missing board) has its keys read from that file's text.
QList<qint64> sortKeys(const Row& r, const std::optional<BoardConfig>& config, const Record& record)
{
    QList<qint64> keys(ColumnCount, -1);
    keys[Address] = r.address.ipv4();
    if (r.lastSeen.isValid())
        keys[LastSeen] = r.lastSeen.toMSecsSinceEpoch();
    if (config) {
        const WriteFields& f = config->fields;
        keys[Ident] = f.ident;
        keys[Ip] = addressOf(f.ip);
        keys[Mask] = addressOf(f.mask);
        keys[Router] = addressOf(f.gateway);
        keys[Dispatcher] = addressOf(f.dispatcher);
        keys[Branch] = f.branch;
        keys[Reserve1] = addressOf(f.reserve1);
        keys[Reserve2] = addressOf(f.reserve2);
        return keys;
    }
    if (r.ident)
        keys[Ident] = *r.ident;
    for (int c : {Ident, Ip, Mask, Router, Dispatcher, Branch, Reserve1, Reserve2}) {
        const QString text = record.value(QLatin1String(fieldOf(c)));
        bool isNumber = false;
        const qint64 number = text.toLongLong(&isNumber);
        if (const auto address = parseDottedDecimal(text))
            keys[c] = *address;
        else if (isNumber && number >= 0)
            keys[c] = number;
    }
    return keys;
}

} // namespace

int columnOf(const QString& field)
{
    for (int c = 0; c < ColumnCount; ++c)
        if (const char* name = fieldOf(c); name && field == QLatin1String(name))
            return c;
    return -1;
}

QString fieldOfColumn(int column)
{
    const char* field = fieldOf(column);
    return field ? QLatin1String(field) : QString();
}

Record recordOf(const BoardConfig& config)
{
    Record r{{QStringLiteral("address"), dottedText(config.address)}};
    for (const auto& [name, text] : fieldTexts(config))
        r.insert(name, text);
    if (config.version)
        r.insert(QStringLiteral("version"), *config.version);
    return r;
}

int FleetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shown_;
}

int FleetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FleetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const Row& r = rows_.at(index.row());
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return r.cells.at(c);
    case SortRole:
        return r.keys.at(c) >= 0 ? QVariant(r.keys.at(c)) : QVariant(r.cells.at(c));
    case FilterRole: // the cells as they are (shared, not copied)
        return r.cells;
    default:
        break;
    }
    const bool changed = r.mark == Mark::Changed && r.changed.contains(c);
    const auto referenceText = r.fromReference.constFind(c);
    const bool fromReference = referenceText != r.fromReference.constEnd();
    switch (role) {
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: // heard beside the cell's value
        if (fromReference)
            return tr("еталон: %1").arg(shown(c, *referenceText));
        if (changed)
            return tr("змінена, було: %1").arg(shown(c, r.earlier->value(QLatin1String(fieldOf(c)))));
        if (role == Qt::ToolTipRole)
            return {};
        return r.mark == Mark::New ? tr("нова") : r.mark == Mark::Missing ? tr("зникла") : QVariant();
    case Qt::BackgroundRole:
        if (fromReference)
            return markBackground(Tint::Reference, base_, text_);
        if (changed)
            return markBackground(Tint::Changed, base_, text_);
        if (r.mark == Mark::New)
            return markBackground(Tint::New, base_, text_);
        if (r.mark == Mark::Missing)
            return markBackground(Tint::Missing, base_, text_);
        return {};
    default:
        return {};
    }
}

void FleetModel::setColours(const QColor& base, const QColor& text)
{
    base_ = base;
    text_ = text;
    if (!rows_.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1), {Qt::BackgroundRole});
}

QVariant FleetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return columnTitle(section);
    return {};
}

QString FleetModel::columnTitle(int column)
{
    static const char* const titles[] = {
        QT_TR_NOOP("Адреса"),   QT_TR_NOOP("Стан"),     QT_TR_NOOP("Об'єкт"),   QT_TR_NOOP("Ідентифікатор"),
        QT_TR_NOOP("Версія"),   QT_TR_NOOP("IP"),       QT_TR_NOOP("Маска"),    QT_TR_NOOP("Шлюз"),
        QT_TR_NOOP("MAC"),      QT_TR_NOOP("DHCP"),     QT_TR_NOOP("Пульт"),    QT_TR_NOOP("Диспетчер"),
        QT_TR_NOOP("Луч"),      QT_TR_NOOP("Резерв 1"), QT_TR_NOOP("Резерв 2"), QT_TR_NOOP("Пост. ≠ роб."),
        QT_TR_NOOP("Востаннє"), QT_TR_NOOP("Адаптер"),
    };
    static_assert(std::size(titles) == ColumnCount);
    return tr(titles[column]);
}

int FleetModel::rowFor(BoardAddress address)
{
    const auto it = index_.constFind(address);
    if (it != index_.constEnd())
        return *it;
    const int at = int(rows_.size());
    if (!held_)
        beginInsertRows({}, at, at);
    Row r;
    r.address = address;
    r.cells = QStringList(ColumnCount); // shown before its first refresh
    r.keys = QList<qint64>(ColumnCount, -1);
    rows_.append(r);
    index_.insert(address, at);
    if (!held_) {
        shown_ = int(rows_.size());
        endInsertRows();
    }
    return at;
}

void FleetModel::holdUpdates(bool hold)
{
    if (!flushTimer_) {
        flushTimer_ = new QTimer(this);
        connect(flushTimer_, &QTimer::timeout, this, &FleetModel::flush);
    }
    held_ = hold;
    if (hold) {
        flushTimer_->start(HeldMs);
    }
    else {
        flushTimer_->stop();
        flush();
    }
}

void FleetModel::flush()
{
    if (rows_.size() > shown_) {
        beginInsertRows({}, shown_, int(rows_.size()) - 1);
        shown_ = int(rows_.size());
        endInsertRows();
    }
    if (changedFrom_ >= 0)
        emit dataChanged(index(changedFrom_, 0), index(changedTo_, ColumnCount - 1));
    changedFrom_ = changedTo_ = -1;
}

void FleetModel::refresh(int row)
{
    Row& r = rows_[row];
    const std::optional<BoardConfig>& config = r.working ? r.working : r.permanent;
    const Record record = config                                 ? recordOf(*config)
                          : r.earlier && r.mark == Mark::Missing ? *r.earlier
                                                                 : Record{};
    r.cells = QStringList(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c)
        if (const char* field = fieldOf(c))
            r.cells[c] = shown(c, record.value(QLatin1String(field)));
    r.cells[Address] = dottedText(r.address);
    if (!config && r.ident)
        r.cells[Ident] = QString::number(*r.ident);
    r.cells[Pending] = pendingText(r);
    r.cells[State] = escapeControls(r.state);
    r.cells[LastSeen] =
        r.lastSeen.isValid() ? r.lastSeen.toString(QStringLiteral("dd.MM HH:mm:ss")) : QString();
    r.site = sites_.label(r.address);
    r.cells[Site] = escapeControls(r.site);
    r.cells[AdapterColumn] = escapeControls(r.adapter);
    r.keys = sortKeys(r, config, record);
    if (row >= shown_) // a new row, shown with its cells
        return;
    if (held_) {
        changedFrom_ = changedFrom_ < 0 ? row : std::min(changedFrom_, row);
        changedTo_ = std::max(changedTo_, row);
        return;
    }
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void FleetModel::change(BoardAddress address, const std::function<void(Row&)>& how)
{
    const int row = rowFor(address);
    how(rows_[row]);
    refresh(row);
}

void FleetModel::answered(BoardAddress address, const BoardConfig& working)
{
    change(address, [&](Row& r) {
        r.working = working;
        r.ident = working.fields.ident;
        r.state = tr("відповіла");
        r.silent = false;
        r.lastSeen = QDateTime::currentDateTime();
        if (adapterOf_)
            r.adapter = adapterOf_(address);
    });
}

void FleetModel::permanentRead(BoardAddress address, const BoardConfig& permanent)
{
    change(address, [&](Row& r) { r.permanent = permanent; });
}

void FleetModel::noAnswer(BoardAddress address, const QString& why)
{
    change(address, [&](Row& r) {
        r.state =
            why.isEmpty() ? tr("не відповідає") : tr("не відповідає") + QStringLiteral(" (") + why + u')';
        r.silent = true;
    });
}

void FleetModel::seen(BoardAddress address, std::optional<int> ident)
{
    change(address, [&](Row& r) {
        if (ident)
            r.ident = ident;
        if (r.state.isEmpty() || r.silent) // a board said to be silent that is heard from is not
            r.state = tr("на зв'язку");
        r.silent = false;
        r.lastSeen = QDateTime::currentDateTime();
        if (adapterOf_)
            r.adapter = adapterOf_(address);
    });
}

void FleetModel::setState(BoardAddress address, const QString& state)
{
    change(address, [&](Row& r) { r.state = state; });
}

FleetModel::Summary FleetModel::compareWith(const QHash<BoardAddress, Record>& earlier)
{
    // The rows an earlier comparison added for boards that were missing go first.
    const auto addedForComparison = [](const Row& r) {
        return r.mark == Mark::Missing && !r.working && !r.permanent && !r.ident;
    };
    flush();
    if (std::any_of(rows_.cbegin(), rows_.cend(), addedForComparison)) {
        beginResetModel();
        rows_.removeIf(addedForComparison);
        index_.clear();
        for (int row = 0; row < rows_.size(); ++row)
            index_.insert(rows_[row].address, row);
        shown_ = int(rows_.size());
        endResetModel();
    }
    Summary summary;
    QSet<BoardAddress> present;
    for (int row = 0; row < rows_.size(); ++row) {
        Row& r = rows_[row];
        r.changed.clear();
        r.mark = Mark::None;
        r.earlier = earlier.contains(r.address) ? std::optional<Record>(earlier[r.address]) : std::nullopt;
        const std::optional<BoardConfig>& config = r.working ? r.working : r.permanent;
        if (config) {
            present.insert(r.address);
            if (!r.earlier) {
                r.mark = Mark::New;
                ++summary.added;
            }
            else {
                const Record now = recordOf(*config);
                for (int c = 0; c < ColumnCount; ++c)
                    if (const char* field = fieldOf(c);
                        field && r.earlier->contains(QLatin1String(field)) &&
                        now.value(QLatin1String(field)) != r.earlier->value(QLatin1String(field)))
                        r.changed.insert(c);
                if (!r.changed.isEmpty()) {
                    r.mark = Mark::Changed;
                    ++summary.changed;
                }
            }
        }
        else if (r.earlier) { // it was there, and has not answered now
            r.mark = Mark::Missing;
            present.insert(r.address);
            ++summary.missing;
        }
        refresh(row);
    }
    for (auto it = earlier.cbegin(); it != earlier.cend(); ++it)
        if (!present.contains(it.key())) {
            const int row = rowFor(it.key());
            rows_[row].earlier = it.value();
            rows_[row].mark = Mark::Missing;
            rows_[row].state = tr("зникла");
            ++summary.missing;
            refresh(row);
        }
    return summary;
}

void FleetModel::setSites(const SiteIndex& sites)
{
    sites_ = sites;
    for (Row& r : rows_) {
        r.site = sites_.label(r.address);
        r.cells[Site] = escapeControls(r.site);
    }
    if (shown_ > 0)
        emit dataChanged(index(0, Site), index(shown_ - 1, Site));
}

std::optional<QMap<QString, int>> FleetModel::compareWithReference(BoardAddress reference)
{
    const int at = rowOf(reference);
    if (at < 0 || !rows_[at].working)
        return std::nullopt;
    reference_ = reference;
    const BoardConfig model = *rows_[at].working;
    const QStringList referenceSites = sites_.of(reference);
    const auto sameSite = [&](BoardAddress board) {
        if (referenceSites.isEmpty())
            return true;
        const QStringList sites = sites_.of(board);
        return std::any_of(sites.begin(), sites.end(),
                           [&](const QString& s) { return referenceSites.contains(s); });
    };
    QMap<QString, int> perField;
    for (Row& r : rows_) {
        r.fromReference.clear();
        if (r.address == reference || !r.working || !sameSite(r.address))
            continue;
        for (const ChangedField& d : differencesFromReference(model, *r.working)) {
            r.fromReference.insert(columnOf(d.field), d.now);
            ++perField[d.field];
        }
    }
    if (shown_ > 0)
        emit dataChanged(index(0, 0), index(shown_ - 1, ColumnCount - 1));
    return perField;
}

} // namespace talvik::fleet
