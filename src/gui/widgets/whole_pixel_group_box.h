#pragma once
// A group box whose height is a multiple of four: at 125 %, 150 % and 175 % display
// scaling its bottom edge then falls on a whole device pixel. Where it does not, Windows'
// theme draws the frame into a rectangle a pixel short and the bottom line is lost.

#include <QGroupBox>

namespace talvik {

class WholePixelGroupBox : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;
    QSize sizeHint() const override { return rounded(QGroupBox::sizeHint()); }
    QSize minimumSizeHint() const override { return rounded(QGroupBox::minimumSizeHint()); }

  private:
    static QSize rounded(QSize size) { return {size.width(), (size.height() + 3) / 4 * 4}; }
};

} // namespace talvik
