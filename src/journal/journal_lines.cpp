#include "journal/journal_lines.h"

#include <QByteArrayView>
#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>
#include <cstring>
#ifdef __GLIBC__
#include <string.h> // memrchr
#endif

namespace talvik {

namespace {
bool opened(QFile& file, QString* why)
{
    if (!file.exists() || file.open(QIODevice::ReadOnly))
        return true;
    if (why)
        *why = file.errorString();
    return false;
}

// The last line break of `data`, or -1. Journals are read from their end, so this is the hot loop.
qsizetype lastBreak(const char* data, qsizetype size)
{
#ifdef __GLIBC__
    const void* found = memrchr(data, '\n', size_t(size));
    return found ? static_cast<const char*>(found) - data : -1;
#else
    return QByteArrayView(data, size).lastIndexOf('\n');
#endif
}
} // namespace

bool JournalLines::backward(const Each& each, QString* why, qint64 newest) const
{
    QFile file(path_);
    if (!opened(file, why))
        return false;
    if (!file.isOpen())
        return true;
    const qint64 downTo = newest < 0 ? 0 : qMax<qint64>(0, file.size() - newest);
    // [start, end) of the file is in `block`; every line of [downTo, end) ends with a line
    // break at its last byte once the torn last line is left out.
    qint64 end = file.size(), start = end;
    QByteArray block;
    const auto readBefore = [&](qint64 bytes) {
        QByteArray before(bytes, Qt::Uninitialized);
        if (!file.seek(start - bytes) || file.read(before.data(), bytes) != bytes)
            return false;
        block.prepend(before);
        start -= bytes;
        return true;
    };
    // The line break before `at` (exclusive) and after `start`, or -1.
    const auto breakBefore = [&](qint64 at) -> qint64 {
        if (at <= start)
            return -1;
        const qsizetype found = lastBreak(block.constData(), at - start);
        return found < 0 ? -1 : start + found;
    };
    bool lastLine = true;
    while (end > downTo) {
        // The end of the line to hand out: the line break at end - 1 (none: torn, left out).
        qint64 lineEnd = lastLine ? end : end - 1;
        bool tooLong = false;
        qint64 previous = -1;
        while ((previous = breakBefore(lineEnd)) < 0 && start > downTo) {
            if (end - start > MostLineBytes) { // a line without bounds: skipped, nothing of it kept
                tooLong = true;
                block.clear();
                lineEnd = start;
            }
            if (!readBefore(qMin<qint64>(BlockBytes, start - downTo))) {
                if (why)
                    *why = file.errorString();
                return false;
            }
        }
        if (previous < 0 && downTo > 0) // the line `downTo` falls in: not whole here
            return true;
        const qint64 lineStart = previous < 0 ? downTo : previous + 1;
        if (!lastLine && !tooLong && end - 1 - lineStart > 0) {
            const QByteArrayView line(block.constData() + (lineStart - start), end - 1 - lineStart);
            if (!each(line, lineStart))
                return true;
        }
        lastLine = false;
        end = lineStart;
        block.truncate(end - start); // what is handed out is not kept
    }
    return true;
}

bool JournalLines::forward(qint64 from, const Each& each, QString* why) const
{
    QFile file(path_);
    if (!opened(file, why))
        return false;
    if (!file.isOpen() || !file.seek(from)) {
        if (file.isOpen() && why)
            *why = file.errorString();
        return !file.isOpen();
    }
    QByteArray pending;
    qint64 at = from; // where `pending` starts
    QByteArray block(BlockBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(block.data(), BlockBytes);
        if (got < 0) {
            if (why)
                *why = file.errorString();
            return false;
        }
        if (got == 0)
            return true; // what is left has no line break: torn
        pending.append(block.constData(), got);
        qsizetype begin = 0;
        for (qsizetype nl; (nl = pending.indexOf('\n', begin)) >= 0; begin = nl + 1)
            if (nl > begin && !each(QByteArrayView(pending.constData() + begin, nl - begin), at + begin))
                return true;
        pending.remove(0, begin);
        at += begin;
        if (pending.size() > MostLineBytes) { // a line without end: skipped up to its line break
            at += pending.size();
            pending.clear();
            qint64 skipped = 0;
            char c = 0;
            while (file.getChar(&c) && c != '\n')
                ++skipped;
            at += skipped + 1;
        }
    }
}

qint64 JournalLines::lineNumberAt(qint64 offset) const
{
    qint64 number = 1;
    forward(
        0,
        [&](QByteArrayView, qint64 at) {
            if (at >= offset)
                return false;
            ++number;
            return true;
        },
        nullptr);
    return number;
}

namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Where the value of the key starts: past `"key"`, blanks, ':' and blanks; -1 when the line
// has no such key. An occurrence of "key" as a value (`"kind":"job"`) is passed over.
qsizetype valueOf(QByteArrayView line, QByteArrayView key)
{
    char pattern[40]; // "key" without a heap allocation: it is asked for on every line
    if (key.size() + 2 > qsizetype(sizeof pattern))
        return -1;
    pattern[0] = '"';
    std::memcpy(pattern + 1, key.data(), size_t(key.size()));
    pattern[key.size() + 1] = '"';
    const QByteArrayView wanted(pattern, key.size() + 2);
    for (qsizetype at = line.indexOf(wanted); at >= 0; at = line.indexOf(wanted, at + 1)) {
        qsizetype i = at + wanted.size();
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i >= line.size() || line[i] != ':')
            continue;
        ++i;
        while (i < line.size() && isBlank(line[i]))
            ++i;
        return i;
    }
    return -1;
}
} // namespace

