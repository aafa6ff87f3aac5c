#pragma once
// "Історія…": the journal of the selected boards in one list, newest first, with what the
// commits of a folder of backups kept in git changed of them, and "Повернути", which
// writes back the permanent memory a board held before the selected write. Window-modal and
// never blocking: the fleet window answers its signal.

#include "journal/git_repository.h"
#include "journal/journal.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace talvik {

class HistoryDialog : public QDialog {
    Q_OBJECT
  public:
    enum Column { Time, Board, By, Result, Changes, ColumnCount };
    // A commit of the backups' repository that changed a board's file.
    struct KeptChange {
        BoardAddress board;
        GitRepository::Commit commit;
    };
    // The writes to `boards`, newest first; the title names the board, or says how many.
    HistoryDialog(const QList<BoardAddress>& boards, const QList<JournalEntry>& entries,
                  QWidget* parent = nullptr);
    // While git is asked what the commits of the backups changed: said, with a way to stop.
    void showKeptReading();
    // What the commits changed of the boards, among the writes; or why git could not tell.
    void showKept(const QList<KeptChange>& kept, const QString& problem = {});

    QTableWidget* table;
    QPushButton* undo;     // enabled when the selected write has its memory before in the journal
    QLabel* keptStatus;    // git is asked, or why it could not tell
    QPushButton* stopKept; // stops asking git

  signals:
    void undoWanted(const JournalEntry& entry);
    void stopKeptWanted();

  private:
    void fill();
    struct Row {
        QDateTime time;
        QStringList cells;
        std::optional<JournalEntry> write; // a journaled write, which may be undone
    };
    QList<Row> rows_;
};

} // namespace talvik
