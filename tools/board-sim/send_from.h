#pragma once
// A datagram sent from a socket bound to every address as if from one of them: the answer of
// a board whose frame reached the shared socket leaves from the board's own address.

#include <QByteArray>
#include <QHostAddress>

class QUdpSocket;

namespace talvik::sim {

// False when it could not be sent.
bool sendFrom(QUdpSocket& socket, const QHostAddress& source, const QHostAddress& to, quint16 port,
              const QByteArray& data);

} // namespace talvik::sim
