#include "board/backup_file.h"

#include "board/untrusted_text.h"
#include "wire/board_address.h"
#include "wire/datagram.h"
#include "wire/input_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSaveFile>

namespace talvik {

QByteArray backupText(const BoardConfig& c)
{
    return "# talvikctl backup of " + dottedText(c.address).toUtf8() + ", read " +
           QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + '\n' + backupBody(c);
}

QByteArray backupBody(const BoardConfig& c)
{
    QByteArray out;
    if (c.version)
        out += "# program version " + escapeControls(*c.version).toUtf8() + '\n';
    out += "address=" + dottedText(c.address).toUtf8() + '\n';
    if (c.memory != Memory::Unknown)
        out += "memory=" + memoryText(c.memory).toUtf8() + '\n';
    for (const auto& [name, text] : fieldTexts(c))
        out += name.toUtf8() + '=' + text.toUtf8() + '\n';
    return out;
}

QString BackupError::message() const
{
    const QString at = quoted(file, 4096) + (line > 0 ? QStringLiteral(":%1").arg(line) : QString());
    switch (kind) {
    case File:
        return fileProblemText(fileProblem, QStringLiteral("a backup"));
    case NotKeyValue:
        return QStringLiteral("%1: not key=value: %2").arg(at, quoted(value));
    case GivenTwice:
        return QStringLiteral("%1: %2= given twice (first on line %3)").arg(at, quoted(key)).arg(firstLine);
    case MissingKey:
        return QStringLiteral("%1: no %2= line").arg(at, key);
    case BadValue:
        return QStringLiteral("%1: bad %2 '%3'").arg(at, key, quoted(value));
    case UnknownKey:
        return QStringLiteral("%1: unknown key '%2'").arg(at, quoted(key));
    case DhcpWithStaticConsole:
        return QStringLiteral(
                   "%1: dhcp=1 with console=static: a board on DHCP has a dynamic console, and the "
                   "window never writes this pair")
            .arg(at);
    case NamedForAnother:
        break;
    }
    return QStringLiteral("%1: the file is named for %2 but holds address=%3")
        .arg(at, dottedText(namedFor), dottedText(holds));
}

BoardConfig parseBackup(const QByteArray& text, const QString& fileName)
{
    const auto error = [&](BackupError::Kind kind, int line = 0, const QString& key = {},
                           const QString& value = {}) {
        BackupError e;
        e.kind = kind;
        e.file = fileName;
        e.line = line;
        e.key = key;
        e.value = value;
        return e;
    };
    QMap<QString, QPair<QString, int>> values; // key: value, line
    int lineNumber = 0;
    for (const QByteArray& raw : text.split('\n')) {
        ++lineNumber;
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            throw error(BackupError::NotKeyValue, lineNumber, {}, line);
        const QString key = line.left(eq).trimmed();
        if (values.contains(key)) {
            BackupError e = error(BackupError::GivenTwice, lineNumber, key);
            e.firstLine = values[key].second;
            throw e;
        }
        values.insert(key, {line.mid(eq + 1).trimmed(), lineNumber});
    }
    const auto take = [&](const char* key) {
        const auto it = values.constFind(QLatin1String(key));
        if (it == values.constEnd())
            throw error(BackupError::MissingKey, 0, QLatin1String(key));
        return *it;
    };
    const auto bad = [&](const char* key, const QPair<QString, int>& v) {
        return error(BackupError::BadValue, v.second, QLatin1String(key), v.first);
    };
    const auto address = [&](const char* key) {
        const auto v = take(key);
        const auto a = parseDottedDecimal(v.first);
        if (!a)
            throw bad(key, v);
        return *a;
    };
    const auto flag = [&](const char* key, const char* on, const char* off) {
        const auto v = take(key);
        if (v.first != QLatin1String(on) && v.first != QLatin1String(off))
            throw bad(key, v);
        return v.first == QLatin1String(on);
    };
    const auto number = [&](const char* key, uint max) {
        const auto v = take(key);
        bool ok = false;
        const uint n = v.first.toUInt(&ok, 10);
        if (!ok || n > max)
            throw bad(key, v);
        return n;
    };

    BoardConfig c;
    c.address = BoardAddress(address("address"));
    c.fields.ip = octetsOf(address("ip"));
    c.fields.mask = octetsOf(address("mask"));
    c.fields.gateway = octetsOf(address("router"));
    const auto mac = take("mac");
    const auto parsed = parseMac(mac.first);
    if (!parsed)
        throw bad("mac", mac);
    c.fields.mac = *parsed;
    c.fields.boardDhcp = flag("dhcp", "1", "0");
    c.fields.consoleDynamic = flag("console", "dynamic", "static");
    c.fields.dispatcher = octetsOf(address("dispatcher"));
    c.fields.ident = quint16(number("ident", 65535));
    c.fields.reserve1 = octetsOf(address("reserve1"));
    c.fields.reserve2 = octetsOf(address("reserve2"));
    c.fields.branch = values.contains(QStringLiteral("branch")) ? quint8(number("branch", 255)) : 0;
    c.memory = Memory::Unknown;
    if (values.contains(QStringLiteral("memory"))) {
        const auto v = take("memory");
        if (v.first != memoryText(Memory::Working) && v.first != memoryText(Memory::Permanent))
            throw bad("memory", v);
        c.memory = v.first == memoryText(Memory::Working) ? Memory::Working : Memory::Permanent;
    }
    if (!addressTypesAgree(c.fields))
        throw error(BackupError::DhcpWithStaticConsole);
    // "127.0.3.2.conf" is that board's backup: a file named for another board is refused.
    const auto named = parseDottedDecimal(QFileInfo(fileName).completeBaseName());
    if (named && BoardAddress(*named) != c.address) {
        BackupError e = error(BackupError::NamedForAnother);
        e.namedFor = BoardAddress(*named);
        e.holds = c.address;
        throw e;
    }
    QStringList known{QStringLiteral("address"), QStringLiteral("memory")};
    for (const auto& field : fieldTexts(c))
        known.append(field.first);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        if (!known.contains(it.key()))
            throw error(BackupError::UnknownKey, it->second, it.key());
    return c;
}

BoardConfig readBackupFile(const QString& path)
{
    BackupError e;
    const auto text = readInputFile(path, MostBackupBytes, &e.fileProblem);
    if (!text) {
        e.file = path;
        throw e;
    }
    return parseBackup(*text, path);
}

std::optional<SaveError> writeBackup(const QString& folder, const BoardConfig& config,
                                     const QByteArray& reply)
{
    if (completeness(reply) != Completeness::Complete)
        return SaveError{SaveError::NoVersion, {}, {}};
    QSaveFile file(QDir(folder).filePath(dottedText(config.address) + QStringLiteral(".conf")));
    const QByteArray text = backupText(config);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(text) == text.size() &&
        file.commit())
        return std::nullopt;
    return SaveError{SaveError::CannotWrite, file.fileName(), file.errorString()};
}

QString saveBackup(const QString& folder, const BoardConfig& config, const QByteArray& reply)
{
    const std::optional<SaveError> e = writeBackup(folder, config, reply);
    if (!e)
        return {};
    if (e->kind == SaveError::NoVersion)
        return QStringLiteral("no backup: the permanent memory's reply carries no version, so no DHCP flag");
    return QStringLiteral("no backup: cannot write %1: %2").arg(e->file, e->systemError);
}

std::optional<SameBoard> sameBoardTwice(const QList<Backup>& backups)
{
    QHash<BoardAddress, QString> first;
    for (const Backup& b : backups) {
        const auto it = first.constFind(b.config.address);
        if (it != first.constEnd())
            return SameBoard{*it, b.path, b.config.address};
        first.insert(b.config.address, b.path);
    }
    return std::nullopt;
}

} // namespace talvik
