#include "store/sites_file.h"

#include "wire/input_file.h"
#include "wire/text_escapes.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace talvik {

namespace {
QByteArray withoutEnd(const QByteArray& line)
{
    QByteArray text = line;
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    return text;
}

// "[name]": the name, escapes undone; nothing for any other line.
std::optional<QString> nameIn(const QByteArray& line)
{
    const QString text = QString::fromUtf8(withoutEnd(line)).trimmed();
    if (text.size() < 2 || !text.startsWith(u'[') || !text.endsWith(u']'))
        return std::nullopt;
    return unescapeControls(text.mid(1, text.size() - 2));
}

// An address or range, as a hosts file's line: '#' starts a comment.
QString entryIn(const QByteArray& line)
{
    return QString::fromUtf8(withoutEnd(line)).section(u'#', 0, 0).trimmed();
}
} // namespace

SitesFile::SitesFile(const QString& path) : path_(path) {}

bool SitesFile::read(QString* why)
{
    FileProblem problem;
    if (read(problem))
        return true;
    if (why)
        *why = fileProblemText(problem, QStringLiteral("a sites file"));
    return false;
}

bool SitesFile::read(FileProblem& problem)
{
    lines_.clear();
    FileProblem failed;
    const std::optional<QByteArray> text = readInputFile(path_, MostBytes, &failed);
    if (!text && failed.kind != FileProblem::Missing) {
        problem = failed;
        parse();
        return false;
    }
    const QByteArray bytes = text.value_or(QByteArray());
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', at);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        lines_.append(bytes.mid(at, next - at));
        at = next;
    }
    if (bytes.contains("\r\n"))
        eol_ = "\r\n";
    parse();
    return true;
}

void SitesFile::parse()
{
    sites_.clear();
    for (int i = 0; i < lines_.size(); ++i) {
        if (const auto name = nameIn(lines_[i])) {
            sites_.append({*name, {}, i + 1, {}});
            continue;
        }
        const QString entry = entryIn(lines_[i]);
        if (!entry.isEmpty() && !sites_.isEmpty()) {
            sites_.last().entries.append(entry);
            sites_.last().lines.append(i + 1);
        }
    }
}

const Site* SitesFile::find(const QString& name) const
{
    for (const Site& s : sites_)
        if (s.name == name)
            return &s;
    return nullptr;
}

QStringList SitesFile::names() const
{
    QStringList out;
    for (const Site& s : sites_)
        out.append(s.name);
    return out;
}

void SitesFile::add(const QString& name, const QStringList& entries)
{
    QList<QByteArray> added;
    for (const QString& entry : entries)
        added.append(entry.toUtf8() + eol_);
    if (const Site* site = find(name)) {
        // After its last address: a comment below it may be the next site's.
        const int at = site->lines.isEmpty() ? site->line : site->lines.last();
        if (!lines_[at - 1].endsWith('\n'))
            lines_[at - 1] += eol_;
        for (int i = 0; i < added.size(); ++i)
            lines_.insert(at + i, added[i]);
    }
    else {
        if (!lines_.isEmpty() && !lines_.last().endsWith('\n'))
            lines_.last() += eol_;
        if (!lines_.isEmpty() && !withoutEnd(lines_.last()).trimmed().isEmpty())
            lines_.append(eol_); // a blank line before a new site
        lines_.append('[' + escapeControls(name).toUtf8() + ']' + eol_);
        lines_ += added;
    }
    parse();
}

bool SitesFile::remove(const QString& name)
{
    const Site* site = find(name);
    if (!site)
        return false;
    int end = site->line;
    while (end < lines_.size() && !nameIn(lines_[end]))
        ++end;
    lines_.erase(lines_.begin() + (site->line - 1), lines_.begin() + end);
    parse();
    return true;
}

bool SitesFile::rename(const QString& name, const QString& newName)
{
    const Site* site = find(name);
    if (!site || (newName != name && find(newName)))
        return false;
    const QByteArray& old = lines_[site->line - 1];
    const QByteArray eol = old.endsWith("\r\n") ? QByteArray("\r\n")
                           : old.endsWith('\n') ? QByteArray("\n")
                                                : QByteArray();
    lines_[site->line - 1] = '[' + escapeControls(newName).toUtf8() + ']' + eol;
    parse();
    return true;
}

bool SitesFile::setEntries(const QString& name, const QStringList& entries)
{
    const Site* found = find(name);
    if (!found)
        return false;
    const Site site = *found;
    QStringList added = entries;
    QList<int> dropped; // lines, last first
    for (int i = int(site.entries.size()) - 1; i >= 0; --i)
        if (!added.removeOne(site.entries[i]))
            dropped.append(site.lines[i]);
    for (int line : dropped)
        lines_.removeAt(line - 1);
    parse();
    add(name, added);
    return true;
}

QList<SiteEntryProblem> SitesFile::badEntries(const std::function<int(quint32)>& prefixOf) const
{
    QList<SiteEntryProblem> out;
    for (const Site& site : sites_)
        for (int i = 0; i < site.entries.size(); ++i) {
            BoardsProblem problem;
            if (!boardsOf({site.entries[i]}, &problem, MostBoards, prefixOf))
                out.append({site.name, site.lines[i], problem});
        }
    return out;
}

ReplaceResult SitesFile::save(QString* why)
{
    QDir().mkpath(QFileInfo(path_).path());
    return replaceFile(
        path_,
        [this](QIODevice& out) {
            for (const QByteArray& line : lines_)
                if (out.write(line) != line.size())
                    return false;
            return true;
        },
        why);
}

QString sitesFileBeside(const QString& settingsWritePath)
{
    return QFileInfo(settingsWritePath).dir().filePath(QLatin1String(SitesFile::FileName));
}

std::optional<QList<BoardAddress>> boardsOfSites(const QList<Site>& sites, const QString& file, QString* why,
                                                 const std::function<int(quint32)>& prefixOf)
{
    QList<BoardAddress> out;
    QSet<BoardAddress> seen;
    for (const Site& site : sites) {
        BoardsProblem problem;
        const auto boards = boardsOf(site.entries, &problem, MostBoards, prefixOf);
        if (!boards) {
            if (why)
                *why = QStringLiteral("%1:%2: site %3: %4 names no board (%5)")
                           .arg(quoted(file, 4096))
                           .arg(site.lines.value(problem.index))
                           .arg(quoted(site.name), quoted(problem.text),
                                problem.reason.isEmpty() ? QStringLiteral("no board's address or range")
                                                         : problem.reason);
            return std::nullopt;
        }
        for (BoardAddress b : *boards)
            if (!seen.contains(b)) {
                seen.insert(b);
                out.append(b);
            }
    }
    return out;
}

SiteIndex::SiteIndex(const QList<Site>& sites, const std::function<int(quint32)>& prefixOf)
{
    for (const Site& site : sites)
        for (const QString& entry : site.entries)
            if (const auto boards = boardsOf({entry}, nullptr, MostBoards, prefixOf))
                for (BoardAddress b : *boards)
                    if (!of_[b].contains(site.name))
                        of_[b].append(site.name);
}

} // namespace talvik
