#pragma once
// What a write would do to each board, as the engine's dry run planned it: a row per field
// that changes (board, field, now, new), and a board left as it is on a row set apart with
// why in a column of its own. "Змінити поля…" and every other write of the fleet window
// show it before anything is written.

#include "client/job_result.h"

#include <QTableWidget>

namespace talvik {

class WritePreview : public QTableWidget {
    Q_OBJECT
  public:
    enum Column { Board, Field, Now, New, Reason, Columns };
    explicit WritePreview(QWidget* parent = nullptr);

    void showPlanned(const QList<BoardResult>& planned);
    const QList<BoardResult>& planned() const { return planned_; }
    // Whether a write would change some board: planned with changes, or refused only for
    // what a force lets through (the operator is asked first: fleet::forcedLines()).
    bool writesAnything() const;

  private:
    QList<BoardResult> planned_;
};

} // namespace talvik
