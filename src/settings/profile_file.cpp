#include "profile_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstring>

namespace talvik {

namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimmed(const QByteArray& text, qsizetype from, qsizetype to)
{
    while (from < to && isBlank(text.at(from)))
        ++from;
    while (to > from && isBlank(text.at(to - 1)))
        --to;
    return text.mid(from, to - from);
}

// The first `c` in [from, to), or -1: a search never runs past the line it is in.
qsizetype findIn(const QByteArray& text, char c, qsizetype from, qsizetype to)
{
    const void* at = std::memchr(text.constData() + from, c, size_t(to - from));
    return at ? static_cast<const char*>(at) - text.constData() : -1;
}

// What the program reads from a stored value: blanks dropped, one pair of quotes off.
QByteArray interpreted(QByteArray value)
{
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    return value;
}
} // namespace

ProfileFile::ProfileFile(const QString& readPath, const QString& writePath, const QList<QByteArray>& sections)
    : readPath_(readPath), writePath_(writePath)
{
    for (const QByteArray& name : sections)
        sections_.append(Section{name, false, 0, {}, {}, 0});
    QFile file(readPath_);
    if (file.exists() && !file.open(QIODevice::ReadOnly))
        unreadable_ = QFileInfo(readPath_).isFile(); // a folder in its place is no file to keep
    else if (file.isOpen())
        content_ = file.readAll();
    index();
}

void ProfileFile::index()
{
    const qsizetype firstNewline = content_.indexOf('\n');
    if (firstNewline >= 0)
        eol_ =
            firstNewline > 0 && content_.at(firstNewline - 1) == '\r' ? QByteArray("\r\n") : QByteArray("\n");

    Section* current = nullptr;
    const qsizetype n = content_.size();
    for (qsizetype lineStart = 0; lineStart < n;) {
        const qsizetype newline = content_.indexOf('\n', lineStart);
        const qsizetype next = newline < 0 ? n : newline + 1;
        qsizetype end = newline < 0 ? n : newline;
        if (end > lineStart && content_.at(end - 1) == '\r')
            --end;
        qsizetype p = lineStart;
        while (p < end && isBlank(content_.at(p)))
            ++p;
        if (p < end && content_.at(p) == '[') {
            const qsizetype close = findIn(content_, ']', p, end);
            current = nullptr;
            if (close >= 0) {
                Section* s = find(trimmed(content_, p + 1, close));
                if (s && !s->present) { // a later section of the same name is not read
                    s->present = true;
                    current = s;
                }
            }
            if (current)
                current->insertAt = next;
        }
        else if (current && p < end) {
            const qsizetype eq = content_.at(p) == ';' ? -1 : findIn(content_, '=', p, end);
            if (eq >= 0) {
                const QByteArray key = trimmed(content_, p, eq).toLower();
                if (!current->keys.contains(key))
                    current->keys.insert(key, Entry{eq + 1, end, std::nullopt});
            }
            current->insertAt = next;
        }
        lineStart = next;
    }
}

ProfileFile::Section* ProfileFile::find(const QByteArray& name)
{
    for (Section& s : sections_)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const ProfileFile::Section* ProfileFile::find(const QByteArray& name) const
{
    return const_cast<ProfileFile*>(this)->find(name);
}

QByteArray ProfileFile::storedValue(const Entry& entry) const
{
    if (entry.replacement)
        return *entry.replacement;
    return interpreted(trimmed(content_, entry.valueStart, entry.valueEnd));
}

std::optional<QByteArray> ProfileFile::value(const QByteArray& section, const QByteArray& key) const
{
    const Section* s = find(section);
    if (!s)
        return std::nullopt;
    const auto entry = s->keys.constFind(key.toLower());
    if (entry != s->keys.constEnd())
        return storedValue(*entry);
    for (const auto& [name, value] : s->addedKeys)
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

void ProfileFile::setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value)
{
    Section* s = find(section);
    Q_ASSERT(s); // the program writes only the sections it owns
    if (!s)
        return;
    const auto entry = s->keys.find(key.toLower());
    if (entry != s->keys.end()) {
        if (storedValue(*entry) != value) {
            entry->replacement = value;
            changed_ = true;
        }
        return;
    }
    for (auto& [name, stored] : s->addedKeys)
        if (name.compare(key, Qt::CaseInsensitive) == 0) {
            changed_ = changed_ || stored != value;
            stored = value;
            return;
        }
    if (s->addedKeys.isEmpty())
        s->firstAdded = ++additions_;
    s->addedKeys.append({key, value});
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

    char last = '\n'; // what the output ends with; an empty output needs no line break
    auto write = [&](const QByteArray& bytes) {
        if (bytes.isEmpty())
            return true;
        last = bytes.back();
        return out.write(bytes) == bytes.size();
    };
    auto writeLine = [&](const QByteArray& line) {
        return (last == '\n' || write(eol_)) && write(line + eol_);
    };
    auto writeKeys = [&](const Section& s) {
        for (const auto& [key, value] : s.addedKeys)
            if (!writeLine(key + '=' + value))
                return false;
        return true;
    };

    qsizetype at = 0;
    for (const Edit& e : edits) {
        if (!write(QByteArray::fromRawData(content_.constData() + at, e.from - at)))
            return false;
        const bool ok = e.entry ? write(*e.entry->replacement) : writeKeys(*e.insertSection);
        if (!ok)
            return false;
        at = e.to;
    }
    if (!write(QByteArray::fromRawData(content_.constData() + at, content_.size() - at)))
        return false;
    QList<const Section*> appended; // sections the file did not have, in the order written to
    for (const Section& s : sections_)
        if (!s.present && !s.addedKeys.isEmpty())
            appended.append(&s);
    std::sort(appended.begin(), appended.end(),
              [](const Section* a, const Section* b) { return a->firstAdded < b->firstAdded; });
    for (const Section* s : appended)
        if (!(writeLine('[' + s->name + ']') && writeKeys(*s)))
            return false;
    return true;
}

bool ProfileFile::save()
{
    if (unreadable_)
        return false;
    if (!changed_ && (writePath_ == readPath_ || content_.isEmpty()))
        return true;
    QSaveFile file(writePath_);
    if (!file.open(QIODevice::WriteOnly) || !writeWithChanges(file))
        return false;
    if (!file.commit())
        return false;
    // From now on the written file is the file (also when it was a copy in another folder).
    QList<QByteArray> names;
    for (const Section& s : sections_)
        names.append(s.name);
    *this = ProfileFile(writePath_, writePath_, names);
    return true;
}

} // namespace talvik
