#pragma once
// The journal's file read a line at a time, never whole: backwards from its end (newest
// first) or forwards from a line's offset, a block at a time. A line not ended by a line
// break (the last, torn by a crash or a full disk) is no line; a line longer than
// MostLineBytes is skipped.

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace talvik {

class JournalLines {
  public:
    static constexpr qint64 BlockBytes = 1 << 20;
    static constexpr qint64 MostLineBytes = 64ll << 20; // a job over every board of 256 networks
    // Each line and the offset it starts at; false stops.
    using Each = std::function<bool(QByteArrayView line, qint64 offset)>;

    explicit JournalLines(const QString& path) : path_(path) {}

    // Newest first; only the lines wholly within the `newest` bytes at the end when given.
    // False with why when the file cannot be read (a missing file is an empty journal).
    bool backward(const Each& each, QString* why, qint64 newest = -1) const;
    bool forward(qint64 from, const Each& each, QString* why) const;
    // The line number (from 1) of the line at `offset`, for a message that names it.
    qint64 lineNumberAt(qint64 offset) const;

  private:
    QString path_;
};

// A string value of a flat journal line, without parsing it: the text after `"key":"` (blanks
// around the colon allowed) up to the next quote (ids, addresses and kinds never hold one).
// Empty when the line has none.
QByteArrayView jsonText(QByteArrayView line, QByteArrayView key);

// One line as the journal's readers look at it. This program's own lines are compact JSON
// whose ids, addresses and kinds hold no escapes: their values are found without parsing.
// Spaced lines are looked at the same way; any other JSON object (escapes such as \u0441 or
// \/ in a value looked for, a value of another type) gives the same answers from a full
// parse, made once and only when the quick look finds no value or finds one with an escape.
class JournalLine {
  public:
    explicit JournalLine(QByteArrayView raw) : raw_(raw) {}
    QByteArrayView raw() const { return raw_; }
    // A string value at the top level; empty when there is none.
    QByteArrayView text(QByteArrayView key);
    QByteArrayView kind() { return text("kind"); }
    // A true/false value at the top level; false when there is none.
    bool flag(QByteArrayView key);
    // Whether it is a JSON object at all.
    bool isObject();
    QJsonObject object();

  private:
    const QJsonObject& parsed();
    QByteArrayView raw_;
    std::optional<QJsonObject> parsed_;
    bool isObject_ = false;
    QList<QByteArray> kept_; // the values given out of the parse
};
// "127.0.1.3" as an address, read from the line's bytes as they are.
std::optional<quint32> addressIn(QByteArrayView text);

} // namespace talvik
