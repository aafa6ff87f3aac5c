#include "gui/widgets/number_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <optional>

namespace talvik {

namespace {
bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// nullopt when the text holds anything but digits around optional blanks.
std::optional<qint64> parseNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    if (t.size() > 12)
        return std::nullopt;
    qint64 n = 0;
    for (QChar c : t) {
        if (!isAsciiDigit(c))
            return std::nullopt;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}
} // namespace

NumberEdit::NumberEdit(int maximum, Format format, QWidget* parent)
    : QLineEdit(parent), maximum_(maximum), format_(format)
{
    setMaxLength(int(QString::number(maximum).size()));
    refreshText();
}

int NumberEdit::pendingValue() const
{
    const auto typed = parseNumber(text());
    return typed ? int(qMin<qint64>(*typed, maximum_)) : value_;
}

int NumberEdit::value() const
{
    return hasFocus() ? pendingValue() : value_;
}

void NumberEdit::setValue(int value)
{
    value_ = qBound(0, value, maximum_);
    refreshText();
}

bool NumberEdit::setValueText(const QString& text)
{
    const auto n = parseNumber(text);
    if (!n)
        return false;
    setValue(int(qMin<qint64>(*n, maximum_)));
    return true;
}

QString NumberEdit::formattedText() const
{
    const int v = value();
    return format_ == Format::ThreeDigits ? QStringLiteral("%1").arg(v, 3, 10, QLatin1Char('0'))
                                          : QString::number(v);
}

QString NumberEdit::plainText() const
{
    const int v = value();
    return v == 0 ? QString() : QString::number(v);
}

void NumberEdit::refreshText()
{
    const QString shown = hasFocus() ? (value_ == 0 ? QString() : QString::number(value_))
                          : format_ == Format::ThreeDigits
                              ? QStringLiteral("%1").arg(value_, 3, 10, QLatin1Char('0'))
                              : QString::number(value_);
    if (shown != text()) // a text layout per unchanged value costs more than the comparison
        QLineEdit::setText(shown);
}

void NumberEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        refreshText(); // back to the last accepted value
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1) {
        QChar c = typed.at(0);
        if (keyPressHook) {
            keyPressHook(this, c);
            if (c.isNull())
                return;
        }
        if (c.isPrint() && !isAsciiDigit(c)) {
            if (beepOnRefuse_)
                QApplication::beep();
            emit refused();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumberEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    refreshText(); // a changed text drops the selection the line edit made on entry
    switch (event->reason()) {
    case Qt::MouseFocusReason:        // the press places the caret next; its release selects
    case Qt::ActiveWindowFocusReason: // coming back to the window keeps what was being typed
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        break;
    default:
        selectAll();
    }
}

void NumberEdit::focusOutEvent(QFocusEvent* event)
{
    value_ = pendingValue();
    QLineEdit::focusOutEvent(event);
    refreshText();
}

void NumberEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    // A click selects the value, also in the editor that has the focus already (the first
    // octet has it when the window opens); a drag keeps what it selected.
    if (!hasSelectedText())
        selectAll();
}

void NumberEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

} // namespace talvik
