// The fleet window's writes beyond backups: one change on the selected boards, a board's
// journal and its undo, a board replaced. Each is planned by the engine's dry run first
// (the board's permanent memory read, the rules asked), then, when the operator agreed (to
// a force too, where the rules let one through), written through FleetJobs, which journals
// each write before its frame leaves and verifies it.

#include "board/backup_file.h"
#include "board/untrusted_text.h"
#include "client/journal_plans.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_model.h"
#include "fleet/fleet_wording.h"
#include "fleet/off_thread.h"
#include "gui/fleet_window/field_change_dialog.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/fleet_window/history_dialog.h"
#include "gui/fleet_window/replace_dialog.h"
#include "gui/fleet_window/write_preview_dialog.h"
#include "journal/backup_folder.h"
#include "journal/git_repository.h"
#include "journal/journal.h"

#include <QCheckBox>
#include <QDir>
#include <QPointer>
#include <QPushButton>

namespace talvik {

bool FleetWindow::askForce(QWidget* asking, const QList<BoardResult>& planned, bool* force)
{
    const QStringList forced = fleet::forcedLines(planned);
    *force = false;
    if (forced.isEmpty())
        return true;
    const QString question =
        tr("Ці плати записати лише на ваше слово. Якщо записати всі:\n%1").arg(forced.join(u'\n'));
    const bool others = std::any_of(planned.begin(), planned.end(),
                                    [](const BoardResult& r) { return r.outcome == Outcome::Planned; });
    if (!others) // nothing to write but with a force
        return *force = dialogs_.confirm(asking, question, tr("&Записати всі"));
    const int chosen = dialogs_.choose(
        asking, question, {tr("&Пропустити ці плати (%1)").arg(forced.size()), tr("&Записати всі")}, -1);
    *force = chosen == 1;
    return chosen >= 0;
}

bool FleetWindow::writePlanned(QWidget* asking, const QList<WriteTarget>& targets,
                               const QList<BoardResult>& planned, const QString& by,
                               const QStringList& undone)
{
    bool force = false;
    if (!askForce(asking, planned, &force))
        return false;
    setBusy(true);
    jobs_.write(targets, by, force, undone);
    return true;
}

WritePreviewDialog* FleetWindow::previewThenWrite(QWidget* over, const QString& title, const QString& heading,
                                                  const QList<WriteTarget>& targets,
                                                  const std::function<void(bool force)>& write)
{
    auto* dialog = new WritePreviewDialog(title, heading, over);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &WritePreviewDialog::writeWanted, this, [this, dialog, write] {
        bool force = false; // asked of the preview shown, which is what is written
        if (!askForce(dialog, dialog->table->planned(), &force))
            return;
        dialog->accept();
        setBusy(true);
        write(force);
    });
    dialog->showReading();
    dialog->open();
    setBusy(true);
    QPointer<WritePreviewDialog> alive(dialog);
    jobs_.plan(targets, false, [this, alive](const QList<BoardResult>& planned) {
        setBusy(jobs_.running());
        if (alive)
            alive->showPlanned(planned);
    });
    return dialog;
}

// A job of the journal run again, after its preview (the engine's dry run of its writes) or,
// for a reboot, a question.
void FleetWindow::runJobPlan(QWidget* over, const JobPlan& plan, const QString& question)
{
    QStringList alone;
    for (const LeftAlone& l : plan.leftAlone)
        alone.append(dottedText(l.board));
    const QString heading =
        alone.isEmpty() ? question
                        : question + u'\n' + tr("Не чіпатиму: %1").arg(alone.join(QStringLiteral(", ")));
    if (!plan.reboots.isEmpty()) {
        if (dialogs_.confirm(over, heading, tr("Повторити невдалі"))) {
            setBusy(true);
            jobs_.run(plan, false);
        }
        return;
    }
    previewThenWrite(over, tr("Історія…"), heading, plan.writes,
                     [this, plan](bool force) { jobs_.run(plan, force); });
}

