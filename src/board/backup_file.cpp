#include "board/backup_file.h"

#include "board/input_file.h"
#include "board/untrusted_text.h"
#include "wire/board_address.h"
#include "wire/datagram.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSaveFile>

namespace talvik {

QByteArray backupText(const BoardConfig& c)
{
    QByteArray out = "# talvikctl backup of " + dottedText(c.address).toUtf8() + ", read " +
                     QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + '\n';
    if (c.version)
        out += "# program version " + escapeControls(*c.version).toUtf8() + '\n';
    out += "address=" + dottedText(c.address).toUtf8() + '\n';
    if (c.memory != Memory::Unknown)
        out += "memory=" + memoryText(c.memory).toUtf8() + '\n';
    for (const auto& [name, text] : fieldTexts(c))
        out += name.toUtf8() + '=' + text.toUtf8() + '\n';
    return out;
}

BoardConfig parseBackup(const QByteArray& text, const QString& fileName)
{
    const QString file = quoted(fileName, 4096); // as messages name it
    QMap<QString, QPair<QString, int>> values;   // key: value, line
    int lineNumber = 0;
    for (const QByteArray& raw : text.split('\n')) {
        ++lineNumber;
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            throw BackupError{
                QStringLiteral("%1:%2: not key=value: %3").arg(file).arg(lineNumber).arg(quoted(line))};
        const QString key = line.left(eq).trimmed();
        if (values.contains(key))
            throw BackupError{QStringLiteral("%1:%2: %3= given twice (first on line %4)")
                                  .arg(file)
                                  .arg(lineNumber)
                                  .arg(quoted(key))
                                  .arg(values[key].second)};
        values.insert(key, {line.mid(eq + 1).trimmed(), lineNumber});
    }
    const auto take = [&](const char* key) {
        const auto it = values.constFind(QLatin1String(key));
        if (it == values.constEnd())
            throw BackupError{QStringLiteral("%1: no %2= line").arg(file, QLatin1String(key))};
        return *it;
    };
    const auto bad = [&](const char* key, const QPair<QString, int>& v) {
        return BackupError{QStringLiteral("%1:%2: bad %3 '%4'")
                               .arg(file)
                               .arg(v.second)
                               .arg(QLatin1String(key), quoted(v.first))};
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
        throw BackupError{QStringLiteral("%1: dhcp=1 with console=static: a board on DHCP has a dynamic "
                                         "console, and the window never writes this pair")
                              .arg(file)};
    // "127.0.3.2.conf" is that board's backup: a file named for another board is refused.
    const auto named = parseDottedDecimal(QFileInfo(fileName).completeBaseName());
    if (named && BoardAddress(*named) != c.address)
        throw BackupError{QStringLiteral("%1: the file is named for %2 but holds address=%3")
                              .arg(file, dottedText(*named), dottedText(c.address))};
    QStringList known{QStringLiteral("address"), QStringLiteral("memory")};
    for (const auto& field : fieldTexts(c))
        known.append(field.first);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        if (!known.contains(it.key()))
            throw BackupError{
                QStringLiteral("%1:%2: unknown key '%3'").arg(file).arg(it->second).arg(quoted(it.key()))};
    return c;
}

BoardConfig readBackupFile(const QString& path)
{
    QString why;
    const auto text = readInputFile(path, MostBackupBytes, QStringLiteral("a backup"), &why);
    if (!text)
        throw BackupError{why};
    return parseBackup(*text, path);
}

QString saveBackup(const QString& folder, const BoardConfig& config, const QByteArray& reply)
{
    if (completeness(reply) != Completeness::Complete)
        return QStringLiteral("no backup: the permanent memory's reply carries no version, so no DHCP flag");
    QSaveFile file(QDir(folder).filePath(dottedText(config.address) + QStringLiteral(".conf")));
    const QByteArray text = backupText(config);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(text) == text.size() &&
        file.commit())
        return {};
    return QStringLiteral("no backup: cannot write %1: %2").arg(file.fileName(), file.errorString());
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
