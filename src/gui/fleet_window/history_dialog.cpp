#include "gui/fleet_window/history_dialog.h"

#include "board/untrusted_text.h"
#include "fleet/fleet_model.h"
#include "fleet/fleet_wording.h"
#include "wire/board_address.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace talvik {

namespace {
// "Маска 255.0.0.0 → 255.255.255.0; …" against the memory before.
QString changes(const JournalEntry& e)
{
    if (!e.before)
        return QCoreApplication::translate("FleetWindow", "(попередня пам'ять невідома)");
    QStringList parts;
    for (const ChangedField& p : fleet::titledChanges(*e.before, e.sent.fields))
        parts.append(QStringLiteral("%1 %2 → %3").arg(p.field, p.now, p.next));
    return parts.isEmpty() ? QCoreApplication::translate("FleetWindow", "нічого не зміниться")
                           : parts.join(QStringLiteral("; "));
}
} // namespace

namespace {
// "Маска 255.0.0.0 → 255.255.0.0; …" of a commit, each field titled as the table titles it.
QString committed(const GitRepository::Commit& c)
{
    if (c.added)
        return QCoreApplication::translate("FleetWindow", "перша копія");
    QStringList parts;
    for (const ChangedField& f : c.changes)
        parts.append(QStringLiteral("%1 %2 → %3")
                         .arg(f.field == QLatin1String("version")
                                  ? fleet::FleetModel::columnTitle(fleet::Version)
                                  : fleet::fieldTitles({f.field}),
                              escapeControls(f.now), escapeControls(f.next)));
    return parts.join(QStringLiteral("; "));
}
} // namespace

