#include "wire/board_address.h"

#include "wire/hex_codec.h"

#include <QRegularExpression>
#include <QSet>

namespace talvik {

QString joinOctets(const QStringList& texts)
{
    return texts.join(QLatin1Char('.'));
}

bool isZeroAddress(const QStringList& texts)
{
    for (const QString& t : texts)
        if (t != QLatin1String("000"))
            return false;
    return true;
}

std::optional<quint32> parseDottedDecimal(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    quint32 address = 0;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        uint value = 0;
        for (QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
            value = value * 10 + uint(c.unicode() - '0');
        }
        if (value > 255)
            return std::nullopt;
        address = (address << 8) | value;
    }
    return address;
}

bool isLoopback(quint32 address)
{
    return (address >> 24) == 127;
}

Ipv4 octetsOf(quint32 address)
{
    return {quint8(address >> 24), quint8(address >> 16), quint8(address >> 8), quint8(address)};
}

quint32 addressOf(const Ipv4& o)
{
    return quint32(o[0]) << 24 | quint32(o[1]) << 16 | quint32(o[2]) << 8 | o[3];
}

QString dottedText(const Ipv4& o)
{
    // Written out by hand: a survey of ten thousand boards makes a hundred thousand of these.
    char text[16];
    int at = 0;
    for (int i = 0; i < 4; ++i) {
        const quint8 v = o[size_t(i)];
        if (v >= 100)
            text[at++] = char('0' + v / 100);
        if (v >= 10)
            text[at++] = char('0' + v / 10 % 10);
        text[at++] = char('0' + v % 10);
        if (i < 3)
            text[at++] = '.';
    }
    return QString::fromLatin1(text, at);
}

QString dottedText(quint32 address)
{
    return dottedText(octetsOf(address));
}

std::optional<AddressRange> parseAddressRange(const QString& text, QString* why)
{
    const auto fail = [&](const QString& reason) -> std::optional<AddressRange> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    constexpr int Longest = 31; // "255.255.255.255-255.255.255.255"
    if (text.size() > Longest)  // a message quotes no more of it than that
        return fail(QStringLiteral("'%1…' is too long for an address or a range").arg(text.left(Longest)));
    if (const qsizetype slash = text.indexOf(QLatin1Char('/')); slash >= 0) { // a network as CIDR
        const auto address = parseDottedDecimal(text.left(slash));
        bool ok = false;
        const int prefix = text.mid(slash + 1).toInt(&ok, 10);
        if (!address || !ok || prefix < 0 || prefix > 32 || text.mid(slash + 1).size() > 2)
            return fail(QStringLiteral("'%1' is not a network (an address, '/' and a prefix length 0..32)")
                            .arg(text));
        const quint32 mask = prefix == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix);
        const quint32 network = *address & mask, broadcast = network | ~mask;
        if (prefix >= 31)
            return AddressRange{network, broadcast, prefix};
        return AddressRange{network + 1, broadcast - 1, prefix};
    }
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    const QString firstText = dash < 0 ? text : text.left(dash);
    const auto first = parseDottedDecimal(firstText);
    if (!first)
        return fail(
            QStringLiteral("'%1' is not an IPv4 address (four decimal numbers 0..255)").arg(firstText));
    if (dash < 0)
        return AddressRange{*first, *first};
    const QString lastText = text.mid(dash + 1);
    std::optional<quint32> last = parseDottedDecimal(lastText);
    if (!last && !lastText.isEmpty() && lastText.size() <= 3) { // the last octet only
        bool ok = false;
        const uint octet = lastText.toUInt(&ok, 10);
        if (ok && octet <= 255)
            last = (*first & 0xFFFFFF00u) | octet;
    }
    if (!last)
        return fail(QStringLiteral("'%1' is not an IPv4 address or a last octet 0..255").arg(lastText));
    if (*last < *first)
        return fail(QStringLiteral("the range %1 ends before it starts").arg(text));
    return AddressRange{*first, *last};
}

