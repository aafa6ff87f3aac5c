#pragma once
// "Історія…": the journal of the selected boards in one list, newest first, and
// "Повернути", which writes back the permanent memory a board held before the selected
// write. Window-modal and never blocking: the fleet window answers its signal.

#include "journal/journal.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace talvik {

class HistoryDialog : public QDialog {
    Q_OBJECT
  public:
    enum Column { Time, Board, By, Result, Changes, ColumnCount };
    // The writes to `boards`, newest first; the title names the board, or says how many.
    HistoryDialog(const QList<BoardAddress>& boards, const QList<JournalEntry>& entries,
                  QWidget* parent = nullptr);

    QTableWidget* table;
    QPushButton* undo; // enabled when the selected write has its memory before in the journal

  signals:
    void undoWanted(const JournalEntry& entry);

  private:
    QList<JournalEntry> entries_;
};

} // namespace talvik
