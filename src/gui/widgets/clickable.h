#pragma once
// Labels and panels that report clicks the way buttons do.

#include <QFrame>
#include <QLabel>

namespace talvik {

class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  signals:
    void doubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { emit doubleClicked(); }
};

// A raised panel with a centred caption, used as a push button.
class PanelButton : public QLabel {
    Q_OBJECT
  public:
    explicit PanelButton(const QString& caption, QWidget* parent = nullptr) : QLabel(caption, parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setAlignment(Qt::AlignCenter);
        setTextFormat(Qt::PlainText);
    }
  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent*) override { emit clicked(); }
};

} // namespace talvik
