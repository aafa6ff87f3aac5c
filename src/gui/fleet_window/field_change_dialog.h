#pragma once
// "Змінити поля…": which fields to change and to what, a preview per board (the engine's
// dry run: field, now -> new, from each board's permanent memory read first, with what the
// rules refuse), then "Записати". Window-modal and never blocking: the fleet window answers
// its signals.

#include "board/board_rules.h"
#include "gui/fleet_window/write_preview.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QLabel;
class QPushButton;

namespace talvik {

class FieldChangeDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FieldChangeDialog(QWidget* parent = nullptr);
    // The change as entered; nothing, with why, when a value is not one.
    std::optional<FieldChange> change(QString* problem) const;
    // A preview of `change` is asked: what the engine plans next is shown for it.
    void previewAsked(const FieldChange& change);
    // What the engine planned for each board. "Записати" goes ahead when some board would
    // change (perhaps only with a force, which is asked about then). Any edit after the
    // preview was asked withdraws it: "Записати" waits for a new one.
    void showPreview(const QList<BoardResult>& planned);
    // The change the preview shown was made of: what "Записати" writes.
    std::optional<FieldChange> previewed() const { return shown_; }
    // The fields given ticked, with the reference board's values (the comparison with it).
    void takeFrom(const BoardConfig& reference, const QStringList& fields);
    void showProblem(const QString& text);

    QPushButton* preview;
    QPushButton* write;
    WritePreview* table;
    QLabel* problem;

  signals:
    void previewWanted();
    void writeWanted();

  private:
    void edited();
    QHash<QString, QCheckBox*> chosen_; // by field name (talvikctl's)
    QHash<QString, QWidget*> editors_;
    std::optional<FieldChange> asked_, shown_; // the change of the preview asked, and of the one shown
};

} // namespace talvik
