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

HistoryDialog::HistoryDialog(BoardAddress board, const QList<JournalEntry>& entries, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("history"));
    setWindowTitle(ft::HistoryTitle.arg(dottedText(board)));
    auto* layout = new QVBoxLayout(this);
    table = new QTableWidget(int(entries.size()), 4);
    table->setObjectName(QStringLiteral("journalTable"));
    table->setAccessibleName(windowTitle());
    table->setHorizontalHeaderLabels(ft::HistoryColumns.split(u';'));
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < entries.size(); ++row) {
        const JournalEntry& e = entries[row];
        // Who wrote and the result are the journal file's text, not the program's.
        const QStringList cells{e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                escapeControls(e.by),
                                e.result.isEmpty() ? ft::NoResult : escapeControls(e.result), changes(e)};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->resizeColumnsToContents();
    layout->addWidget(table, 1);
    auto* buttons = new QHBoxLayout;
    undo = new QPushButton(ft::Undo);
    undo->setObjectName(QStringLiteral("undo"));
    undo->setToolTip(ft::UndoTip);
    undo->setEnabled(
        std::any_of(entries.begin(), entries.end(), [](const JournalEntry& e) { return e.before; }));
    auto* close = new QPushButton(ft::Close);
    close->setObjectName(QStringLiteral("close"));
    buttons->addStretch(1);
    buttons->addWidget(undo);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(undo, &QPushButton::clicked, this, &HistoryDialog::undoWanted);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(720, 360);
}

} // namespace talvik
