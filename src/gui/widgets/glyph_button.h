#pragma once
// A push button too narrow for its caption: it draws only its glyph. The caption
// stays the button's text, so screen readers say it and its mnemonic still works.

#include <QPushButton>

namespace talvik {

class GlyphButton : public QPushButton {
    Q_OBJECT
  public:
    GlyphButton(const QString& caption, const QIcon& glyph, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A green circular arrow: "ask again".
QIcon retryGlyph();

} // namespace talvik
