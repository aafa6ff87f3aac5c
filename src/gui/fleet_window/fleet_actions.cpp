// What each button of the fleet window does.

#include "board/backup_file.h"
#include "board/untrusted_text.h"
#include "fleet/fleet_files.h"
#include "fleet/fleet_filter.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_sites.h"
#include "fleet/fleet_survey.h"
#include "fleet/fleet_wording.h"
#include "gui/fleet_window/fleet_dialogs.h"
#include "gui/fleet_window/fleet_window.h"
#include "gui/fleet_window/write_preview_dialog.h"
#include "store/sites_file.h"
#include "wire/input_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTableView>

namespace talvik {

namespace {
constexpr int NamedInQuestion = 8; // addresses a question lists before "…"

// "10.0.0.1, 10.0.0.2, …": the first few addresses.
QString names(const QList<BoardAddress>& boards)
{
    QStringList out;
    for (BoardAddress b : boards.mid(0, NamedInQuestion))
        out.append(dottedText(b));
    if (boards.size() > NamedInQuestion)
        out.append(QStringLiteral("…"));
    return out.join(QStringLiteral(", "));
}

// "Перезавантажити 2 плати?" with the addresses under it.
QString question(const QString& asked, const QList<BoardAddress>& boards)
{
    return asked + u'\n' + names(boards);
}
} // namespace

std::optional<QList<BoardAddress>> FleetWindow::boardsToSearch()
{
    QStringList wanted;
    if (fromRange->isChecked()) {
        const QString to = last->text().trimmed();
        wanted.append(first->text().trimmed() + (to.isEmpty() ? QString() : u'-' + to));
    }
    else if (fromList->isChecked()) {
        wanted = hostLines(list->toPlainText().toUtf8());
    }
    else if (fromSite->isChecked()) {
        for (const Site& chosen : sites_->sites())
            if (chosen.name == site->currentData().toString())
                wanted = chosen.entries;
    }
    else {
        const QList<Adapter> networks = fleet::networksOf(adaptersNow(), adapter->currentData().toString());
        wanted = fleet::hostsOf(networks);
        if (const qint64 count = fleet::hostCount(networks); count > 254) { // wider than a /24: said first
            QStringList names;
            for (const Adapter& a : networks)
                names.append(a.networkText());
            if (!dialogs_.confirm(
                    this,
                    tr("Шукати плати в %n адресах: %1?", nullptr, int(qMin<qint64>(count, INT_MAX)))
                        .arg(names.join(QStringLiteral(", "))),
                    tr("&Шукати")))
                return std::nullopt;
        }
    }
    BoardsProblem problem;
    auto boards = boardsOf(wanted, &problem, MostBoards, prefixesOf(adaptersNow()));
    if (!boards)
        dialogs_.message(this, fleet::boardsProblemText(problem));
    else if (boards->isEmpty())
        dialogs_.message(this, tr("Не задано жодної плати."));
    else
        return boards;
    return std::nullopt;
}

void FleetWindow::startSearch()
{
    const auto boards = boardsToSearch();
    if (!boards)
        return;
    setBusy(true);
    whenListening([this, boards = *boards](bool listens) {
        if (listens)
            return survey_.start(boards, bothMemories->isChecked(), timing);
        setBusy(false); // the answers would not reach this program
        dialogs_.message(
            this,
            tr("Порт 6767 зайнятий іншою програмою: відповіді плат сюди не дійдуть. Закрийте ту програму."));
    });
}

void FleetWindow::chooseHostsFile()
{
    const QString path = dialogs_.openFile(this, tr("Список адрес з файлу"),
                                           tr("Список адрес (*.txt *.hosts);;Усі файли (*)"));
    if (path.isEmpty())
        return;
    FileProblem problem;
    const auto text = readInputFile(path, MostHostsBytes, &problem);
    if (!text) {
        dialogs_.message(this, fleet::fileProblemText(problem));
        return;
    }
    list->setPlainText(hostLines(*text).join(u'\n'));
    fromList->setChecked(true);
}

void FleetWindow::openSelected()
{
    const QModelIndex current = table->currentIndex();
    const QList<BoardAddress> selected = selectedBoards();
    if (!openInConfigurator || (!current.isValid() && selected.isEmpty()))
        return;
    openInConfigurator(current.isValid() ? model_.rowAt(shown->mapToSource(current).row()).address
                                         : selected.first());
}

// Rows that did not answer their last read are named, and left out unless the operator says.
void FleetWindow::rebootSelected()
{
    QList<BoardAddress> boards = selectedBoards();
    QList<BoardAddress> silent = boards;
    silent.removeIf([this](BoardAddress b) { return !model_.silent(b); });
    if (boards.isEmpty())
        return;
    if (silent.isEmpty()) {
        if (!dialogs_.confirm(this,
                              question(tr("Перезавантажити %n плат?", nullptr, int(boards.size())), boards),
                              tr("Перезавантажити")))
            return;
    }
    else {
        const QString skip =
            tr("%n плат не відповідали: пропустити їх?\n%1", nullptr, int(silent.size())).arg(names(silent));
        const QString asked = tr("Перезавантажити %n плат?", nullptr, int(boards.size()));
        const int chosen = dialogs_.choose(this, question(asked, boards) + QStringLiteral("\n\n") + skip,
                                           {tr("Пропустити їх"), tr("Перезавантажити всі")});
        if (chosen < 0)
            return;
        if (chosen == 0)
            boards.removeIf([&](BoardAddress b) { return silent.contains(b); });
        if (boards.isEmpty())
            return;
    }
    setBusy(true);
    jobs_.reboot(boards);
}

void FleetWindow::saveSelectedBackups()
{
    const QList<BoardAddress> boards = selectedBoards();
    const QString folder = boards.isEmpty() ? QString() : dialogs_.folder(this, tr("Тека для копій плат"));
    if (folder.isEmpty())
        return;
    setBusy(true);
    jobs_.saveBackups(boards, folder);
}

// Every backup is read before any is written: one that cannot be read stops them all.
void FleetWindow::applyBackupsFrom(bool wholeFolder)
{
    QStringList paths;
    if (wholeFolder) {
        const QString chosen = dialogs_.folder(this, tr("Копії плат для запису"));
        const QDir folder(chosen);
        if (chosen.isEmpty())
            return;
        for (const QString& name : folder.entryList({QStringLiteral("*.conf")}, QDir::Files, QDir::Name))
            paths.append(folder.filePath(name));
    }
    else {
        paths = dialogs_.openFiles(this, tr("Копії плат для запису"), tr("Копії плат (*.conf)"));
    }
    if (paths.isEmpty())
        return;
    QList<Backup> read;
    for (const QString& path : paths) {
        try {
            read.append({path, readBackupFile(path)});
        }
        catch (const BackupError& e) {
            dialogs_.message(this, fleet::backupErrorText(e));
            return;
        }
    }
    if (const auto twice = sameBoardTwice(read)) {
        dialogs_.message(this, tr("%1 і %2 — копії однієї плати %3: залиште одну.")
                                   .arg(twice->first, twice->second, dottedText(twice->board)));
        return;
    }
    QList<WriteTarget> targets;
    QList<BoardAddress> boards;
    for (const Backup& b : read) {
        targets.append({b.config.address, WritePlan::ofBackup(b.config)});
        boards.append(b.config.address);
    }
    // What each backup would change, from its board's permanent memory: the engine's dry run.
    previewThenWrite(this, tr("Записати копії"),
                     question(tr("Записати копії в %n плат?", nullptr, int(boards.size())), boards), targets,
                     [this, targets](bool force) { jobs_.write(targets, fleet::by::Apply, force); });
}

void FleetWindow::exportRows(bool allRows)
{
    QList<const fleet::Row*> rows = shown->shownRows();
    if (allRows) {
        rows.clear();
        for (int r = 0; r < model_.rowCount(); ++r)
            rows.append(&model_.rowAt(r));
        std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->address < b->address; });
    }
    const QString path =
        dialogs_.saveFile(this, tr("Експорт таблиці"), tr("Таблиця CSV (*.csv);;JSON Lines (*.jsonl)"));
    QString why;
    if (!path.isEmpty() && !fleet::exportRows(rows, path, &why))
        dialogs_.message(this, tr("Не вдалося записати %1: %2").arg(path, why));
}

