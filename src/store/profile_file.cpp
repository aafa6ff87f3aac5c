#include "store/profile_file.h"

#include "store/file_replacement.h"
#include "wire/cp1251.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace talvik {

namespace {
bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// What the program reads from a stored value: one pair of quotes off, as the platform does.
QString interpreted(QString value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}
} // namespace

ProfileFile::ProfileFile(const QString& readPath, const QString& writePath, const QList<QByteArray>& sections)
    : readPath_(readPath), writePath_(writePath), names_(sections)
{
    read();
}

void ProfileFile::read()
{
    content_.clear(); // before reading again: a large file is held once, not twice
    sections_.clear();
    for (const QByteArray& name : names_)
        sections_.append(Section{name, false, 0, {}, {}, 0});
    additions_ = 0;
    changed_ = false;
    unreadable_ = false;
    QFile file(readPath_);
    if (file.exists() && !file.open(QIODevice::ReadOnly))
        unreadable_ = QFileInfo(readPath_).isFile(); // a folder in its place is no file to keep
    else if (file.isOpen())
        content_ = file.readAll();
    index();
}

char16_t ProfileFile::unitAt(qsizetype at) const
{
    const auto* p = reinterpret_cast<const uchar*>(content_.constData() + at);
    return width_ == 1 ? char16_t(p[0]) : char16_t(p[0] | (p[1] << 8));
}

// The first `unit` in [from, to), or -1: a search never runs past the line it is in.
qsizetype ProfileFile::findUnit(char16_t unit, qsizetype from, qsizetype to) const
{
    if (width_ == 1) {
        const void* at = std::memchr(content_.constData() + from, unit, size_t(to - from));
        return at ? static_cast<const char*>(at) - content_.constData() : -1;
    }
    for (qsizetype p = from; p < to; p += width_)
        if (unitAt(p) == unit)
            return p;
    return -1;
}

