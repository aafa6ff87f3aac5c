// Every datagram on the listening port: status labels, identifier mode, and the
// configuration-bearing replies handed to the read-back group.

#include "app/TForm1_Config_UDP.h"
#include "app/texts.h"
#include "replies/datagram.h"
#include "replies/log_time.h"
#include "ui/clickable.h"
#include "ui/rows.h"
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

void TForm1_Config_UDP::identBookkeeping(int ident, const QString& senderAddress, quint16 senderPort)
{
    const QString identText = QString::number(ident);
    appendLog(QStringLiteral("Ind - %1 * IP - %2 * Port - %3 - Tim - %4")
                  .arg(identText, senderAddress, QString::number(senderPort), longTimeNow()));

    const IdentRecord record{ident, senderAddress, senderPort};
    // The records and the list hold the same identifiers; the records answer faster.
    if (identRecords_.contains(ident)) {
        identRecords_.put(record);
        if (CoBox_Iden->currentText() == identText)
            copyRecordToEditors(record);
        return;
    }
    // A full store takes no new identifier; known ones keep being updated.
    if (!identRecords_.put(record))
        return;
    const bool hadSelection = CoBox_Iden->currentIndex() >= 0;
    int at = 0;
    while (at < CoBox_Iden->count() && QString::compare(CoBox_Iden->itemText(at), identText) < 0)
        ++at;
    CoBox_Iden->insertItem(at, identText);
    if (!hadSelection) {
        copyRecordToEditors(record);
        CoBox_Iden->setCurrentIndex(at);
    }
}

void TForm1_Config_UDP::copyRecordToEditors(const IdentRecord& record)
{
    const QStringList parts = record.address.split(QLatin1Char('.'));
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        Ed_0->octet(i)->setValueText(parts.at(i));
    CurEd_Port->setValue(record.port);
}

void TForm1_Config_UDP::appendLog(const QString& line)
{
    // Lines reach Memo1 together once the datagrams at hand are handled: laying out
    // the log once per batch instead of once per datagram keeps up with many boards.
    pendingLog_.append(line);
    if (pendingLog_.size() > Memo1->maximumBlockCount())
        pendingLog_.removeFirst();
    if (!logFlushQueued_) {
        logFlushQueued_ = true;
        QMetaObject::invokeMethod(
            this, [this] { flushLog(); }, Qt::QueuedConnection);
    }
}

void TForm1_Config_UDP::flushLog()
{
    logFlushQueued_ = false;
    if (pendingLog_.isEmpty())
        return;
    Memo1->appendPlainText(pendingLog_.join(QLatin1Char('\n')));
    pendingLog_.clear();
}

} // namespace talvik