// The selected row as its site's reference: every other row of the site marks the cells of
// the fields a site shares that differ from it, and the summary counts them by field.
void FleetWindow::compareWithReference()
{
    const QList<BoardAddress> boards = selectedBoards();
    const auto perField = boards.size() == 1 ? model_.compareWithReference(boards.first()) : std::nullopt;
    if (!perField) {
        dialogs_.message(this, tr("Виберіть одну плату, що відповіла: вона буде еталоном."));
        return;
    }
    QStringList counts;
    for (auto it = perField->cbegin(); it != perField->cend(); ++it)
        counts.append(tr("%1 — %2").arg(fleet::fieldTitles({it.key()})).arg(it.value()));
    const QString line =
        counts.isEmpty() ? tr("Усі плати об'єкта збігаються з еталоном %1").arg(dottedText(boards.first()))
                         : tr("Від еталона %1 відрізняються: %2")
                               .arg(dottedText(boards.first()), counts.join(QStringLiteral(", ")));
    summary->setText(line);
    summary->setAccessibleName(line);
    summary->show();
}

void FleetWindow::compareWithEarlier()
{
    const QString path = dialogs_.openFile(this, tr("Порівняти з"),
                                           tr("Експорт або копія плати (*.csv *.jsonl *.json *.conf)"));
    if (path.isEmpty())
        return;
    QString why;
    const auto earlier = fleet::loadEarlier(path, &why);
    if (!earlier) {
        dialogs_.message(this, why);
        return;
    }
    if (const QFileInfo info(path); info.isDir() || info.suffix() == QLatin1String("conf"))
        backupFolder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    const fleet::FleetModel::Summary s = model_.compareWith(*earlier);
    const QString line = fleet::comparisonText(s.added, s.missing, s.changed);
    summary->setText(line);
    summary->setAccessibleName(line);
    summary->show();
}

} // namespace talvik
