#include "recording_link.h"

namespace talvik::test {

bool RecordingLink::openListener()
{
    ++opens;
    if (refuseListener)
        return false;
    listening = true;
    return true;
}

bool RecordingLink::sendFromListener(const QHostAddress& host, quint16 port, const QByteArray& datagram)
{
    if (!listening || listenerSends_++ == failSendNumber)
        return false;
    sent.append({SentDatagram::From::Listener, host, port, datagram});
    return true;
}

bool RecordingLink::sendFromClient(const QHostAddress& host, quint16 port, const QByteArray& datagram)
{
    sent.append({SentDatagram::From::Client, host, port, datagram});
    return true;
}

QList<quint16> RecordingLink::ports() const
{
    QList<quint16> out;
    for (const auto& s : sent)
        out << s.port;
    return out;
}

QList<SentDatagram> RecordingLink::fromListener() const
{
    QList<SentDatagram> out;
    for (const auto& s : sent)
        if (s.from == SentDatagram::From::Listener)
            out << s;
    return out;
}

QList<SentDatagram> RecordingLink::fromClient() const
{
    QList<SentDatagram> out;
    for (const auto& s : sent)
        if (s.from == SentDatagram::From::Client)
            out << s;
    return out;
}

} // namespace talvik::test
