#include "board/board_config.h"

#include "board/untrusted_text.h"
#include "wire/board_address.h"
#include "wire/datagram.h"

#include <QJsonValue>

namespace talvik {

namespace {
QString onOff(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
QString consoleText(bool dynamic)
{
    return dynamic ? QStringLiteral("dynamic") : QStringLiteral("static");
}
} // namespace

QString memoryText(Memory memory)
{
    switch (memory) {
    case Memory::Working:
        return QStringLiteral("working");
    case Memory::Permanent:
        return QStringLiteral("permanent");
    case Memory::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

BoardConfig configFromReply(BoardAddress address, const QByteArray& reply, Memory memory)
{
    BoardConfig c{address, readConfiguration(reply), versionText(reply), memory};
    c.fields.boardDhcp = boardDhcpShown(reply, c.version.value_or(QString()));
    return c;
}

QList<QPair<QString, QString>> fieldTexts(const BoardConfig& c)
{
    const WriteFields& f = c.fields;
    return {{QStringLiteral("ip"), dottedText(f.ip)},
            {QStringLiteral("mask"), dottedText(f.mask)},
            {QStringLiteral("router"), dottedText(f.gateway)},
            {QStringLiteral("mac"), macText(f.mac)},
            {QStringLiteral("dhcp"), onOff(f.boardDhcp)},
            {QStringLiteral("console"), consoleText(f.consoleDynamic)},
            {QStringLiteral("dispatcher"), dottedText(f.dispatcher)},
            {QStringLiteral("ident"), QString::number(f.ident)},
            {QStringLiteral("reserve1"), dottedText(f.reserve1)},
            {QStringLiteral("reserve2"), dottedText(f.reserve2)},
            {QStringLiteral("branch"), QString::number(f.branch)}};
}

QJsonObject toJson(const BoardConfig& c)
{
    QJsonObject o;
    o.insert(QStringLiteral("address"), dottedText(c.address));
    for (const auto& [name, text] : fieldTexts(c))
        o.insert(name, text);
    o.insert(QStringLiteral("dhcp"), c.fields.boardDhcp);
    o.insert(QStringLiteral("ident"), int(c.fields.ident));
    o.insert(QStringLiteral("branch"), int(c.fields.branch));
    o.insert(QStringLiteral("version"), c.version ? QJsonValue(*c.version) : QJsonValue());
    if (c.memory != Memory::Unknown)
        o.insert(QStringLiteral("memory"), memoryText(c.memory));
    return o;
}

QList<ChangedField> changedFields(const BoardConfig& now, const BoardConfig& next)
{
    QList<ChangedField> out;
    const auto a = fieldTexts(now), b = fieldTexts(next);
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].second != b[i].second)
            out.append({a[i].first, a[i].second, b[i].second});
    return out;
}

const QStringList& sharedFields()
{
    static const QStringList fields{QStringLiteral("mask"),       QStringLiteral("router"),
                                    QStringLiteral("dispatcher"), QStringLiteral("console"),
                                    QStringLiteral("dhcp"),       QStringLiteral("reserve1"),
                                    QStringLiteral("reserve2"),   QStringLiteral("branch")};
    return fields;
}

QList<ChangedField> differencesFromReference(const BoardConfig& reference, const BoardConfig& board)
{
    QList<ChangedField> out = changedFields(reference, board);
    out.removeIf([](const ChangedField& c) { return !sharedFields().contains(c.field); });
    return out;
}

QList<Difference> differences(const BoardConfig& sent, const BoardConfig& read)
{
    QList<Difference> out;
    for (const ChangedField& c : changedFields(sent, read))
        if (c.field != QLatin1String("branch"))
            out.append({c.field, c.now, c.next});
    return out;
}

QList<Difference> differencesAfterWrite(const QByteArray& frame, const BoardConfig& read)
{
    return differences({read.address, readConfiguration(frame), std::nullopt, Memory::Permanent}, read);
}

QList<Difference> changesSinceWrite(const QByteArray& frame, const BoardConfig& read)
{
    QList<Difference> out;
    for (const ChangedField& c :
         changedFields({read.address, readConfiguration(frame), std::nullopt, Memory::Permanent}, read))
        out.append({c.field, c.now, c.next});
    return out;
}

QStringList takenAtReboot(const BoardConfig& working, const BoardConfig& permanent)
{
    // Both read from the board: a branch number it does not report is the same in both.
    QStringList fields;
    for (const ChangedField& c : changedFields(permanent, working))
        fields.append(c.field);
    return fields;
}

QStringList surveyHeader()
{
    QStringList header{QStringLiteral("address")};
    for (const auto& field : fieldTexts(BoardConfig{}))
        header.append(field.first);
    return header << QStringLiteral("version") << QStringLiteral("error") << QStringLiteral("site");
}

QStringList surveyCells(const BoardConfig& c, const QString& error, const QString& site)
{
    QStringList cells{dottedText(c.address)};
    for (const auto& field : fieldTexts(c))
        cells.append(field.second);
    return cells << c.version.value_or(QString()) << error << site;
}

QStringList silentCells(BoardAddress address, const QString& error, const QString& site)
{
    return QStringList{dottedText(address)} + QStringList(surveyHeader().size() - 3) +
           QStringList{error, site};
}

} // namespace talvik
