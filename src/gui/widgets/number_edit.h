#pragma once
// Numeric editor: an octet (0..255 shown "000"), the board count, the port or the
// board identifier. Unfocused it shows its formatted value; while focused the plain
// number (empty for 0). However it is entered (Tab, Shift+Tab, the Space/Enter
// advance, a click), its whole text is selected, so the digits typed next replace
// the value instead of being appended to it; so does any click into it.

#include <QLineEdit>
#include <functional>

namespace talvik {

class NumberEdit : public QLineEdit {
    Q_OBJECT
  public:
    enum class Format { ThreeDigits, Plain };

    NumberEdit(int maximum, Format format, QWidget* parent = nullptr);

    int value() const;
    void setValue(int value);
    // Takes text as a number (blanks ignored, empty is 0) and clamps it into range.
    // Returns false, leaving the value alone, when the text is not a number.
    bool setValueText(const QString& text);
    void clearValue() { setValue(0); }

    QString formattedText() const; // "010" or "8026": what other code reads
    QString plainText() const;     // "" for 0, else the plain number
    int maximum() const { return maximum_; }

    void setBeepOnRefuse(bool on) { beepOnRefuse_ = on; }

    // Runs before the editor handles a typed character; may replace it (a null
    // character swallows it).
    std::function<void(NumberEdit*, QChar&)> keyPressHook;

  signals:
    void refused(); // a typed character was not taken
    void doubleClicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void refreshText();
    int pendingValue() const;

    int maximum_;
    Format format_;
    bool beepOnRefuse_ = true;
    int value_ = 0;
};

} // namespace talvik
