#include "journal/backup_folder.h"

#include "board/untrusted_text.h"
#include "wire/board_address.h"
#include "wire/input_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace talvik {

namespace {
// A kept file without its first line, which says when it was read.
QByteArray bodyOf(const QByteArray& text)
{
    const qsizetype end = text.indexOf('\n');
    return end < 0 ? QByteArray() : text.mid(end + 1);
}

// "# program version 2.17": the board's text as the file keeps it (escaped).
QString versionIn(const QByteArray& body)
{
    const QByteArray tag = "# program version ";
    for (const QByteArray& line : body.split('\n'))
        if (line.startsWith(tag))
            return QString::fromUtf8(line.mid(tag.size()));
    return {};
}

QList<ChangedField> changesBetween(const QByteArray& earlier, const BoardConfig& now, const QString& file)
{
    QList<ChangedField> out;
    try {
        out = changedFields(parseBackup(earlier, file), now);
    }
    catch (const BackupError&) { // not a backup any more: it is written anew
        out.append({QStringLiteral("file"), QStringLiteral("unreadable"), QStringLiteral("rewritten")});
    }
    const QString before = versionIn(bodyOf(earlier)), after = versionIn(backupBody(now));
    if (before != after)
        out.append({QStringLiteral("version"), before, after});
    return out;
}
} // namespace

QString keptStatusKey(KeptBackup::Status status)
{
    switch (status) {
    case KeptBackup::New:
        return QStringLiteral("new");
    case KeptBackup::Changed:
        return QStringLiteral("changed");
    case KeptBackup::Unchanged:
        return QStringLiteral("unchanged");
    case KeptBackup::Silent:
        break;
    }
    return QStringLiteral("silent");
}

BackupFolder::BackupFolder(const QString& path) : path_(path) {}

QString BackupFolder::fileOf(BoardAddress board, Memory memory) const
{
    const QString name = dottedText(board) + QStringLiteral(".conf");
    return memory == Memory::Permanent ? QDir(path_).filePath(QStringLiteral("permanent/") + name)
                                       : QDir(path_).filePath(name);
}

std::optional<KeptBackup> BackupFolder::keep(const BoardConfig& config, QString* error)
{
    KeptBackup kept;
    kept.board = config.address;
    kept.memory = config.memory;
    kept.hasFile = true;
    const QString file = fileOf(config.address, config.memory);
    FileProblem problem;
    const std::optional<QByteArray> earlier = readInputFile(file, MostBackupBytes, &problem);
    if (earlier && bodyOf(*earlier) == backupBody(config))
        return kept; // unchanged: the file, and its time, stay
    kept.status = earlier || problem.kind != FileProblem::Missing ? KeptBackup::Changed : KeptBackup::New;
    if (earlier)
        kept.changes = changesBetween(*earlier, config, file);
    QDir().mkpath(QFileInfo(file).path());
    QSaveFile out(file);
    // When it was read is left out: the file's time and git say it, and a diff shows the change alone.
    const QByteArray text =
        "# talvikctl backup of " + dottedText(config.address).toUtf8() + '\n' + backupBody(config);
    if (out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && out.write(text) == text.size() &&
        out.commit())
        return kept;
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(quoted(file, 4096), out.errorString());
    return std::nullopt;
}

KeptBackup BackupFolder::silent(BoardAddress board, Memory memory) const
{
    KeptBackup kept;
    kept.status = KeptBackup::Silent;
    kept.board = board;
    kept.memory = memory;
    kept.hasFile = QFileInfo(fileOf(board, memory)).isFile();
    return kept;
}

std::optional<bool> BackupFolder::differs(const BoardConfig& config) const
{
    FileProblem problem;
    const auto earlier = readInputFile(fileOf(config.address, config.memory), MostBackupBytes, &problem);
    if (!earlier)
        return std::nullopt;
    return bodyOf(*earlier) != backupBody(config);
}

QDateTime BackupFolder::keptSince(BoardAddress board, Memory memory) const
{
    const QFileInfo info(fileOf(board, memory));
    return info.isFile() ? info.lastModified() : QDateTime();
}

QString changeSubject(const QList<KeptBackup>& kept)
{
    QHash<BoardAddress, KeptBackup::Status> of; // a board new in one memory, changed in the other: changed
    for (const KeptBackup& k : kept)
        if (k.status == KeptBackup::Changed || (k.status == KeptBackup::New && !of.contains(k.board)))
            of.insert(k.board, k.status);
    const qsizetype changed = std::count(of.cbegin(), of.cend(), KeptBackup::Changed);
    const qsizetype added = of.size() - changed;
    const auto boards = [](qsizetype n) {
        return QStringLiteral("%1 board%2").arg(n).arg(QLatin1String(n == 1 ? "" : "s"));
    };
    if (changed == 0)
        return boards(added) + QStringLiteral(" new");
    return boards(changed) + QStringLiteral(" changed") +
           (added ? QStringLiteral(", %1 new").arg(added) : QString());
}

namespace {
// A value of a kept file is escaped there already (a version's control characters, its
// backslashes): only a raw control character left is made visible, nothing is escaped twice.
QString visible(const QString& text)
{
    const bool raw = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
    });
    return raw ? escapeControls(text) : text;
}
} // namespace

QString changeBody(const QList<KeptBackup>& kept)
{
    QStringList lines;
    for (const KeptBackup& k : kept) {
        if (k.status != KeptBackup::Changed && k.status != KeptBackup::New)
            continue;
        const QString board = dottedText(k.board) +
                              (k.memory == Memory::Permanent ? QStringLiteral(" (permanent)") : QString());
        if (k.status == KeptBackup::New)
            lines.append(board + QStringLiteral(": new"));
        for (const ChangedField& c : k.changes)
            lines.append(QStringLiteral("%1: %2 %3 → %4")
                             .arg(board, visible(c.field), visible(c.now), visible(c.next)));
    }
    return lines.join(u'\n');
}

} // namespace talvik
