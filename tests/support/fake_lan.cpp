#include "fake_lan.h"

#include "wire/board_address.h"

#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>
#include <QtEndian>

#include <fcntl.h>
#include <linux/if_tun.h>
#include <net/if.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace talvik::sim {

struct FakeLan::Tap {
    QString name;
    int fd = -1;
    quint32 address = 0;
    int prefix = 0;
    QSocketNotifier* notifier = nullptr;
    quint32 mask() const { return prefix == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix); }
    quint32 broadcast() const { return (address & mask()) | ~mask(); }
    ~Tap()
    {
        delete notifier;
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {
quint16 be16(const QByteArray& b, int at)
{
    return qFromBigEndian<quint16>(b.constData() + at);
}
quint32 be32(const QByteArray& b, int at)
{
    return qFromBigEndian<quint32>(b.constData() + at);
}
void put16(QByteArray& b, int at, quint16 v)
{
    qToBigEndian(v, b.data() + at);
}
void put32(QByteArray& b, int at, quint32 v)
{
    qToBigEndian(v, b.data() + at);
}

// 02:00 and the four bytes of the address: each board its own, locally administered.
QByteArray macOf(quint32 address)
{
    QByteArray mac(6, '\0');
    mac[0] = 0x02;
    put32(mac, 2, address);
    return mac;
}

quint16 ipChecksum(const QByteArray& header)
{
    quint32 sum = 0;
    for (int i = 0; i + 1 < header.size(); i += 2)
        sum += be16(header, i);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

bool run(const QStringList& args, QString* error)
{
    QProcess ip;
    ip.start(QStringLiteral("ip"), args);
    if (!ip.waitForFinished(5000) || ip.exitCode() != 0) {
        *error =
            QStringLiteral("ip %1: %2").arg(args.join(u' '), QString::fromUtf8(ip.readAllStandardError()));
        return false;
    }
    return true;
}
} // namespace

FakeLan::FakeLan(const QList<LanAdapter>& adapters, QString* error)
{
    error->clear();
    if (!run({"link", "set", "lo", "up"}, error))
        return;
    for (const LanAdapter& a : adapters) {
        auto tap = std::make_shared<Tap>();
        tap->name = a.name;
        const QStringList parts = a.cidr.split(u'/');
        tap->address = parseDottedDecimal(parts.value(0)).value_or(0);
        tap->prefix = parts.value(1).toInt();
        tap->fd = ::open("/dev/net/tun", O_RDWR | O_NONBLOCK);
        ifreq request{};
        request.ifr_flags = IFF_TAP | IFF_NO_PI;
        qstrncpy(request.ifr_name, a.name.toLatin1().constData(), IFNAMSIZ);
        if (tap->fd < 0 || ::ioctl(tap->fd, TUNSETIFF, &request) < 0) {
            *error =
                QStringLiteral("no TAP %1 here: %2").arg(a.name, QString::fromLocal8Bit(strerror(errno)));
            return;
        }
        if (!run({"addr", "add", a.cidr, "brd", "+", "dev", a.name}, error) ||
            !run({"link", "set", a.name, "up"}, error))
            return;
        const int index = int(taps_.size());
        tap->notifier = new QSocketNotifier(tap->fd, QSocketNotifier::Read);
        connect(tap->notifier, &QSocketNotifier::activated, this, [this, index] { readFrom(index); });
        taps_.append(tap);
    }
    if (!taps_.isEmpty()) {
        const Tap& office = *taps_.first();
        if (!run({"route", "add", "default", "via", dottedText((office.address & office.mask()) + 1), "dev",
                  office.name},
                 error))
            return;
    }
}

FakeLan::~FakeLan() = default;

bool FakeLan::addBoards(const QString& adapter, const QString& definitions, QString* error)
{
    int tap = -1;
    for (int i = 0; i < taps_.size(); ++i)
        if (taps_[i]->name == adapter)
            tap = i;
    // The simulator's own parser keeps boards on loopback (it sends from them); these send
    // nothing but through the TAP, so each is read as a loopback one, then moved.
    const qsizetype comma = definitions.indexOf(u',');
    const QString keys = comma < 0 ? QString() : definitions.mid(comma);
    const auto range = parseAddressRange(definitions.left(comma < 0 ? definitions.size() : comma), error);
    if (tap < 0 || !range)
        return false;
    for (quint32 address = range->first;; ++address) {
        auto d = parseBoardDefinition(QStringLiteral("127.0.0.1") + keys, error);
        if (!d)
            return false;
        d->config.ip = octetsOf(address);
        d->config.mac = {0x00, 0x1E, d->config.ip[0], d->config.ip[1], d->config.ip[2], d->config.ip[3]};
        Behind b;
        b.tap = tap;
        b.board = std::make_shared<SimBoard>(dottedText(address), d->config, d->version);
        b.delayMs = std::max(0, d->replyDelayMs);
        boards_.insert(address, b);
        if (address == range->last)
            break;
    }
    return true;
}

SimBoard* FakeLan::board(const QString& address)
{
    const auto it = boards_.find(parseDottedDecimal(address).value_or(0));
    return it == boards_.end() ? nullptr : it->board.get();
}

int FakeLan::framesOutOf(const QString& adapter) const
{
    int n = 0;
    for (const SeenFrame& f : seen)
        n += f.adapter == adapter;
    return n;
}

void FakeLan::readFrom(int tap)
{
    char buffer[2048];
    for (;;) {
        const ssize_t n = ::read(taps_[tap]->fd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        const QByteArray frame(buffer, int(n));
        if (frame.size() < 14)
            continue;
        if (be16(frame, 12) == 0x0806)
            onArp(tap, frame);
        else if (be16(frame, 12) == 0x0800)
            onIpv4(tap, frame);
    }
}

// Who has the address: a board behind this adapter, or the office's router.
void FakeLan::onArp(int tap, const QByteArray& frame)
{
    if (frame.size() < 42 || be16(frame, 20) != 1)
        return;
    const quint32 wanted = be32(frame, 38);
    const Tap& t = *taps_[tap];
    asked[t.name].insert(wanted);
    const bool router = tap == 0 && wanted == (t.address & t.mask()) + 1;
    const auto it = boards_.constFind(wanted);
    if (!router && (it == boards_.constEnd() || it->tap != tap))
        return;
    QByteArray reply = frame.left(42);
    const QByteArray mac = macOf(wanted);
    reply.replace(0, 6, frame.mid(6, 6));
    reply.replace(6, 6, mac);
    put16(reply, 20, 2);
    reply.replace(22, 6, mac);
    put32(reply, 28, wanted);
    reply.replace(32, 10, frame.mid(22, 10)); // the asker's MAC and address
    ::write(t.fd, reply.constData(), size_t(reply.size()));
}

void FakeLan::onIpv4(int tap, const QByteArray& frame)
{
    const int ihl = (frame.size() > 14 ? (quint8(frame[14]) & 0x0F) : 0) * 4;
    if (ihl < 20 || frame.size() < 14 + ihl + 8 || quint8(frame[14 + 9]) != 17)
        return;
    const Tap& t = *taps_[tap];
    const quint32 from = be32(frame, 26), to = be32(frame, 30);
    const int udp = 14 + ihl;
    seen.append({t.name, from, to, be16(frame, udp + 2)});
    asked[t.name].insert(to);
    const QByteArray payload = frame.mid(udp + 8, be16(frame, udp + 4) - 8);
    QList<quint32> addressed;
    if (to == 0xFFFFFFFFu || to == t.broadcast()) {
        for (auto it = boards_.cbegin(); it != boards_.cend(); ++it)
            if (it->tap == tap)
                addressed.append(it.key());
    }
    else if (boards_.contains(to) && boards_[to].tap == tap) {
        addressed.append(to);
    }
    for (quint32 address : addressed) {
        Behind& b = boards_[address];
        const Answer a = b.board->handle(payload);
        if (a.startReboot)
            QTimer::singleShot(300, this, [board = b.board.get()] { board->finishReboot(); });
        if (a.reply.isEmpty())
            continue;
        QTimer::singleShot(b.delayMs, this, [this, tap, address, frame, reply = a.reply] {
            answer(tap, address, frame, reply);
        });
    }
}

// From the board's address and the port asked, to the asker's port and MAC.
void FakeLan::answer(int tap, quint32 board, const QByteArray& request, const QByteArray& reply)
{
    const int ihl = (quint8(request[14]) & 0x0F) * 4;
    const int udp = 14 + ihl;
    QByteArray out(14 + 20 + 8, '\0');
    out.replace(0, 6, request.mid(6, 6));
    out.replace(6, 6, macOf(board));
    put16(out, 12, 0x0800);
    out[14] = char(0x45);
    put16(out, 16, quint16(20 + 8 + reply.size()));
    out[22] = char(64); // TTL
    out[23] = char(17); // UDP
    put32(out, 26, board);
    put32(out, 30, be32(request, 26));
    put16(out, 24, ipChecksum(out.mid(14, 20)));
    put16(out, 34, be16(request, udp + 2));
    put16(out, 36, be16(request, udp));
    put16(out, 38, quint16(8 + reply.size())); // no UDP checksum: 0 is allowed over IPv4
    out += reply;
    ::write(taps_[tap]->fd, out.constData(), size_t(out.size()));
}

} // namespace talvik::sim
