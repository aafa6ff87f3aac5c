#pragma once
// "Історія…": the journal of one board, newest first, and "Повернути", which writes back
// the permanent memory the board held before its last journaled write. Window-modal and
// never blocking.

#include "journal/journal.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace talvik {

class HistoryDialog : public QDialog {
    Q_OBJECT
  public:
    HistoryDialog(BoardAddress board, const QList<JournalEntry>& entries, QWidget* parent = nullptr);

    QTableWidget* table;
    QPushButton* undo; // enabled when a write with its memory before is in the journal

  signals:
    void undoWanted();
};

} // namespace talvik
