#include "gui/widgets/mac_edit.h"

#include <QKeyEvent>

namespace talvik {

MacEdit::MacEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(TypedLength);
    setAlignment(Qt::AlignCenter);
    setFrame(false);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.size() <= TypedLength && maxLength() > TypedLength)
            setMaxLength(TypedLength);
    });
}

void MacEdit::setStoredText(const QString& text)
{
    setMaxLength(qMax(TypedLength, int(text.size())));
    setText(text);
}

void MacEdit::keyPressEvent(QKeyEvent* event)
{
    // The key-down filter runs first. Its result needs no acting on: it leaves a code
    // only when it is a main-keyboard digit's and turns every other code into one, and
    // a digit key's code has no editing action of its own. This widget therefore edits
    // by characters alone, which is why Left, Right, Home, End and Delete do nothing.
    int code = event->key();
    if (keyDownHook)
        keyDownHook(this, code);
    // Delete types no character, although X11 delivers it with the text "\x7f".
    const QString typed = event->key() == Qt::Key_Delete ? QString() : event->text();
    if (typed.size() != 1)
        return;
    QChar c = typed.at(0);
    if (keyPressHook)
        keyPressHook(this, c);
    if (!c.isNull() && !isReadOnly())
        insert(QString(c)); // refused by the length limit when full and nothing selected
}

void MacEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    deselect(); // no selection on entry: a full byte is replaced only by selecting it first
}

void MacEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (exitHook)
        exitHook(this);
}

} // namespace talvik
