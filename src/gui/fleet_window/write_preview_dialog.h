#pragma once
// A write of the fleet window shown before it is made: what the engine's dry run planned
// for each board (write_preview.h), then "Записати" or "Закрити". Window-modal and never
// blocking: the fleet window answers its signal.

#include "gui/fleet_window/write_preview.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace talvik {

class WritePreviewDialog : public QDialog {
    Q_OBJECT
  public:
    WritePreviewDialog(const QString& title, const QString& heading, QWidget* parent = nullptr);
    // While the boards are read: the heading says so, "Записати" waits.
    void showReading();
    void showPlanned(const QList<BoardResult>& planned);

    QLabel* heading;
    WritePreview* table;
    QPushButton* write;

  signals:
    void writeWanted();

  private:
    QString headingText_;
};

} // namespace talvik
