#pragma once
// Repaints of a widget at most so often while its content changes faster: a survey's
// answers come every few milliseconds, and a table repainted for each would spend its time
// painting. The first change shows at once; those after it within the interval show
// together at its end.

#include <QObject>
#include <QTimer>

class QWidget;

namespace talvik {

class RepaintPacer : public QObject {
    Q_OBJECT
  public:
    RepaintPacer(QWidget* widget, int intervalMs);
    void changed();
    void flush(); // what is held, shown now

  private:
    void intervalOver();

    QWidget* widget_;
    QTimer timer_;
    bool held_ = false;
};

} // namespace talvik
