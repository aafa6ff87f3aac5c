// The fleet window's writes beyond backups: one change on the selected boards, a board's
// journal and its undo, a board replaced. Each writes through FleetJobs, which reads the
// board's permanent memory first, journals the write before its frame leaves and verifies.

#include "client/configuration_reply.h"
#include "client/untrusted_text.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_model.h"
#include "fleet/fleet_texts.h"
#include "gui/fleet_window/field_change_dialog.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/fleet_window/history_dialog.h"
#include "gui/fleet_window/replace_dialog.h"

#include <QCheckBox>
#include <QPushButton>

namespace talvik {

namespace ft = fleet::texts;

void FleetWindow::changeSelectedFields()
{
    const QList<quint32> boards = selectedBoards();
    if (boards.isEmpty()) {
        dialogs_.message(this, ft::NoSelection);
        return;
    }
    auto* dialog = new FieldChangeDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &FieldChangeDialog::previewWanted, this, [this, dialog, boards] {
        QString problem;
        const std::optional<FieldChange> change = dialog->change(&problem);
        if (!change) {
            dialog->showProblem(problem);
            return;
        }
        dialog->showProblem(ft::Reading);
        jobs_.readPermanent(boards, [dialog, boards, change](const QHash<quint32, BoardConfig>& read) {
            QList<FieldChangeDialog::BoardPreview> rows;
            for (quint32 board : boards) {
                FieldChangeDialog::BoardPreview row{board, {}, {}};
                if (!read.contains(board))
                    row.refused = ft::NoBase;
                else if (const auto next = fleet::changed(read.value(board), *change, &row.refused))
                    row.changes = fleet::preview(read.value(board), *next);
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
        setBusy(true);
        jobs_.write(
            boards,
            [change](const BoardConfig& now, QString* refused) {
                return fleet::changed(now, *change, refused);
            },
            fleet::by::Change);
    });
    dialog->open();
}

void FleetWindow::showSelectedHistory()
{
    const QList<quint32> boards = selectedBoards();
    if (boards.size() != 1 || !jobs_.journal) {
        dialogs_.message(this, ft::OneBoard);
        return;
    }
    const quint32 board = boards.first();
    const QList<JournalEntry> entries = jobs_.journal->entries(board);
    auto* dialog = new HistoryDialog(board, entries, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &HistoryDialog::undoWanted, this, [this, dialog, board, entries] {
        const auto newest =
            std::find_if(entries.begin(), entries.end(), [](const JournalEntry& e) { return e.before; });
        if (newest == entries.end()) {
            dialogs_.message(dialog, ft::NothingToUndo);
            return;
        }
        dialog->accept();
        setBusy(true);
        const JournalEntry undone = *newest;
        jobs_.write(
            {board},
            [undone](const BoardConfig& now, QString* refused) -> std::optional<WriteFields> {
                if (!differencesAfterWrite(undone.frame, now).isEmpty()) { // someone wrote since
                    *refused = ft::ChangedSince;
                    return std::nullopt;
                }
                return undone.before->fields;
            },
            fleet::by::Undo);
    });
    dialog->open();
}

void FleetWindow::replaceSelected()
{
    const QList<quint32> boards = selectedBoards();
    if (boards.size() != 1) {
        dialogs_.message(this, ft::OneBoard);
        return;
    }
    const quint32 board = boards.first();
    auto* dialog = new ReplaceDialog(board, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &ReplaceDialog::backupWanted, this, [this, dialog] {
        const QString path = dialogs_.openFile(dialog, ft::ChooseBackups, ft::BackupFilter);
        if (path.isEmpty())
            return;
        try {
            dialog->setBackup(path, readBackupFile(path));
        }
        catch (const BackupError& e) {
            dialogs_.message(dialog, ft::CannotRead.arg(quoted(path, 4096), e.message));
        }
    });
    connect(dialog, &ReplaceDialog::replaceWanted, this, [this, dialog, board] {
        const BoardConfig backup = *dialog->backup();
        const bool takeMac = dialog->takeMac->isChecked();
        dialog->accept();
        const quint32 oldAddress = addressOf(backup.fields.ip);
        const auto writeIt = [this, board, backup, takeMac] {
            setBusy(true);
            jobs_.write(
                {board},
                [backup, takeMac](const BoardConfig& now, QString* refused) -> std::optional<WriteFields> {
                    const BoardConfig replaced{now.address,
                                               replacementFields(backup.fields, now.fields, takeMac),
                                               now.version, Memory::Permanent};
                    return fleet::changed(replaced, FieldChange{}, refused);
                },
                fleet::by::Replace);
        };
        if (oldAddress == board) {
            writeIt();
            return;
        }
        // The old board must be gone: something answering at the backup's address is asked about.
        jobs_.readPermanent(
            {oldAddress}, [this, oldAddress, writeIt](const QHash<quint32, BoardConfig>& read) {
                if (read.isEmpty() ||
                    dialogs_.confirm(this, ft::OldStillAnswers.arg(dottedText(oldAddress)), ft::WriteAnyway))
                    writeIt();
            });
    });
    dialog->open();
}

} // namespace talvik
