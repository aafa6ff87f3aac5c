#pragma once
// One MAC byte as two hexadecimal characters. Every key goes through the window's
// filters first: only characters reach the text, never caret or deletion keys.

#include <QLineEdit>
#include <functional>

namespace talvik {

class MacEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit MacEdit(QWidget* parent = nullptr);

    std::function<void(MacEdit*, int& keyCode)> keyDownHook;
    std::function<void(MacEdit*, QChar&)> keyPressHook;
    std::function<void(MacEdit*)> exitHook;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace talvik