namespace {
QTableWidget* listTable(const char* name, const QString& accessibleName, const QStringList& headers)
{
    auto* t = new QTableWidget(0, int(headers.size()));
    t->setObjectName(QLatin1String(name));
    t->setAccessibleName(accessibleName);
    t->setHorizontalHeaderLabels(headers);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->setTabKeyNavigation(false); // Tab leaves the table
    return t;
}

void setRow(QTableWidget* t, int row, const QStringList& cells)
{
    for (int column = 0; column < cells.size(); ++column)
        t->setItem(row, column, new QTableWidgetItem(cells[column]));
}

QString timeText(const QDateTime& time)
{
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
} // namespace

namespace {
// "Олена Коваль (olena@DISPATCH-2)", or the system's user and PC alone.
QString whoWords(const JobRecord& j)
{
    const QString system =
        j.user.isEmpty() ? QString() : j.user + (j.host.isEmpty() ? QString() : u'@' + j.host);
    if (j.operatorName.isEmpty())
        return escapeControls(system);
    return escapeControls(system.isEmpty() ? j.operatorName
                                           : QStringLiteral("%1 (%2)").arg(j.operatorName, system));
}
} // namespace

HistoryDialog::HistoryDialog(const QList<BoardAddress>& boards, const QList<JournalEntry>& entries,
                             const QList<JobRecord>& jobs, QWidget* parent)
    : QDialog(parent), jobs_(jobs), entries_(entries)
{
    setObjectName(QStringLiteral("history"));
    setWindowTitle(boards.size() == 1 ? tr("Історія записів: %1").arg(dottedText(boards.first()))
                                      : tr("Історія записів: %n плат", nullptr, int(boards.size())));
    for (const JournalEntry& e : entries)
        rows_.append(
            {e.time,
             {timeText(e.time), dottedText(e.board), fleet::byWords(e.by), fleet::resultWords(e), changes(e)},
             e});
    auto* layout = new QVBoxLayout(this);
    reading_ = new QLabel;
    reading_->setObjectName(QStringLiteral("readingJournal"));
    reading_->hide();
    layout->addWidget(reading_);
    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(buildWrites(), tr("&Записи"));
    tabs->addTab(buildJobs(), tr("Р&оботи"));
    layout->addWidget(tabs, 1);
    problems_ = new QLabel;
    problems_->setObjectName(QStringLiteral("journalProblems"));
    problems_->setWordWrap(true);
    problems_->setTextFormat(Qt::PlainText);
    problems_->hide();
    layout->addWidget(problems_);
    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton(tr("За&крити"));
    close->setObjectName(QStringLiteral("close"));
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    fill();
    resize(sizeHint().expandedTo(QSize(860, 420)).boundedTo(QSize(1000, 700)));
}

QWidget* HistoryDialog::buildWrites()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    table = listTable("journalTable", windowTitle(), tr("Час;Плата;Хто;Результат;Зміни").split(u';'));
    layout->addWidget(table, 1);
    auto* buttons = new QHBoxLayout;
    keptStatus = new QLabel;
    keptStatus->setObjectName(QStringLiteral("keptStatus"));
    keptStatus->hide();
    stopKept = new QPushButton(tr("&Скасувати"));
    stopKept->setObjectName(QStringLiteral("stopKept"));
    stopKept->hide();
    connect(stopKept, &QPushButton::clicked, this, &HistoryDialog::stopKeptWanted);
    undo = new QPushButton(tr("&Повернути"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setToolTip(tr("Записати постійну пам'ять, яку плата мала до вибраного запису"));
    buttons->addWidget(keptStatus);
    buttons->addWidget(stopKept);
    buttons->addStretch(1);
    buttons->addWidget(undo);
    layout->addLayout(buttons);
    // The write selected, when it can be undone: journaled, with its memory before.
    const auto undoable = [this]() -> const JournalEntry* {
        const QList<QTableWidgetSelectionRange> chosen = table->selectedRanges();
        const int row = chosen.isEmpty() ? -1 : chosen.first().topRow();
        if (row < 0 || row >= rows_.size() || !rows_[row].write || !rows_[row].write->before)
            return nullptr;
        return &*rows_[row].write;
    };
    connect(table, &QTableWidget::currentCellChanged, this,
            [this, undoable] { undo->setEnabled(undoable()); });
    connect(undo, &QPushButton::clicked, this, [this, undoable] {
        if (const JournalEntry* e = undoable())
            emit undoWanted(*e);
    });
    undo->setEnabled(false);
    return page;
}

QWidget* HistoryDialog::buildJobs()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    jobsTable = listTable("jobsTable", tr("Роботи"), tr("Час;Чим;Хто;Що;Плат;Що вийшло").split(u';'));
    fillJobs();
    jobBoards = listTable("jobBoards", tr("Плати вибраної роботи"), tr("Плата;Що вийшло;Зміни").split(u';'));
    layout->addWidget(jobsTable, 3);
    layout->addWidget(jobBoards, 2);
    auto* buttons = new QHBoxLayout;
    undoJob = new QPushButton(tr("Повернути &роботу"));
    undoJob->setObjectName(QStringLiteral("undoJob"));
    undoJob->setToolTip(tr("Записати кожній платі роботи (і її повторів) пам'ять, яку вона мала до неї"));
    retryJob = new QPushButton(tr("Повторити &невдалі"));
    retryJob->setObjectName(QStringLiteral("retryJob"));
    retryJob->setToolTip(tr("Ще раз цю роботу на її платах, де вона не вдалася або до яких не дійшла"));
    buttons->addStretch(1);
    buttons->addWidget(undoJob);
    buttons->addWidget(retryJob);
    layout->addLayout(buttons);
    connect(jobsTable, &QTableWidget::itemSelectionChanged, this, [this] {
        const JobRecord* j = chosenJob();
        undoJob->setEnabled(j && j->what != QLatin1String("reboot"));
        retryJob->setEnabled(j != nullptr);
        jobBoards->setRowCount(0);
        if (j)
            emit jobChosen(*j);
    });
    connect(undoJob, &QPushButton::clicked, this, [this] {
        if (const JobRecord* j = chosenJob())
            emit undoJobWanted(*j);
    });
    connect(retryJob, &QPushButton::clicked, this, [this] {
        if (const JobRecord* j = chosenJob())
            emit retryJobWanted(*j);
    });
    undoJob->setEnabled(false);
    retryJob->setEnabled(false);
    return page;
}

void HistoryDialog::fillJobs()
{
    const QSignalBlocker quiet(jobsTable); // the choice is kept, not made again
    const QString chosen = chosenJobId();
    jobsTable->setRowCount(int(jobs_.size()));
    for (int row = 0; row < jobs_.size(); ++row) {
        const JobRecord& j = jobs_[row];
        setRow(jobsTable, row,
               {timeText(j.time), fleet::byWords(j.by), whoWords(j), fleet::jobWhat(j),
                QString::number(j.boards.size()), fleet::jobOutcome(j)});
        if (j.id == chosen)
            jobsTable->selectRow(row);
    }
    jobsTable->resizeColumnsToContents();
}

QString HistoryDialog::chosenJobId() const
{
    const JobRecord* j = chosenJob();
    return j ? j->id : QString();
}

void HistoryDialog::showReadingJournal()
{
    reading_->setText(tr("Читаю журнал…"));
    reading_->setAccessibleName(reading_->text());
    reading_->show();
}

void HistoryDialog::setHistory(const QList<JournalEntry>& entries, const QList<JobRecord>& jobs,
                               const UnreadLines& unread)
{
    reading_->hide();
    QStringList numbers;
    for (qint64 n : unread.named)
        numbers.append(QString::number(n));
    QString said;
    if (!unread.isEmpty()) {
        said = tr("Не рядки журналу «%1», пропущено: %2")
                   .arg(QDir::toNativeSeparators(unread.file), numbers.join(QStringLiteral(", ")));
        if (unread.more > 0)
            said += tr(" і ще %n", nullptr, unread.more);
    }
    problems_->setText(said);
    problems_->setAccessibleName(said);
    problems_->setVisible(!said.isEmpty());
    const QString chosen = chosenJobId();
    rows_.removeIf([](const Row& r) { return r.write.has_value(); }); // the commits of git stay
    entries_ = entries;
    for (const JournalEntry& e : entries)
        rows_.append(
            {e.time,
             {timeText(e.time), dottedText(e.board), fleet::byWords(e.by), fleet::resultWords(e), changes(e)},
             e});
    fill();
    jobs_ = jobs;
    fillJobs();
    if (const JobRecord* j = chosenJob(); j && j->id == chosen)
        emit jobChosen(*j); // its boards as they are now
}

const JobRecord* HistoryDialog::chosenJob() const
{
    const QList<QTableWidgetSelectionRange> chosen = jobsTable->selectedRanges();
    const int row = chosen.isEmpty() ? -1 : chosen.first().topRow();
    return row >= 0 && row < jobs_.size() ? &jobs_[row] : nullptr;
}

void HistoryDialog::showJobBoards(const std::optional<RollOut>& job, const QString& problem)
{
    jobBoards->setRowCount(0);
    if (!job) {
        jobBoards->setRowCount(1);
        setRow(jobBoards, 0, {QString(), problem});
        return;
    }
    jobBoards->setRowCount(int(job->boards.size()));
    for (int row = 0; row < job->boards.size(); ++row) {
        const RollOutBoard& b = job->boards[row];
        const std::optional<JournalEntry>& write = b.lastVerified ? b.lastVerified : b.firstWrite;
        setRow(
            jobBoards, row,
            {dottedText(b.board), fleet::jobBoardOutcome(b, job->job), write ? changes(*write) : QString()});
    }
    jobBoards->resizeColumnsToContents();
}

void HistoryDialog::fill()
{
    std::stable_sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) { return a.time > b.time; });
    table->setRowCount(int(rows_.size()));
    for (int row = 0; row < rows_.size(); ++row)
        setRow(table, row, rows_[row].cells);
    table->resizeColumnsToContents();
    table->setCurrentCell(rows_.isEmpty() ? -1 : 0, 0); // the newest, as before any choice
}

void HistoryDialog::showKeptReading()
{
    keptStatus->setText(tr("Читаю історію копій у git…"));
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
                      {timeText(k.commit.time), dottedText(k.board), tr("Копії в git"),
                       tr("коміт %1").arg(k.commit.id.left(10)), committed(k.commit)},
                      std::nullopt});
    if (!kept.isEmpty())
        fill();
}

} // namespace talvik
