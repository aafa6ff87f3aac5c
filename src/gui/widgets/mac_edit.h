#pragma once
// One MAC byte as two hexadecimal characters. Every key goes through the window's
// filters first: only characters reach the text, never caret or deletion keys.

#include <QLineEdit>
#include <functional>

namespace talvik {

class MacEdit : public QLineEdit {
    Q_OBJECT
  public:
    static constexpr int TypedLength = 2;

    explicit MacEdit(QWidget* parent = nullptr);
    // A text from the settings file, shown and kept as it is even when longer than an
    // operator may type; the usual limit returns once the text is that short again.
    void setStoredText(const QString& text);

    std::function<void(MacEdit*, int& keyCode)> keyDownHook;
    std::function<void(MacEdit*, QChar&)> keyPressHook;
    std::function<void(MacEdit*)> exitHook;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace talvik