void FleetWindow::changeSelectedFields()
{
    const QList<BoardAddress> boards = selectedBoards();
    if (boards.isEmpty()) {
        dialogs_.message(this, tr("Спершу виберіть плати в таблиці."));
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
    const auto targets = [boards](const FieldChange& change) {
        QList<WriteTarget> out;
        for (BoardAddress board : boards)
            out.append({board, WritePlan::ofChange(change)});
        return out;
    };
    connect(dialog, &FieldChangeDialog::previewWanted, this, [this, dialog, targets] {
        QString problem;
        const std::optional<FieldChange> change = dialog->change(&problem);
        if (!change) {
            dialog->showProblem(problem);
            return;
        }
        dialog->previewAsked(*change);
        dialog->showProblem(tr("Читаю постійну пам'ять плат…"));
        setBusy(true);
        QPointer<FieldChangeDialog> alive(dialog);
        jobs_.plan(targets(*change), false, [this, alive](const QList<BoardResult>& planned) {
            setBusy(jobs_.running());
            if (alive)
                alive->showPreview(planned);
        });
    });
    connect(dialog, &FieldChangeDialog::writeWanted, this, [this, dialog, targets] {
        const std::optional<FieldChange> change = dialog->previewed(); // what the preview shows
        if (!change)
            return;
        if (writePlanned(dialog, targets(*change), dialog->table->planned(), fleet::by::Change))
            dialog->accept();
    });
    dialog->open();
}

namespace {
constexpr qsizetype MostShown = 5000; // writes, and jobs, a history lists at most
} // namespace

namespace {
// What a history dialog shows, read off the window's thread.
struct HistoryRead {
    QList<JournalEntry> entries;
    QList<JobRecord> jobs;
    UnreadLines unread; // lines that are no journal line, by file and line
};

HistoryRead readHistory(const Journal& journal, const QSet<BoardAddress>& chosen)
{
    HistoryRead read;
    // The newest part of the journal: a long one is not read whole for a dialog.
    read.entries = journal.entries(chosen, nullptr, MostShown, Journal::WindowBytes, &read.unread);
    journal.forEachJob(
        [&](const JobRecord& j) {
            if (std::any_of(j.boards.begin(), j.boards.end(),
                            [&](BoardAddress b) { return chosen.contains(b); }))
                read.jobs.append(j);
            return read.jobs.size() < MostShown;
        },
        nullptr, Journal::WindowBytes);
    return read;
}

struct PlanRead {
    std::optional<JobPlan> plan;
    JournalProblem problem;
};
} // namespace

void FleetWindow::showSelectedHistory()
{
    const QList<BoardAddress> boards = selectedBoards();
    Journal* journal = jobs_.journal();
    if (boards.isEmpty() || !journal) {
        dialogs_.message(this, tr("Спершу виберіть плати в таблиці."));
        return;
    }
    const QSet<BoardAddress> chosen(boards.begin(), boards.end());
    auto* dialog = new HistoryDialog(boards, {}, {}, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The journal is read on a thread of its own, now and after each job the dialog starts.
    const Journal copy = *journal;
    const auto read = [this, dialog, copy, chosen] {
        dialog->showReadingJournal();
        fleet::offThread<HistoryRead>(
            dialog, [copy, chosen] { return readHistory(copy, chosen); },
            [dialog](const HistoryRead& r) { dialog->setHistory(r.entries, r.jobs, r.unread); });
    };
    read();
    showKeptChanges(dialog, boards);
    connect(&jobs_, &fleet::FleetJobs::finished, dialog, read);
    connect(dialog, &HistoryDialog::jobChosen, dialog, [dialog, copy](const JobRecord& job) {
        using Read = std::pair<std::optional<RollOut>, JournalProblem>;
        fleet::offThread<Read>(
            dialog,
            [copy, id = job.id] {
                Read r;
                r.first = copy.rollOut(id, &r.second, {}, Journal::JobAlone);
                return r;
            },
            [dialog, id = job.id](const Read& r) {
                if (dialog->chosenJobId() == id) // still the one chosen
                    dialog->showJobBoards(r.first,
                                          r.first ? QString() : fleet::journalProblemWords(r.second));
            });
    });
    connect(dialog, &HistoryDialog::undoWanted, this, [this, dialog](const JournalEntry& entry) {
        QStringList changes;
        for (const ChangedField& c : fleet::titledChanges(*entry.before, entry.sent.fields))
            changes.append(QStringLiteral("%1 %2 → %3").arg(c.field, c.now, c.next));
        const QString when = entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QString heading = tr("Повернути плату %1 до пам'яті, яку вона мала до запису %2?\n%3")
                                    .arg(dottedText(entry.board), when, changes.join(u'\n'));
        const WriteTarget undo = undoOfWrite(entry, dialog->entries());
        previewThenWrite(dialog, tr("Повернути"), heading, {undo}, [this, undo, entry](bool force) {
            jobs_.write({undo}, fleet::by::Undo, force, {entry.id});
        });
    });
    const auto whenOf = [](const JobRecord& job) {
        return job.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    };
    const auto planned = [this, dialog, copy, whenOf](const JobRecord& job, bool undo) {
        fleet::offThread<PlanRead>(
            dialog,
            [copy, id = job.id, undo] {
                PlanRead r;
                r.plan = undo ? undoPlan(copy, id, fleet::by::UndoJob, &r.problem)
                              : retryPlan(copy, id, fleet::by::RetryJob, &r.problem);
                return r;
            },
            [this, dialog, whenOf, undo](const PlanRead& r) {
                if (!r.plan)
                    return dialogs_.message(dialog, fleet::journalProblemWords(r.problem));
                if (r.plan->empty())
                    return dialogs_.message(
                        dialog,
                        undo ? tr("Ця робота не записала жодної плати: повертати нічого.")
                             : tr("Усі плати цієї роботи вже записано або відмовлено: повторювати нічого."));
                const JobPlan& plan = *r.plan;
                runJobPlan(
                    dialog, plan,
                    undo ? tr("Повернути роботу «%1» від %2 на %n платах?", nullptr, int(plan.writes.size()))
                               .arg(fleet::jobWhat(plan.job), whenOf(plan.job))
                         : tr("Повторити роботу «%1» від %2 на %n платах?", nullptr,
                              int(plan.writes.size() + plan.reboots.size()))
                               .arg(fleet::jobWhat(plan.job), whenOf(plan.job)));
            });
    };
    connect(dialog, &HistoryDialog::undoJobWanted, this,
            [planned](const JobRecord& job) { planned(job, true); });
    connect(dialog, &HistoryDialog::retryJobWanted, this,
            [planned](const JobRecord& job) { planned(job, false); });
    dialog->open();
}

// What the backups kept in git say of the boards, asked of git while the dialog is open.
void FleetWindow::showKeptChanges(HistoryDialog* dialog, const QList<BoardAddress>& boards)
{
    const GitRepository repository(backupFolder);
    if (backupFolder.isEmpty() || !repository.exists())
        return;
    if (GitRepository::program().isEmpty())
        return dialog->showKept({},
                                tr("На цьому комп'ютері немає програми git: історію копій не прочитано."));
    const BackupFolder folder(backupFolder);
    QHash<QString, BoardAddress> boardOf; // by the file's path inside the folder
    for (BoardAddress board : boards)
        boardOf.insert(QDir(backupFolder).relativeFilePath(folder.fileOf(board, Memory::Working)), board);
    auto* git = new GitHistory(repository, boardOf.keys(), dialog);
    connect(
        git, &GitHistory::finished, dialog,
        [dialog, boardOf](const QHash<QString, QList<GitRepository::Commit>>& byFile, const QString& error) {
            QList<HistoryDialog::KeptChange> kept;
            for (auto it = byFile.cbegin(); it != byFile.cend(); ++it)
                for (const GitRepository::Commit& c : it.value())
                    if (boardOf.contains(it.key()))
                        kept.append({boardOf.value(it.key()), c});
            dialog->showKept(kept,
                             error.isEmpty()
                                 ? QString()
                                 : tr("Історію копій у git не прочитано: %1").arg(escapeControls(error)));
        });
    connect(dialog, &HistoryDialog::stopKeptWanted, git, [dialog, git] {
        git->cancel();
        dialog->showKept({});
    });
    dialog->showKeptReading();
    git->start();
}

void FleetWindow::replaceSelected()
{
    const QList<BoardAddress> boards = selectedBoards();
    if (boards.size() != 1) {
        dialogs_.message(this, tr("Виберіть одну плату."));
        return;
    }
    const BoardAddress board = boards.first();
    auto* dialog = new ReplaceDialog(board, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &ReplaceDialog::backupWanted, this, [this, dialog] {
        const QString path =
            dialogs_.openFile(dialog, tr("Копії плат для запису"), tr("Копії плат (*.conf)"));
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
        // the preview says so and the operator is asked.
        const QList<WriteTarget> targets{{board, plan}};
        previewThenWrite(this, tr("Замінити плату"),
                         tr("Записати плату %1 копією замінної?").arg(dottedText(board)), targets,
                         [this, targets](bool force) { jobs_.write(targets, fleet::by::Replace, force); });
    });
    dialog->open();
}

} // namespace talvik
