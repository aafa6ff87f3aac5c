#pragma once
// What the receive handler writes into the window, kept as plain values while a batch
// of datagrams is handled and shown once at its end: a burst of replies costs one
// update of the window instead of one per datagram, and shows exactly what handling
// them one by one would leave. Values the batch did not write stay unset.

#include "wire/datagram.h"
#include "wire/frames.h"

#include <QString>
#include <array>
#include <optional>

namespace talvik {

struct ReceivedView {
    // The status labels.
    qint64 count = 0;   // LabIn: read from the label when the batch starts
    int received = 0;   // datagrams in this batch
    quint32 sender = 0; // IPv4
    quint16 senderPort = 0;
    std::optional<int> ident;        // LabIdent
    std::optional<QString> dump;     // Label5
    bool rebootAcknowledged = false; // EditRs

    // The read-back group: octets of ED_6, ED_7, ED_8, ED_9 (positions 1..16), MAC bytes.
    std::array<std::optional<quint8>, 16> addresses{};
    std::array<std::optional<quint8>, 6> mac{};
    std::optional<IdentBlock> identBlock; // CurrencyEdit1, CheckBox3, ED_61, ED_62
    std::optional<int> branch;            // Str_NL_R

    // The address-type and version display; read from the window when the batch starts.
    bool typeShown = false;      // it ran in this batch
    bool consoleDynamic = false; // CheckBox3
    QString version;             // Lab_Ver's caption
    QString versionSuffix;       // what the caption shows after a version read
    bool boardDhcp = false;      // CheckBox5
};

// Steps of the receive handler that depend on the datagram alone: the dump, the
// identifier field, the gate, and for configuration-bearing replies the field
// decoding and the address-type and version display. Without `readBack`, only the
// dump and the identifier: the reply is another window's.
void takeDatagram(ReceivedView& view, const QByteArray& datagram, bool readBack = true);

// The field decoding: positions 1..22 as far as the reply reaches, then 26..40 when
// "iden" stands there.
void decodeFields(ReceivedView& view, const QByteArray& datagram);
// The address-type and version display.
void showTypeAndVersion(ReceivedView& view, const QByteArray& datagram);

} // namespace talvik
