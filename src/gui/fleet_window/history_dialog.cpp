#include "gui/fleet_window/history_dialog.h"

#include "board/untrusted_text.h"
#include "fleet/fleet_model.h"
#include "fleet/fleet_texts.h"
#include "fleet/fleet_wording.h"
#include "wire/board_address.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
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
        return ft::BeforeUnknown();
    QStringList parts;
    for (const ChangedField& p : fleet::titledChanges(*e.before, e.sent.fields))
        parts.append(QStringLiteral("%1 %2 → %3").arg(p.field, p.now, p.next));
    return parts.isEmpty() ? ft::NothingChanges() : parts.join(QStringLiteral("; "));
}
} // namespace

namespace {
// "Маска 255.0.0.0 → 255.255.0.0; …" of a commit, each field titled as the table titles it.
QString committed(const GitRepository::Commit& c)
{
    if (c.added)
        return ft::FirstBackup();
    QStringList parts;
    for (const ChangedField& f : c.changes)
        parts.append(QStringLiteral("%1 %2 → %3")
                         .arg(f.field == QLatin1String("version") ? ft::Columns(fleet::Version)
                                                                  : fleet::fieldTitles({f.field}),
                              escapeControls(f.now), escapeControls(f.next)));
    return parts.join(QStringLiteral("; "));
}
} // namespace

HistoryDialog::HistoryDialog(const QList<BoardAddress>& boards, const QList<JournalEntry>& entries,
                             QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("history"));
    setWindowTitle(
        ft::HistoryTitle().arg(boards.size() == 1 ? dottedText(boards.first()) : ft::boards(boards.size())));
    for (const JournalEntry& e : entries)
        rows_.append({e.time,
                      {e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                       dottedText(e.board), fleet::byWords(e.by), fleet::resultWords(e), changes(e)},
                      e});
    auto* layout = new QVBoxLayout(this);
    table = new QTableWidget(0, ColumnCount);
    table->setObjectName(QStringLiteral("journalTable"));
    table->setAccessibleName(windowTitle());
    table->setHorizontalHeaderLabels(ft::HistoryColumns().split(u';'));
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->setTabKeyNavigation(false); // Tab leaves the table
    layout->addWidget(table, 1);
    auto* buttons = new QHBoxLayout;
    keptStatus = new QLabel;
    keptStatus->setObjectName(QStringLiteral("keptStatus"));
    keptStatus->hide();
    stopKept = new QPushButton(ft::Cancel());
    stopKept->setObjectName(QStringLiteral("stopKept"));
    stopKept->hide();
    connect(stopKept, &QPushButton::clicked, this, &HistoryDialog::stopKeptWanted);
    buttons->addWidget(keptStatus);
    buttons->addWidget(stopKept);
    undo = new QPushButton(ft::Undo());
    undo->setObjectName(QStringLiteral("undo"));
    undo->setToolTip(ft::UndoTip());
    auto* close = new QPushButton(ft::Close());
    close->setObjectName(QStringLiteral("close"));
    buttons->addStretch(1);
    buttons->addWidget(undo);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    // The write selected, when it can be undone: journaled, with its memory before.
    const auto undoable = [this]() -> const JournalEntry* {
        const int row = table->currentRow();
        if (row < 0 || row >= rows_.size() || !rows_[row].write || !rows_[row].write->before)
            return nullptr;
        return &*rows_[row].write;
    };
    connect(table, &QTableWidget::currentCellChanged, this,
            [this, undoable] { undo->setEnabled(undoable()); });
    fill();
    undo->setEnabled(undoable());
    connect(undo, &QPushButton::clicked, this, [this, undoable] {
        if (const JournalEntry* e = undoable())
            emit undoWanted(*e);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(sizeHint().expandedTo(QSize(860, 360)).boundedTo(QSize(1000, 700)));
}

void HistoryDialog::fill()
{
    std::stable_sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) { return a.time > b.time; });
    table->setRowCount(int(rows_.size()));
    for (int row = 0; row < rows_.size(); ++row)
        for (int column = 0; column < ColumnCount; ++column)
            table->setItem(row, column, new QTableWidgetItem(rows_[row].cells.value(column)));
    table->resizeColumnsToContents();
    table->setCurrentCell(rows_.isEmpty() ? -1 : 0, 0); // the newest, as before any choice
}

void HistoryDialog::showKeptReading()
{
    keptStatus->setText(ft::ReadingKept());
    keptStatus->setAccessibleName(keptStatus->text());
    keptStatus->show();
    stopKept->show();
}

void HistoryDialog::showKept(const QList<KeptChange>& kept, const QString& problem)
{
    stopKept->hide();
    keptStatus->setText(problem);
    keptStatus->setAccessibleName(problem);
    keptStatus->setVisible(!problem.isEmpty());
    for (const KeptChange& k : kept)
        rows_.append({k.commit.time,
                      {k.commit.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                       dottedText(k.board), ft::ByBackupRepository(), ft::Commit().arg(k.commit.id.left(10)),
                       committed(k.commit)},
                      std::nullopt});
    if (!kept.isEmpty())
        fill();
}

} // namespace talvik
