// The three ways a datagram leaves the configurator.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/rows.h"
#include "net/link.h"
#include "wire/board_address.h"
#include "wire/frames.h"

namespace talvik {

bool TForm1_Config_UDP::boardAddressRefused()
{
    if (!isZeroAddress(Ed_0->texts()))
        return false;
    showMessage(tr("IP - Плати що конфігуруеться = 000.000.000.000"));
    return true;
}

QString TForm1_Config_UDP::boardAddressString() const
{
    return joinOctets(Ed_0->texts());
}

int TForm1_Config_UDP::configuredPort() const
{
    bool ok = false;
    const int port = CurEd_Port->formattedText().toInt(&ok);
    return ok ? port : 8026;
}

QList<quint16> TForm1_Config_UDP::commandPorts() const
{
    const int port = configuredPort();
    QList<quint16> ports;
    if (port != 0)
        ports << quint16(port);
    return ports << options_.secondPort << options_.thirdPort;
}

bool TForm1_Config_UDP::SendCommandFrame(const QByteArray& frame)
{
    if (Ch_Box_Conf_IP->isChecked())
        return false;
    // The first failure ends this command's sending; the ports after it are skipped.
    return SendFromListener(boardAddressString(), commandPorts(), frame);
}

bool TForm1_Config_UDP::SendFromListener(const QString& host, const QList<quint16>& ports,
                                         const QByteArray& frame)
{
    const auto address = parseDottedDecimal(host);
    if (!address || closed_)
        return false;
    // Sending also restores listening when the port could not be opened before.
    if (!link_->isListening() && !link_->openListener())
        return false;
    askedBoard_ = *address;
    askedAt_.start();
    return link_->sendFromListener(QHostAddress(*address), ports, frame) == ports.size();
}

void TForm1_Config_UDP::SendWordFrame(const QString& word, const QString& host, quint16 port)
{
    if (host.isEmpty() || host == QLatin1String("000.000.000.000") || port == 0 || word.isEmpty() ||
        host.size() != 15 || closed_)
        return;
    clientHost_ = host;
    clientPort_ = port;
    const auto address = parseDottedDecimal(host);
    if (address)
        link_->sendFromClient(QHostAddress(*address), port, padDigits(word.toLatin1()));
}

} // namespace talvik
