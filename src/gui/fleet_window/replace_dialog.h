#pragma once
// "Замінити плату…": the backup of a failed board, chosen from a file, written to its
// replacement (the selected row, at its factory address), keeping the replacement's own
// MAC unless "Взяти MAC старої плати". Window-modal and never blocking.

#include "board/board_config.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace talvik {

class ReplaceDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int MostWidth = 1000; // a 1024 x 768 screen's
    explicit ReplaceDialog(BoardAddress board, QWidget* parent = nullptr);

    void setBackup(const QString& path, const BoardConfig& backup);
    const std::optional<BoardConfig>& backup() const { return backup_; }

    QPushButton* chooseBackup;
    QLabel* backupFile;
    QCheckBox* takeMac;
    QPushButton* replace;

  signals:
    void backupWanted();
    void replaceWanted();

  private:
    std::optional<BoardConfig> backup_;
};

} // namespace talvik
