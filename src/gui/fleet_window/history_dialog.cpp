#include "gui/fleet_window/history_dialog.h"

#include "board/untrusted_text.h"
#include "fleet/fleet_texts.h"
#include "fleet/fleet_wording.h"
#include "wire/board_address.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace talvik {

namespace ft = fleet::texts;

namespace {
// "Маска 255.0.0.0 → 255.255.255.0; …" against the memory before.
QString changes(const JournalEntry& e)
{
    if (!e.before)
        return ft::BeforeUnknown;
    QStringList parts;
    for (const ChangedField& p : fleet::titledChanges(*e.before, e.sent.fields))
        parts.append(QStringLiteral("%1 %2 → %3").arg(p.field, p.now, p.next));
    return parts.isEmpty() ? ft::NothingChanges : parts.join(QStringLiteral("; "));
}
} // namespace

HistoryDialog::HistoryDialog(const QList<BoardAddress>& boards, const QList<JournalEntry>& entries,
                             QWidget* parent)
    : QDialog(parent), entries_(entries)
{
    setObjectName(QStringLiteral("history"));
    setWindowTitle(
        ft::HistoryTitle.arg(boards.size() == 1 ? dottedText(boards.first()) : ft::boards(boards.size())));
    auto* layout = new QVBoxLayout(this);
    table = new QTableWidget(int(entries.size()), ColumnCount);
    table->setObjectName(QStringLiteral("journalTable"));
    table->setAccessibleName(windowTitle());
    table->setHorizontalHeaderLabels(ft::HistoryColumns.split(u';'));
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    for (int row = 0; row < entries.size(); ++row) {
        const JournalEntry& e = entries[row];
        const QStringList cells{e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                dottedText(e.board), fleet::byWords(e.by),
                                e.result.isEmpty() ? ft::NoResult : fleet::resultWords(e.result), changes(e)};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->resizeColumnsToContents();
    layout->addWidget(table, 1);
    auto* buttons = new QHBoxLayout;
    undo = new QPushButton(ft::Undo);
    undo->setObjectName(QStringLiteral("undo"));
    undo->setToolTip(ft::UndoTip);
    auto* close = new QPushButton(ft::Close);
    close->setObjectName(QStringLiteral("close"));
    buttons->addStretch(1);
    buttons->addWidget(undo);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    const auto selectedEntry = [this]() -> const JournalEntry* {
        const int row = table->currentRow();
        return row >= 0 && row < entries_.size() ? &entries_[row] : nullptr;
    };
    connect(table, &QTableWidget::currentCellChanged, this, [this, selectedEntry] {
        const JournalEntry* e = selectedEntry();
        undo->setEnabled(e && e->before);
    });
    table->setCurrentCell(entries.isEmpty() ? -1 : 0, 0); // the newest write, as before any choice
    undo->setEnabled(!entries.isEmpty() && entries.first().before);
    connect(undo, &QPushButton::clicked, this, [this, selectedEntry] {
        if (const JournalEntry* e = selectedEntry(); e && e->before)
            emit undoWanted(*e);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(sizeHint().expandedTo(QSize(860, 360)).boundedTo(QSize(1000, 700)));
}

} // namespace talvik
