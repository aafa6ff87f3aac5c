#pragma once
// The translation files as translators get them, read by the tests that pin the windows'
// texts: a text a test expects must be in the file, in the language now installed.

#include <QList>
#include <QString>
#include <QStringList>

namespace talvik::test {

struct Message {
    QString context, source, comment;
    QString type;      // "unfinished", "vanished", "obsolete" or empty
    QStringList forms; // the translation; one form unless the message counts (%n)
    bool counts = false;
};

// Every message of translations/<file>, built into the tests.
QList<Message> catalogue(const QString& file);

// `source`, a Ukrainian text of the windows, as the English translation's file holds it, in
// the language now installed. A text the file lacks comes back marked so a comparison fails.
QString text(const char* source);

} // namespace talvik::test
