// The fleet window's writes beyond backups: one change on the selected boards, a board's
// journal and its undo, a board replaced. Each writes through FleetJobs, which reads the
// board's permanent memory first, journals the write before its frame leaves and verifies.

#include "board/backup_file.h"
#include "board/untrusted_text.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_model.h"
#include "fleet/fleet_texts.h"
#include "fleet/fleet_wording.h"
#include "gui/fleet_window/field_change_dialog.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/fleet_window/history_dialog.h"
#include "gui/fleet_window/replace_dialog.h"
#include "journal/backup_folder.h"
#include "journal/git_repository.h"
#include "journal/journal.h"

#include <QCheckBox>
#include <QPushButton>

namespace talvik {

namespace ft = fleet::texts;

void FleetWindow::changeSelectedFields()
{
    const QList<BoardAddress> boards = selectedBoards();
    if (boards.isEmpty()) {
        dialogs_.message(this, ft::NoSelection());
        return;
    }
    auto* dialog = new FieldChangeDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // After a comparison with a reference board: its values for the fields the selected rows differ in.
    if (const auto reference = model_.reference(); reference && model_.rowOf(*reference) >= 0) {
        QStringList fields;
        for (BoardAddress board : boards)
            if (const int row = model_.rowOf(board); row >= 0)
                for (auto it = model_.rowAt(row).fromReference.cbegin();
                     it != model_.rowAt(row).fromReference.cend(); ++it)
                    if (const QString field = fleet::fieldOfColumn(it.key()); !fields.contains(field))
                        fields.append(field);
        if (const auto& working = model_.rowAt(model_.rowOf(*reference)).working;
            working && !fields.isEmpty())
            dialog->takeFrom(*working, fields);
    }
    connect(dialog, &FieldChangeDialog::previewWanted, this, [this, dialog, boards] {
        QString problem;
        const std::optional<FieldChange> change = dialog->change(&problem);
        if (!change) {
            dialog->showProblem(problem);
            return;
        }
        dialog->showProblem(ft::Reading());
        jobs_.readPermanent(boards, [dialog, boards, change](const QHash<BoardAddress, BoardConfig>& read) {
            QList<FieldChangeDialog::BoardPreview> rows;
            for (BoardAddress board : boards) {
                FieldChangeDialog::BoardPreview row{board, {}, {}};
                if (!read.contains(board)) {
                    row.refused = ft::NoBase();
                }
                else {
                    const Decision d = decide(read.value(board), WritePlan::ofChange(*change));
                    if (d.refusals.isEmpty())
                        row.changes = fleet::titledChanges(read.value(board), d.fields);
                    else
                        row.refused = fleet::refusalsText(d.refusals, d.fields, board);
                }
                rows.append(row);
            }
            dialog->showPreview(rows);
        });
    });
    connect(dialog, &FieldChangeDialog::writeWanted, this, [this, dialog, boards] {
        QString problem;
        const std::optional<FieldChange> change = dialog->change(&problem);
        if (!change)
            return;
        dialog->accept();
        QList<WriteTarget> targets;
        for (BoardAddress board : boards)
            targets.append({board, WritePlan::ofChange(*change)});
        setBusy(true);
        jobs_.write(targets, fleet::by::Change);
    });
    dialog->open();
}

void FleetWindow::showSelectedHistory()
{
    const QList<BoardAddress> boards = selectedBoards();
    if (boards.isEmpty() || !jobs_.journal()) {
        dialogs_.message(this, ft::NoSelection());
        return;
    }
    const QSet<BoardAddress> chosen(boards.begin(), boards.end());
    QList<JournalEntry> entries = jobs_.journal()->entries();
    entries.removeIf([&](const JournalEntry& e) { return !chosen.contains(e.board); });
    QList<HistoryDialog::KeptChange> kept; // what the backups kept in git say of them
    if (const GitRepository repository(backupFolder); !backupFolder.isEmpty() && repository.exists())
        for (BoardAddress board : boards)
            for (const GitRepository::Commit& c :
                 repository.history(BackupFolder(backupFolder).fileOf(board, Memory::Working)))
                kept.append({board, c});
    auto* dialog = new HistoryDialog(boards, entries, kept, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &HistoryDialog::undoWanted, this, [this, dialog](const JournalEntry& entry) {
        QStringList changes;
        for (const ChangedField& c : fleet::titledChanges(*entry.before, entry.sent.fields))
            changes.append(QStringLiteral("%1 %2 → %3").arg(c.field, c.now, c.next));
        const QString when = entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dialogs_.confirm(dialog,
                              ft::ConfirmUndo().arg(dottedText(entry.board), when, changes.join(u'\n')),
                              ft::Undo()))
            return;
        dialog->accept();
        BoardConfig before = *entry.before;
        before.address = entry.board;
        writeOrAsk(entry.board, WritePlan::ofUndo(before, entry.frame), fleet::by::Undo);
    });
    dialog->open();
}

void FleetWindow::writeOrAsk(BoardAddress board, const WritePlan& plan, const QString& by)
{
    setBusy(true);
    jobs_.write({{board, plan}}, by);
    auto* asking = new QObject(this); // once, for this job
    connect(&jobs_, &fleet::FleetJobs::finished, asking, [this, asking, board, plan, by] {
        asking->deleteLater();
        const QList<BoardResult> results = jobs_.lastResults();
        if (results.size() != 1 || results.first().outcome != Outcome::Refused)
            return;
        const BoardResult& r = results.first();
        if (!std::all_of(r.refusals.begin(), r.refusals.end(),
                         [](const Refusal& x) { return x.mayBeForced(); }))
            return;
        const QString why =
            fleet::refusalsText(r.refusals, r.config ? r.config->fields : WriteFields{}, board);
        if (!dialogs_.confirm(this, ft::ConfirmForce().arg(dottedText(board), why), ft::WriteAnyway()))
            return;
        setBusy(true);
        jobs_.write({{board, plan}}, by, true);
    });
}

void FleetWindow::replaceSelected()
{
    const QList<BoardAddress> boards = selectedBoards();
    if (boards.size() != 1) {
        dialogs_.message(this, ft::OneBoard());
        return;
    }
    const BoardAddress board = boards.first();
    auto* dialog = new ReplaceDialog(board, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &ReplaceDialog::backupWanted, this, [this, dialog] {
        const QString path = dialogs_.openFile(dialog, ft::ChooseBackups(), ft::BackupFilter());
        if (path.isEmpty())
            return;
        try {
            dialog->setBackup(path, readBackupFile(path));
        }
        catch (const BackupError& e) {
            dialogs_.message(dialog, fleet::backupErrorText(e));
        }
    });
    connect(dialog, &ReplaceDialog::replaceWanted, this, [this, dialog, board] {
        const WritePlan plan = WritePlan::ofReplacement(*dialog->backup(), dialog->takeMac->isChecked());
        dialog->accept();
        // The old board must be gone: when something still answers at the backup's address,
        // the operator is asked.
        writeOrAsk(board, plan, fleet::by::Replace);
    });
    dialog->open();
}

} // namespace talvik
