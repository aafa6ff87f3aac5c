#include "gui/fleet_window/write_preview.h"

#include "fleet/fleet_wording.h"
#include "wire/board_address.h"

#include <QHeaderView>

namespace talvik {

namespace {
QList<ChangedField> changesOf(const BoardResult& r)
{
    if (!r.before || !r.config)
        return {};
    return fleet::titledChanges(*r.before, r.config->fields);
}

bool mayAllBeForced(const BoardResult& r)
{
    return r.outcome == Outcome::Refused && std::all_of(r.refusals.begin(), r.refusals.end(),
                                                        [](const Refusal& x) { return x.mayBeForced(); });
}
} // namespace

WritePreview::WritePreview(QWidget* parent) : QTableWidget(0, Columns, parent)
{
    setObjectName(QStringLiteral("previewTable"));
    setAccessibleName(tr("Переглянути"));
    setHorizontalHeaderLabels(tr("Плата;Поле;Зараз;Нове;Чому не буде записано").split(u';'));
    horizontalHeader()->setStretchLastSection(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    setWordWrap(true);
    setTabKeyNavigation(false); // Tab leaves the table
}

void WritePreview::showPlanned(const QList<BoardResult>& planned)
{
    planned_ = planned;
    setRowCount(0);
    // A board left as it is: its reason in a column of its own, the row set apart.
    const QBrush leftAlone = palette().brush(QPalette::AlternateBase);
    const auto add = [this, &leftAlone](const QStringList& cells, bool written) {
        const int row = rowCount();
        insertRow(row);
        for (int column = 0; column < Columns; ++column) {
            auto* item = new QTableWidgetItem(cells.value(column));
            if (!written) {
                item->setBackground(leftAlone);
                QFont italic = item->font();
                italic.setItalic(true);
                item->setFont(italic);
            }
            setItem(row, column, item);
        }
    };
    for (const BoardResult& r : planned) {
        const QString address = dottedText(r.board);
        const QList<ChangedField> changes = changesOf(r);
        const WriteFields fields = r.config ? r.config->fields : WriteFields{};
        if (r.outcome == Outcome::Refused)
            add({address, QString(), QString(), QString(), fleet::refusalsText(r.refusals, fields, r.board)},
                false);
        else if (r.outcome != Outcome::Planned)
            add({address, QString(), QString(), QString(), tr("не записано: постійна пам'ять не прочитана")},
                false);
        else if (changes.isEmpty())
            add({address, QString(), QString(), QString(), tr("нічого не зміниться")}, false);
        if (r.outcome == Outcome::Planned || mayAllBeForced(r)) // a force would write these
            for (const ChangedField& c : changes)
                add({address, c.field, c.now, c.next}, r.outcome == Outcome::Planned);
    }
    for (int column = 0; column < Reason; ++column) // the reason takes the rest
        resizeColumnToContents(column);
    resizeRowsToContents();
}

bool WritePreview::writesAnything() const
{
    return std::any_of(planned_.begin(), planned_.end(), [](const BoardResult& r) {
        return (r.outcome == Outcome::Planned || mayAllBeForced(r)) && !changesOf(r).isEmpty();
    });
}

} // namespace talvik