AddressUse addressUse(quint32 address, int prefix)
{
    if (address == 0)
        return AddressUse::Zero;
    if (address == 0xFFFFFFFFu)
        return AddressUse::Broadcast;
    if (address >= 0xE0000000u) // 224.0.0.0: multicast, then reserved
        return AddressUse::Multicast;
    if (prefix > 0 && prefix <= 30) { // a /31 or /32 has no network or broadcast address
        const quint32 host = 0xFFFFFFFFu >> prefix;
        if ((address & host) == 0 || (address & host) == host)
            return AddressUse::NetworkOrBroadcast;
    }
    return AddressUse::Board;
}

QString networkText(quint32 address, int prefix)
{
    const quint32 mask = prefix == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix);
    return QStringLiteral("%1/%2").arg(dottedText(address & mask)).arg(prefix);
}

QList<HostLine> hostEntries(const QByteArray& text)
{
    QList<HostLine> lines;
    int number = 0;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        ++number;
        const QByteArrayView raw(text.constData() + start, end - start);
        const qsizetype hash = raw.indexOf('#');
        const QString line = QString::fromUtf8(hash < 0 ? raw : raw.first(hash)).trimmed();
        if (!line.isEmpty())
            lines.append({line, number});
        start = end + 1;
    }
    return lines;
}

QStringList hostLines(const QByteArray& text)
{
    QStringList lines;
    for (const HostLine& line : hostEntries(text))
        lines.append(line.text);
    return lines;
}

std::optional<QList<BoardAddress>> boardsOf(const QStringList& texts, BoardsProblem* problem, qint64 most,
                                            const std::function<int(quint32)>& prefixOf)
{
    QList<BoardAddress> out;
    QSet<quint32> seen;
    int index = -1;
    const auto fail = [&](BoardsProblem::Kind kind, const QString& text, const QString& reason = {},
                          quint32 address = 0, AddressUse use = AddressUse::Board,
                          int prefix = 24) -> std::optional<QList<BoardAddress>> {
        if (problem)
            *problem = {kind, text, reason, address, use, prefix, index};
        return std::nullopt;
    };
    for (const QString& text : texts) {
        ++index;
        QString why;
        const auto range = parseAddressRange(text, &why);
        if (!range)
            return fail(BoardsProblem::NotAnAddress, text, why);
        const auto prefixFor = [&](quint32 a) {
            if (range->prefix > 0)
                return range->prefix;
            const int known = prefixOf ? prefixOf(a) : 0;
            return known > 0 ? known : 24;
        };
        for (quint32 end : {range->first, range->last})
            if (const AddressUse use = addressUse(end, prefixFor(end)); use != AddressUse::Board)
                return fail(BoardsProblem::NotABoard, text, {}, end, use, prefixFor(end));
        if (range->size() + out.size() > most)
            return fail(BoardsProblem::TooMany, text);
        for (quint32 a = range->first;; ++a) {
            // Inside a range, a network's own addresses are passed over: 10.1.0.255 is a board's
            // in a /23, and no board's in a /24.
            if (!seen.contains(a) && addressUse(a, prefixFor(a)) == AddressUse::Board) {
                seen.insert(a);
                out.append(BoardAddress(a));
            }
            if (a == range->last)
                break;
        }
    }
    return out;
}

std::optional<Mac> parseMac(const QString& text)
{
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[:-]")));
    if (parts.size() != 6)
        return std::nullopt;
    Mac mac{};
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const uint value = parts[i].toUInt(&ok, 16);
        if (parts[i].size() != 2 || !ok)
            return std::nullopt;
        mac[size_t(i)] = quint8(value);
    }
    return mac;
}

QString macText(const Mac& mac)
{
    static const char digits[] = "0123456789ABCDEF";
    char text[17];
    for (size_t i = 0; i < mac.size(); ++i) {
        text[3 * i] = digits[mac[i] >> 4];
        text[3 * i + 1] = digits[mac[i] & 15];
        if (i + 1 < mac.size())
            text[3 * i + 2] = ':';
    }
    return QString::fromLatin1(text, 17);
}

} // namespace talvik
