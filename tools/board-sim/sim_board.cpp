#include "sim_board.h"

#include "protocol/board_address.h"
#include "protocol/hex_codec.h"

namespace talvik::sim {

FrameKind frameKind(const QByteArray& f)
{
    if (f.size() == WriteFrameLength && textAt(f, pos::WriteTag, "epwr"))
        return FrameKind::Write;
    if (f.size() == ReadFrameLength && textAt(f, pos::ReadTag, "epr"))
        return byteAt(f, pos::ReadLetter) == 'd' ? FrameKind::ReadPermanent : FrameKind::ReadWorking;
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
    return version.size() <= 30 && !version.contains('#') && !version.contains("vzo") &&
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
        return {configReply(working_, version_)};
    case FrameKind::ReadPermanent:
        return {configReply(permanent_, version_)};
    case FrameKind::Write:
        permanent_ = readConfiguration(frame);
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
        (key == QLatin1String("dhcp") ? def.config.boardDhcp : def.config.consoleDynamic) =
            value == QLatin1String("1");
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

} // namespace talvik::sim
