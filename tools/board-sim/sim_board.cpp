#include "sim_board.h"

#include "net/private_network.h"
#include "wire/board_address.h"
#include "wire/hex_codec.h"

namespace talvik::sim {

FrameKind frameKind(const QByteArray& f)
{
    if (f.size() == WriteFrameLength && textAt(f, pos::WriteTag, "epwr"))
        return FrameKind::Write;
    if (f.size() == ReadFrameLength && textAt(f, pos::ReadTag, "epr"))
        return memoryAsked(f) == Memory::Permanent ? FrameKind::ReadPermanent : FrameKind::ReadWorking;
    if (f.size() == RebootFrameLength && textAt(f, pos::KindTag, "rzt"))
        return FrameKind::Reboot;
    if (f.size() == WordFrameLength && (textAt(f, pos::KindTag, "msi") || textAt(f, pos::KindTag, "vsi")))
        return FrameKind::Word;
    return FrameKind::Unknown;
}

QString frameKindName(FrameKind kind)
{
    switch (kind) {
    case FrameKind::ReadWorking:
        return QStringLiteral("read C (working configuration)");
    case FrameKind::ReadPermanent:
        return QStringLiteral("read d (permanent memory)");
    case FrameKind::Write:
        return QStringLiteral("write");
    case FrameKind::Reboot:
        return QStringLiteral("reboot");
    case FrameKind::Word:
        return QStringLiteral("word");
    case FrameKind::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

QByteArray configReply(const WriteFields& config, const QByteArray& version)
{
    QByteArray reply(ConfigReplyLength, '\0');
    putAt(reply, 1, configFields(config));
    putAt(reply, pos::VersionTag, "VER");
    const int room = pos::VersionEnd - pos::Version + 1;
    putAt(reply, pos::Version, version.size() < room ? version + '#' : version.left(room));
    putAt(reply, pos::BoardDhcp, QByteArray(1, config.boardDhcp ? '1' : '\0'));
    putAt(reply, pos::WritePreambleTail, QByteArray(ConfigReplyLength - pos::BoardDhcp, char(0xFF)));
    return reply;
}

QByteArray rebootAck(quint16 ident)
{
    QByteArray ack(pos::IdentHigh, '0');
    putAt(ack, pos::KindTag, "rzt");
    putAt(ack, pos::IdentTag, "iden");
    putAt(ack, pos::IdentLow, QByteArray(1, char(ident & 0xFF)));
    putAt(ack, pos::IdentHigh, QByteArray(1, char(ident >> 8)));
    return ack;
}

QByteArray announcement(quint16 ident)
{
    QByteArray a("report iden");
    a.append(char(ident & 0xFF));
    a.append(char(ident >> 8));
    return a;
}

QByteArray diagnosticDump(quint16 ident)
{
    QByteArray d("ikl");
    for (int i = 1; i <= 9; ++i)
        d.append(char(i == 2 ? (ident & 0xFF) : i));
    return d;
}

bool versionIsUsable(const QByteArray& version)
{
    return version.size() <= pos::VersionLength && !version.contains('#') && !version.contains("vzo") &&
           !version.contains("otv") && !version.contains("ort") && !version.contains("iden") &&
           !version.contains("VER");
}

SimBoard::SimBoard(const QString& address, const WriteFields& config, const QByteArray& version)
    : address_(address), working_(config), permanent_(config), version_(version)
{
}

Answer SimBoard::handle(const QByteArray& frame)
{
    if (rebooting_)
        return {};
    switch (frameKind(frame)) {
    case FrameKind::ReadWorking:
        return {fixedReply_.isEmpty() ? configReply(working_, version_) : fixedReply_};
    case FrameKind::ReadPermanent:
        return {fixedReply_.isEmpty() ? configReply(permanent_, version_) : fixedReply_};
    case FrameKind::Write:
        if (!takesWrites_)
            return {};
        permanent_ = readConfiguration(frame);
        return {{}, false, true};
    case FrameKind::Reboot:
        rebooting_ = true;
        return {acknowledgesReboot_ ? rebootAck(working_.ident) : QByteArray(), true};
    case FrameKind::Word:
    case FrameKind::Unknown:
        break;
    }
    return {};
}

void SimBoard::finishReboot()
{
    working_ = permanent_;
    rebooting_ = false;
}

namespace {
bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

bool applyKey(BoardDefinition& def, const QString& key, const QString& value, QString* error)
{
    bool ok = true;
    if (key == QLatin1String("ident")) {
        const uint v = value.toUInt(&ok);
        if (!ok || v > 65535)
            return fail(error, QStringLiteral("ident must be 0..65535"));
        def.config.ident = quint16(v);
    }
    else if (key == QLatin1String("version")) {
        def.version = value.toLatin1();
        if (!versionIsUsable(def.version))
            return fail(error,
                        QStringLiteral("version must be at most 30 characters without '#', 'vzo', 'otv', "
                                       "'ort', 'iden' or 'VER'"));
    }
    else if (key == QLatin1String("delay")) {
        const uint v = value.toUInt(&ok);
        if (!ok || v > 600000)
            return fail(error, QStringLiteral("delay must be 0..600000 (ms)"));
        def.replyDelayMs = int(v);
    }
    else if (key == QLatin1String("dhcp") || key == QLatin1String("console") ||
             key == QLatin1String("writes") || key == QLatin1String("ack") ||
             key == QLatin1String("silent")) {
        if (value != QLatin1String("0") && value != QLatin1String("1"))
            return fail(error, key + QStringLiteral(" must be 0 or 1"));
        bool& flag = key == QLatin1String("dhcp")      ? def.config.boardDhcp
                     : key == QLatin1String("console") ? def.config.consoleDynamic
                     : key == QLatin1String("writes")  ? def.takesWrites
                     : key == QLatin1String("silent")  ? def.silent
                                                       : def.acknowledgesReboot;
        flag = value == QLatin1String("1");
    }
    else if (key == QLatin1String("reply")) {
        def.reply = QByteArray::fromHex(value.toLatin1());
        if (def.reply.isEmpty() || def.reply.toHex() != value.toLatin1().toLower())
            return fail(error, QStringLiteral("reply must be bytes in hexadecimal"));
    }
    else if (key == QLatin1String("branch")) {
        const uint v = value.toUInt(&ok);
        if (!ok || v > 255)
            return fail(error, QStringLiteral("branch must be 0..255"));
        def.config.branch = quint8(v);
    }
    else if (key == QLatin1String("mac")) {
        const auto m = parseMac(value);
        if (!m)
            return fail(error, QStringLiteral("mac must look like 00:1E:7F:00:00:02"));
        def.config.mac = *m;
    }
    else {
        Ipv4* target = key == QLatin1String("ip")           ? &def.config.ip
                       : key == QLatin1String("mask")       ? &def.config.mask
                       : key == QLatin1String("gateway")    ? &def.config.gateway
                       : key == QLatin1String("dispatcher") ? &def.config.dispatcher
                                                            : nullptr;
        if (!target)
            return fail(error, QStringLiteral("unknown key '%1'").arg(key));
        const auto ip = parseDottedDecimal(value);
        if (!ip)
            return fail(error, QStringLiteral("%1 must be a dotted address").arg(key));
        *target = octetsOf(*ip);
    }
    return true;
}
} // namespace

std::optional<BoardDefinition> parseBoardDefinition(const QString& text, QString* error)
{
    const QStringList items = text.split(QLatin1Char(','));
    BoardDefinition def;
    def.address = items.value(0).trimmed();
    const auto address = parseDottedDecimal(def.address);
    if (!address) {
        fail(error, QStringLiteral("'%1' is not an IPv4 address").arg(def.address));
        return std::nullopt;
    }
    if (!addressStaysLocal(*address)) {
        fail(error,
             QStringLiteral("%1 is outside 127.0.0.0/8: the simulator runs on loopback only (any address "
                            "only in a network of loopback alone)")
                 .arg(def.address));
        return std::nullopt;
    }
    def.config.ip = octetsOf(*address);
    def.config.mask = {255, 0, 0, 0};
    def.config.gateway = {127, 0, 0, 1};
    def.config.mac = {0x00, 0x1E, def.config.ip[0], def.config.ip[1], def.config.ip[2], def.config.ip[3]};
    def.version = "2.17";
    for (int i = 1; i < items.size(); ++i) {
        const QString item = items[i].trimmed();
        const auto eq = item.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            fail(error, QStringLiteral("'%1' is not key=value").arg(item));
            return std::nullopt;
        }
        if (!applyKey(def, item.left(eq), item.mid(eq + 1), error))
            return std::nullopt;
    }
    return def;
}

std::optional<QList<BoardDefinition>> parseBoards(const QString& text, QString* error)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const QString rangeText = (comma < 0 ? text : text.left(comma)).trimmed();
    const QString keys = comma < 0 ? QString() : text.mid(comma);
    QString why;
    const auto range = parseAddressRange(rangeText, &why);
    if (!range || range->size() > MaxBoards) {
        fail(error, range ? QStringLiteral("at most %1 boards").arg(MaxBoards) : why);
        return std::nullopt;
    }
    const bool identGiven = keys.contains(QLatin1String(",ident="));
    QList<BoardDefinition> boards;
    for (qint64 i = 0; i < range->size(); ++i) {
        auto def = parseBoardDefinition(dottedText(range->first + quint32(i)) + keys, error);
        if (!def)
            return std::nullopt;
        if (range->size() > 1) // each board of a fleet has an identifier of its own
            def->config.ident = quint16(identGiven ? def->config.ident + i : i + 1);
        boards.append(*def);
    }
    return boards;
}

} // namespace talvik::sim
