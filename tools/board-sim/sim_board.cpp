#include "sim_board.h"

#include "protocol/board_address.h"
#include "protocol/hex_codec.h"
#include "replies/datagram.h"

namespace talvik::sim {

FrameKind frameKind(const QByteArray& f)
{
    if (f.size() == WriteFrameLength && textAt(f, 60, "epwr"))
        return FrameKind::Write;
    if (f.size() == ReadFrameLength && textAt(f, 60, "epr"))
        return byteAt(f, 63) == 'd' ? FrameKind::ReadPermanent : FrameKind::ReadWorking;
    if (f.size() == RebootFrameLength && textAt(f, 1, "rzt"))
        return FrameKind::Reboot;
    if (f.size() == WordFrameLength && (textAt(f, 1, "msi") || textAt(f, 1, "vsi")))
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

namespace {
Ipv4 ipAt(const QByteArray& f, int p)
{
    return {byteAt(f, p), byteAt(f, p + 1), byteAt(f, p + 2), byteAt(f, p + 3)};
}
} // namespace

WriteFields parseWriteFrame(const QByteArray& f)
{
    WriteFields w;
    w.dispatcher = ipAt(f, 1);
    w.ip = ipAt(f, 5);
    w.mask = ipAt(f, 9);
    w.gateway = ipAt(f, 13);
    for (int i = 0; i < 6; ++i)
        w.mac[i] = byteAt(f, 17 + i);
    w.branch = byteAt(f, 25);
    w.ident = quint16(byteAt(f, 30) | (byteAt(f, 31) << 8));
    w.consoleDynamic = byteAt(f, 32) != 0;
    w.reserve1 = ipAt(f, 33);
    w.reserve2 = ipAt(f, 37);
    w.boardDhcp = byteAt(f, 76) != 0;
    return w;
}

QByteArray configReply(const WriteFields& config, const QByteArray& version)
{
    QByteArray reply = configFields(config);
    reply.append(2, '\0');
    reply.append("VER", 3);
    reply.append(version.left(30));
    if (version.size() < 30)
        reply.append('#');
    reply.append(75 - reply.size(), '\0');
    reply.append(config.boardDhcp ? '1' : '\0');
    reply.append(4, char(0xFF));
    return reply;
}

QByteArray rebootAck(quint16 ident)
{
    QByteArray ack("rzt");
    ack.append(22, '0');
    ack.append("iden", 4);
    ack.append(char(ident & 0xFF));
    ack.append(char(ident >> 8));
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
    return version.size() <= 30 && !version.contains('#') && !version.contains("vzo") &&
           !version.contains("otv") && !version.contains("ort") && !version.contains("iden") &&
           !version.contains("VER");
}

bool replyIsReadable(const QByteArray& reply)
{
    return passesConfigGate(reply);
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
        return {configReply(working_, version_)};
    case FrameKind::ReadPermanent:
        return {configReply(permanent_, version_)};
    case FrameKind::Write:
        permanent_ = parseWriteFrame(frame);
        return {};
    case FrameKind::Reboot:
        rebooting_ = true;
        return {rebootAck(working_.ident), true};
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
std::optional<Ipv4> ipv4(const QString& text)
{
    const auto a = parseDottedDecimal(text);
    if (!a)
        return std::nullopt;
    return Ipv4{quint8(*a >> 24), quint8(*a >> 16), quint8(*a >> 8), quint8(*a)};
}

std::optional<Mac> mac(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 6)
        return std::nullopt;
    Mac m{};
    for (int i = 0; i < 6; ++i) {
        if (parts[i].size() != 2 || ByteToHexPair(HexPairToByte(parts[i].toUpper())) != parts[i].toUpper())
            return std::nullopt;
        m[i] = HexPairToByte(parts[i].toUpper());
    }
    return m;
}

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
    else if (key == QLatin1String("dhcp") || key == QLatin1String("console")) {
        if (value != QLatin1String("0") && value != QLatin1String("1"))
            return fail(error, key + QStringLiteral(" must be 0 or 1"));
        (key == QLatin1String("dhcp") ? def.config.boardDhcp : def.config.consoleDynamic) = value == "1";
    }
    else if (key == QLatin1String("branch")) {
        const uint v = value.toUInt(&ok);
        if (!ok || v > 255)
            return fail(error, QStringLiteral("branch must be 0..255"));
        def.config.branch = quint8(v);
    }
    else if (key == QLatin1String("mac")) {
        const auto m = mac(value);
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
        const auto ip = ipv4(value);
        if (!ip)
            return fail(error, QStringLiteral("%1 must be a dotted address").arg(key));
        *target = *ip;
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
    if (!isLoopback(*address)) {
        fail(error, QStringLiteral("%1 is outside 127.0.0.0/8: the simulator runs on loopback only")
                        .arg(def.address));
        return std::nullopt;
    }
    def.config.ip = *ipv4(def.address);
    def.config.mask = {255, 0, 0, 0};
    def.config.gateway = {127, 0, 0, 1};
    def.config.mac = {0x00, 0x1E, def.config.ip[0], def.config.ip[1], def.config.ip[2], def.config.ip[3]};
    def.version = "2.17";
    for (int i = 1; i < items.size(); ++i) {
        const QString item = items[i].trimmed();
        const int eq = item.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            fail(error, QStringLiteral("'%1' is not key=value").arg(item));
            return std::nullopt;
        }
        if (!applyKey(def, item.left(eq), item.mid(eq + 1), error))
            return std::nullopt;
    }
    return def;
}

} // namespace talvik::sim
