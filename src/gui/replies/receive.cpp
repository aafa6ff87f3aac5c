// Every datagram on the listening port: status labels, identifier mode, and the
// configuration-bearing replies handed to the read-back group.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/clickable.h"
#include "gui/widgets/tag.h"
#include "wire/board_address.h"
#include "wire/datagram.h"

namespace talvik {

void TForm1_Config_UDP::receiveBatch(const QList<Datagram>& datagrams)
{
    // A nested event loop inside a batch (an error's message box) may bring the next
    // batch: it waits its turn, so it can neither wipe nor half-show this one.
    laterBatches_.append(datagrams);
    if (batchDepth_ > 0)
        return;
    while (!laterBatches_.isEmpty()) {
        const QList<Datagram> batch = laterBatches_.takeFirst();
        ++batchDepth_;
        startReceived();
        for (const Datagram& d : batch) {
            if (!link_->isListening())
                break; // the listening socket was closed meanwhile (the window closing)
            guarded([&] { IdUDPServer_ConfUDPRead(d.data, d.sender, d.port); });
        }
        guarded([this] { showReceived(); });
        --batchDepth_;
    }
}

void TForm1_Config_UDP::IdUDPServer_ConfUDPRead(const QByteArray& datagram, quint32 sender,
                                                quint16 senderPort)
{
    const bool alone = batchDepth_ == 0; // not part of a batch: shown at once
    if (alone)
        startReceived();
    ++received_.count;
    ++received_.received;
    received_.sender = sender;
    received_.senderPort = senderPort;
    if (Ch_Box_Conf_IP->isChecked() && tagOf(Panel5) == 0)
        identBookkeeping(identifierField(datagram).value_or(0), sender, senderPort);
    if (askedMemory_ == Memory::Permanent && sender == askedBoard_)
        journalReply(datagram, sender);
    takeDatagram(received_, datagram, !awaitedElsewhere(datagram, sender));
    if (alone)
        showReceived();
}

bool TForm1_Config_UDP::awaitedElsewhere(const QByteArray& datagram, quint32 sender) const
{
    if (!awaitedElsewhere_)
        return false;
    const bool askedHere = sender == askedBoard_ && askedAt_.isValid() && askedAt_.elapsed() < OwnAnswerMs;
    return !askedHere && awaitedElsewhere_(sender, datagram);
}

} // namespace talvik
