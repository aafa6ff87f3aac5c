#pragma once
// The board address as the window writes it: four three-digit octets joined by
// dots ("010.000.000.002"). Each part is decimal whatever its leading zeros.

#include "wire/frames.h"

#include <QHashFunctions>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace talvik {

// A board's IPv4 address, as every library above the bytes passes it: never a bare number
// that could be a count, a port or an identifier.
class BoardAddress {
  public:
    constexpr BoardAddress() = default;
    constexpr explicit BoardAddress(quint32 ipv4) : ipv4_(ipv4) {}
    constexpr quint32 ipv4() const { return ipv4_; }
    friend constexpr bool operator==(BoardAddress a, BoardAddress b) { return a.ipv4_ == b.ipv4_; }
    friend constexpr bool operator!=(BoardAddress a, BoardAddress b) { return a.ipv4_ != b.ipv4_; }
    friend constexpr bool operator<(BoardAddress a, BoardAddress b) { return a.ipv4_ < b.ipv4_; }

  private:
    quint32 ipv4_ = 0;
};
inline size_t qHash(BoardAddress a, size_t seed = 0) noexcept
{
    return ::qHash(a.ipv4(), seed);
}

QString joinOctets(const QStringList& threeDigitTexts);
bool isZeroAddress(const QStringList& threeDigitTexts);

// Reads dotted decimal text without any name lookup; nullopt when it is not
// four numbers 0..255.
std::optional<quint32> parseDottedDecimal(const QString& text);
bool isLoopback(quint32 address);
inline bool isLoopback(BoardAddress a)
{
    return isLoopback(a.ipv4());
}

Ipv4 octetsOf(quint32 address);
quint32 addressOf(const Ipv4& octets);
QString dottedText(const Ipv4& octets); // "192.168.1.5", no leading zeros
QString dottedText(quint32 address);
inline QString dottedText(BoardAddress a)
{
    return dottedText(a.ipv4());
}

// "192.168.1.1-192.168.1.250", "192.168.1.1-250" (the last octet), one address, or a network
// as CIDR, "10.1.0.0/23": its hosts, the network and broadcast addresses left out (a /31 or
// /32: every address). A range may run across networks. nullopt, with a reason, when an end
// is no address or the range runs backwards.
struct AddressRange {
    quint32 first = 0;
    quint32 last = 0;
    int prefix = 0; // given as CIDR: its prefix length
    qint64 size() const { return qint64(last) - qint64(first) + 1; }
};
std::optional<AddressRange> parseAddressRange(const QString& text, QString* why = nullptr);

// Where a command to one board may go: never to the zero address, a broadcast address, the
// network or broadcast address of the board's network (by its prefix length: the adapter's
// that reaches it, or a CIDR's; a /24 when neither is known), or a multicast address and above.
enum class AddressUse { Board, Zero, Broadcast, NetworkOrBroadcast, Multicast };
AddressUse addressUse(quint32 address, int prefix = 24);
inline AddressUse addressUse(BoardAddress a, int prefix = 24)
{
    return addressUse(a.ipv4(), prefix);
}
// "10.1.0.0/23": the network of an address under a prefix length.
QString networkText(quint32 address, int prefix);

// The lines of a hosts file: '#' starts a comment, blanks and CRs around a line and empty
// lines are dropped. hostEntries() keeps each line's number (from 1).
struct HostLine {
    QString text;
    int line = 0;
};
QList<HostLine> hostEntries(const QByteArray& text);
QStringList hostLines(const QByteArray& text);

// The most boards one command, survey or table takes: every board of 256 networks.
constexpr qint64 MostBoards = 65536;

// The boards of addresses, ranges and networks, each once, in the order given. An address's
// network is the CIDR's it was given in, else what `prefixOf` says (the adapter that reaches
// it; 0 for none), else its /24: an end of a range that is its network's or broadcast address
// is refused, such an address inside a range is no board and passed over. On the first text
// that names no board, nullopt and what is wrong with it.
struct BoardsProblem {
    enum Kind { NotAnAddress, NotABoard, TooMany } kind = NotAnAddress;
    QString text;                       // the address or range
    QString reason;                     // NotAnAddress: parseAddressRange's
    quint32 address = 0;                // NotABoard: the address
    AddressUse use = AddressUse::Board; // NotABoard: what it is instead
    int prefix = 24;                    // NotABoard: the prefix length it was judged by
    int index = 0;                      // of the text in the list given
};
std::optional<QList<BoardAddress>> boardsOf(const QStringList& texts, BoardsProblem* problem,
                                            qint64 most = MostBoards,
                                            const std::function<int(quint32)>& prefixOf = {});

// Six pairs of hexadecimal digits joined by ':' or '-', either case.
std::optional<Mac> parseMac(const QString& text);
QString macText(const Mac& mac); // "00:1E:C0:A8:01:05"

} // namespace talvik

template <> struct std::hash<talvik::BoardAddress> {
    size_t operator()(talvik::BoardAddress a) const noexcept { return std::hash<quint32>()(a.ipv4()); }
};
