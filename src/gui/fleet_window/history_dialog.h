#pragma once
// "Історія…": on one tab the journal's writes to the selected boards in one list, newest
// first, with what the commits of a folder of backups kept in git changed of them, and
// "Повернути", which writes back the permanent memory a board held before the selected
// write; on the other the jobs that wrote or rebooted them, a job's boards under it, with
// "Повернути роботу" and "Повторити невдалі". Window-modal and never blocking: the fleet
// window answers its signals.

#include "journal/git_repository.h"
#include "journal/journal.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace talvik {

class HistoryDialog : public QDialog {
    Q_OBJECT
  public:
    enum Column { Time, Board, By, Result, Changes, ColumnCount };
    enum JobColumn { JobTime, JobBy, JobWho, JobWhat, JobBoards, JobOutcome, JobColumnCount };
    enum BoardColumn { BoardAddressColumn, BoardOutcome, BoardChanges, BoardColumnCount };
    // A commit of the backups' repository that changed a board's file.
    struct KeptChange {
        BoardAddress board;
        GitRepository::Commit commit;
    };
    // The writes to `boards` and the jobs over them, newest first; the title names the
    // board, or says how many.
    HistoryDialog(const QList<BoardAddress>& boards, const QList<JournalEntry>& entries,
                  const QList<JobRecord>& jobs = {}, QWidget* parent = nullptr);
    // While the journal is read (on a thread of its own): said, the dialog usable.
    void showReadingJournal();
    // The journal's writes and jobs, read afresh: the lists shown again, the choices kept;
    // the lines of the file that are no journal line named under them.
    void setHistory(const QList<JournalEntry>& entries, const QList<JobRecord>& jobs,
                    const UnreadLines& unread = {});
    const QList<JournalEntry>& entries() const { return entries_; }
    QString chosenJobId() const;
    // While git is asked what the commits of the backups changed: said, with a way to stop.
    void showKeptReading();
    // What the commits changed of the boards, among the writes; or why git could not tell.
    void showKept(const QList<KeptChange>& kept, const QString& problem = {});
    // The boards of the job chosen (jobChosen()), or why they could not be read.
    void showJobBoards(const std::optional<RollOut>& job, const QString& problem = {});

    QTabWidget* tabs;
    QTableWidget* table;     // the writes
    QPushButton* undo;       // enabled when the selected write has its memory before in the journal
    QLabel* keptStatus;      // git is asked, or why it could not tell
    QPushButton* stopKept;   // stops asking git
    QTableWidget* jobsTable; // the jobs
    QTableWidget* jobBoards; // the boards of the job selected
    QPushButton* undoJob;    // "Повернути роботу"
    QPushButton* retryJob;   // "Повторити невдалі"

  signals:
    void undoWanted(const JournalEntry& entry);
    void stopKeptWanted();
    void jobChosen(const JobRecord& job);
    void undoJobWanted(const JobRecord& job);
    void retryJobWanted(const JobRecord& job);

  private:
    QWidget* buildWrites();
    QWidget* buildJobs();
    void fill();
    void fillJobs();
    const JobRecord* chosenJob() const;
    struct Row {
        QDateTime time;
        QStringList cells;
        std::optional<JournalEntry> write; // a journaled write, which may be undone
    };
    QList<Row> rows_;
    QList<JobRecord> jobs_;
    QList<JournalEntry> entries_;
    QLabel* reading_ = nullptr;
    QLabel* problems_ = nullptr;
};

} // namespace talvik