QByteArrayView jsonText(QByteArrayView line, QByteArrayView key)
{
    const qsizetype from = valueOf(line, key);
    if (from < 0 || from >= line.size() || line[from] != '"')
        return {};
    const qsizetype to = line.indexOf('"', from + 1);
    return to < 0 ? QByteArrayView() : line.sliced(from + 1, to - from - 1);
}

const QJsonObject& JournalLine::parsed()
{
    if (!parsed_) {
        const QJsonDocument d = QJsonDocument::fromJson(raw_.toByteArray());
        isObject_ = d.isObject();
        parsed_ = d.object();
    }
    return *parsed_;
}

QByteArrayView JournalLine::text(QByteArrayView key)
{
    if (!parsed_) {
        const QByteArrayView quick = jsonText(raw_, key);
        if (!quick.isEmpty() && !quick.contains('\\'))
            return quick;
    }
    const QJsonValue value = parsed().value(QLatin1String(key));
    if (!value.isString())
        return {};
    kept_.append(value.toString().toUtf8());
    return kept_.last();
}

bool JournalLine::flag(QByteArrayView key)
{
    if (!parsed_) {
        if (const qsizetype at = valueOf(raw_, key); at >= 0) {
            const QByteArrayView value = raw_.sliced(at);
            if (value.startsWith("true"))
                return true;
            if (value.startsWith("false"))
                return false;
        }
    }
    return parsed().value(QLatin1String(key)).toBool();
}

bool JournalLine::isObject()
{
    parsed();
    return isObject_;
}

QJsonObject JournalLine::object()
{
    return parsed();
}

std::optional<quint32> addressIn(QByteArrayView text)
{
    quint32 address = 0;
    int octets = 0, digits = 0, value = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9' && digits < 3) {
            value = value * 10 + (c - '0');
            ++digits;
        }
        else if (c == '.' && digits > 0 && octets < 3 && value <= 255) {
            address = (address << 8) | quint32(value);
            ++octets;
            digits = value = 0;
        }
        else
            return std::nullopt;
    }
    if (octets != 3 || digits == 0 || value > 255)
        return std::nullopt;
    return (address << 8) | quint32(value);
}

} // namespace talvik
