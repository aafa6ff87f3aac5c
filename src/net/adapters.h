#pragma once
// The PC's network adapters as its IPv4 addresses show them: which are up, the network each
// reaches (its address and prefix), its directed broadcast. A dispatch PC usually has two, the
// office LAN and the lift network; a board is on the network of the adapter that reaches it.

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace talvik {

struct Adapter {
    QString name; // the system's ("eth0", "lift0"; on Windows its friendly name)
    int index = 0;
    quint32 address = 0;
    int prefix = 0;        // 0..32
    quint32 broadcast = 0; // the directed broadcast; 0 for a point-to-point link
    bool loopback = false;
    quint32 mask() const { return prefix == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix); }
    quint32 network() const { return address & mask(); }
    bool reaches(quint32 a) const { return (a & mask()) == network(); }
    // "192.168.10.0/26 · lift0"
    QString networkText() const;
};

// Every IPv4 address of every adapter that is up, loopback last; an adapter with two
// addresses is two entries.
QList<Adapter> adapters();
// By its name or one of its addresses; nothing when none has it.
std::optional<Adapter> findAdapter(const QList<Adapter>& list, const QString& nameOrAddress);
// The adapter whose network holds `address` (the narrowest); nothing when none does.
std::optional<Adapter> adapterReaching(const QList<Adapter>& list, quint32 address);
// Its prefix as adapterReaching() finds it, 0 for none: what the address rules and the
// waits of the request client take (wire/board_address.h, client/board_client.h).
std::function<int(quint32)> prefixesOf(const QList<Adapter>& list);
// The same, with the adapters looked up again when the last look is older than `refreshMs`:
// for a program that runs for long (the window, the exporter) while adapters come and go.
std::function<int(quint32)> livePrefixes(int refreshMs = 10000);
// "eth0 (192.168.1.5/24), lift0 (192.168.10.1/26)": for a message that names them.
QString adapterList(const QList<Adapter>& list);

} // namespace talvik
