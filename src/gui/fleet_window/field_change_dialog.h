#pragma once
// "Змінити поля…": which fields to change and to what, a preview per board (field, now ->
// new, built from each board's permanent memory read first, with what the configurator
// would never write refused), then "Записати". Window-modal and never blocking: the fleet
// window answers its signals.

#include "board/board_rules.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace talvik {

class FieldChangeDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FieldChangeDialog(QWidget* parent = nullptr);
    // The preview's columns: a board's field, now and new, or why it is left as it is.
    enum Column { Board, Field, Now, New, Reason, Columns };

    // The change as entered; nothing, with why, when a value is not one.
    std::optional<FieldChange> change(QString* problem) const;
    // Each board's rows: what changes, or why it is refused. "Записати" goes ahead when
    // some board would change.
    struct BoardPreview {
        BoardAddress board;
        QList<ChangedField> changes;
        QString refused; // or why this board is left as it is
    };
    void showPreview(const QList<BoardPreview>& boards);
    // The fields given ticked, with the reference board's values (the comparison with it).
    void takeFrom(const BoardConfig& reference, const QStringList& fields);
    void showProblem(const QString& text);

    QPushButton* preview;
    QPushButton* write;
    QTableWidget* table;
    QLabel* problem;

  signals:
    void previewWanted();
    void writeWanted();

  private:
    QHash<QString, QCheckBox*> chosen_; // by field name (talvikctl's)
    QHash<QString, QWidget*> editors_;
};

} // namespace talvik
