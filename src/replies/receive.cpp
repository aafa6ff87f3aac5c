// Every datagram on the listening port: status labels, identifier mode, and the
// configuration-bearing replies handed to the read-back group.

#include "app/TForm1_Config_UDP.h"
#include "app/texts.h"
#include "replies/datagram.h"
#include "ui/clickable.h"
#include "ui/tag.h"

namespace talvik {

void TForm1_Config_UDP::IdUDPServer_ConfUDPRead(const QByteArray& datagram, const QString& senderAddress,
                                                quint16 senderPort)
{
    LabIn->setText(QString::number(LabIn->text().toLongLong() + 1));

    if (const auto dump = diagnosticDump(datagram))
        Label5->setText(*dump);

    Label_In_IP->setText(senderAddress);
    Label_In_Port->setText(QString::number(senderPort));

    const auto ident = identifierField(datagram);
    if (ident)
        LabIdent->setText(QString::number(*ident));

    if (Ch_Box_Conf_IP->isChecked() && tagOf(Panel5) == 0)
        identBookkeeping(ident.value_or(0), senderAddress, senderPort);

    switch (classify(datagram)) {
    case ReplyKind::Other:
        return;
    case ReplyKind::RebootAck:
        EditRs->setText(texts::RebootAcknowledged);
        break;
    case ReplyKind::StatusOnly:
        break;
    case ReplyKind::Configuration:
        decodeFields(datagram);
        break;
    }
    showTypeAndVersion(datagram);
}

} // namespace talvik