QString ProfileFile::text(qsizetype from, qsizetype to) const
{
    while (from < to && isBlank(unitAt(from)))
        from += width_;
    while (to > from && isBlank(unitAt(to - width_)))
        to -= width_;
    const QByteArray bytes = QByteArray::fromRawData(content_.constData() + from, to - from);
    switch (encoding_) {
    case Encoding::Windows1251:
        return fromCp1251(bytes);
    case Encoding::Utf8:
        return QString::fromUtf8(bytes);
    case Encoding::Utf16Le:
        break;
    }
    QString out(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = QChar(unitAt(from + 2 * i));
    return out;
}

QByteArray ProfileFile::encoded(const QString& value) const
{
    switch (encoding_) {
    case Encoding::Windows1251:
        return toCp1251(value);
    case Encoding::Utf8:
        return value.toUtf8();
    case Encoding::Utf16Le:
        break;
    }
    QByteArray out;
    out.reserve(value.size() * 2);
    for (const QChar c : value) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

void ProfileFile::index()
{
    encoding_ = Encoding::Windows1251;
    width_ = 1;
    textStart_ = 0;
    if (content_.startsWith("\xFF\xFE")) {
        encoding_ = Encoding::Utf16Le;
        width_ = 2;
        textStart_ = 2;
    }
    else if (content_.startsWith("\xEF\xBB\xBF")) {
        encoding_ = Encoding::Utf8;
        textStart_ = 3;
    }
    textEnd_ = content_.size() - (content_.size() - textStart_) % width_;

    const qsizetype firstNewline = findUnit(u'\n', textStart_, textEnd_);
    const bool lf =
        firstNewline >= 0 && !(firstNewline > textStart_ && unitAt(firstNewline - width_) == u'\r');
    eol_ = encoded(lf ? QStringLiteral("\n") : QStringLiteral("\r\n"));

    Section* current = nullptr;
    const int w = width_;
    for (qsizetype lineStart = textStart_; lineStart < textEnd_;) {
        const qsizetype newline = findUnit(u'\n', lineStart, textEnd_);
        const qsizetype next = newline < 0 ? textEnd_ : newline + w;
        qsizetype end = newline < 0 ? textEnd_ : newline;
        if (end > lineStart && unitAt(end - w) == u'\r')
            end -= w;
        qsizetype p = lineStart;
        while (p < end && isBlank(unitAt(p)))
            p += w;
        if (p < end && unitAt(p) == u'[') {
            const qsizetype close = findUnit(u']', p + w, end);
            current = nullptr;
            if (close >= 0) {
                Section* s = find(text(p + w, close));
                if (s && !s->present) { // a later section of the same name is not read
                    s->present = true;
                    current = s;
                }
            }
            if (current)
                current->insertAt = next;
        }
        else if (current && p < end) {
            const qsizetype eq = unitAt(p) == u';' ? -1 : findUnit(u'=', p, end);
            if (eq >= 0) {
                const QString key = text(p, eq).toLower();
                if (!current->keys.contains(key))
                    current->keys.insert(key, Entry{eq + w, end, std::nullopt});
            }
            current->insertAt = next;
        }
        lineStart = next;
    }
}

ProfileFile::Section* ProfileFile::find(const QString& name)
{
    for (Section& s : sections_)
        if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const ProfileFile::Section* ProfileFile::find(const QString& name) const
{
    return const_cast<ProfileFile*>(this)->find(name);
}

QString ProfileFile::storedValue(const Entry& entry) const
{
    if (entry.replacement)
        return *entry.replacement;
    return interpreted(text(entry.valueStart, entry.valueEnd));
}

std::optional<QString> ProfileFile::value(const QByteArray& section, const QByteArray& key) const
{
    const Section* s = find(QString::fromLatin1(section));
    if (!s)
        return std::nullopt;
    const QString name = QString::fromLatin1(key).toLower();
    const auto entry = s->keys.constFind(name);
    if (entry != s->keys.constEnd())
        return storedValue(*entry);
    for (const auto& [added, value] : s->addedKeys)
        if (added.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

void ProfileFile::setValue(const QByteArray& section, const QByteArray& key, const QString& value)
{
    Section* s = find(QString::fromLatin1(section));
    Q_ASSERT(s); // the program writes only the sections it owns
    if (!s)
        return;
    const QString name = QString::fromLatin1(key);
    const auto entry = s->keys.find(name.toLower());
    if (entry != s->keys.end()) {
        if (storedValue(*entry) != value) {
            entry->replacement = value;
            changed_ = true;
        }
        return;
    }
    for (auto& [added, stored] : s->addedKeys)
        if (added.compare(name, Qt::CaseInsensitive) == 0) {
            changed_ = changed_ || stored != value;
            stored = value;
            return;
        }
    if (s->addedKeys.isEmpty())
        s->firstAdded = ++additions_;
    s->addedKeys.append({name, value});
    changed_ = true;
}

bool ProfileFile::writeWithChanges(QIODevice& out) const
{
    struct Edit {
        qsizetype from, to; // the bytes replaced; from == to for an insertion
        int order;          // insertions at one place keep the order they were written in
        const Section* insertSection;
        const Entry* entry;
    };
    QList<Edit> edits;
    int order = 0;
    for (const Section& s : sections_) {
        for (const Entry& e : s.keys)
            if (e.replacement)
                edits.append({e.valueStart, e.valueEnd, order++, nullptr, &e});
        if (s.present && !s.addedKeys.isEmpty())
            edits.append({s.insertAt, s.insertAt, order++, &s, nullptr});
    }
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.from != b.from ? a.from < b.from : a.order < b.order;
    });

    // Whether the output ends a line: an empty file (or a byte order mark alone) does.
    bool atLineStart = true;
    const QByteArray newline = encoded(QStringLiteral("\n"));
    auto write = [&](const QByteArray& bytes) {
        if (bytes.isEmpty())
            return true;
        atLineStart = bytes.endsWith(newline);
        return out.write(bytes) == bytes.size();
    };
    auto copy = [&](qsizetype from, qsizetype to) {
        if (to <= from)
            return true;
        const bool ok = out.write(content_.constData() + from, to - from) == to - from;
        if (to > textStart_)
            atLineStart = to >= textStart_ + qsizetype(newline.size()) &&
                          std::memcmp(content_.constData() + to - newline.size(), newline.constData(),
                                      size_t(newline.size())) == 0;
        return ok;
    };
    auto writeLine = [&](const QString& line) {
        return (atLineStart || write(eol_)) && write(encoded(line) + eol_);
    };
    auto writeKeys = [&](const Section& s) {
        for (const auto& [key, value] : s.addedKeys)
            if (!writeLine(key + u'=' + value))
                return false;
        return true;
    };

    qsizetype at = 0;
    for (const Edit& e : edits) {
        if (!copy(at, e.from))
            return false;
        const bool ok = e.entry ? write(encoded(*e.entry->replacement)) : writeKeys(*e.insertSection);
        if (!ok)
            return false;
        at = e.to;
    }
    if (!copy(at, content_.size()))
        return false;
    QList<const Section*> appended; // sections the file did not have, in the order written to
    for (const Section& s : sections_)
        if (!s.present && !s.addedKeys.isEmpty())
            appended.append(&s);
    std::sort(appended.begin(), appended.end(),
              [](const Section* a, const Section* b) { return a->firstAdded < b->firstAdded; });
    for (const Section* s : appended)
        if (!(writeLine(u'[' + QLatin1String(s->name) + u']') && writeKeys(*s)))
            return false;
    return true;
}

ProfileFile::SaveResult ProfileFile::save()
{
    systemError_.clear();
    if (unreadable_)
        return SaveResult::Unreadable;
    if (!changed_ && (writePath_ == readPath_ || content_.isEmpty()))
        return SaveResult::Saved;
    switch (replaceFile(
        writePath_, [this](QIODevice& out) { return writeWithChanges(out); }, &systemError_)) {
    case ReplaceResult::Saved:
        break;
    case ReplaceResult::ReadOnly:
        return SaveResult::ReadOnly;
    case ReplaceResult::OwnerNotKept:
        return SaveResult::OwnerNotKept;
    case ReplaceResult::WriteFailed:
        return SaveResult::WriteFailed;
    }
    // From now on the written file is the file (also when it was a copy in another folder).
    readPath_ = writePath_;
    read();
    return SaveResult::Saved;
}

} // namespace talvik
