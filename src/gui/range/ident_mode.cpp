// Identifier mode: boards listed by the identifier they report, picked instead of typed.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/log_time.h"
#include "gui/widgets/clickable.h"
#include "gui/widgets/rows.h"
#include "gui/widgets/tag.h"
#include "wire/board_address.h"

namespace talvik {

void TForm1_Config_UDP::Ch_Box_Conf_IPClick(QObject*)
{
    const bool on = Ch_Box_Conf_IP->isChecked();
    CoBox_Iden->clear();
    identRecords_.clear();
    Memo1->clear();
    pendingLog_.clear();
    if (on) {
        savedAddress_ = Ed_0->texts();
        for (int i = 0; i < 4; ++i)
            Ed_0->octet(i)->clearValue();
        CurEd_Port->clearValue();
    }
    else {
        CurEd_Port->setValue(8026);
        for (int i = 0; i < 4; ++i)
            Ed_0->octet(i)->setValueText(savedAddress_.value(i));
    }
    for (QWidget* w :
         {static_cast<QWidget*>(CoBox_Iden), static_cast<QWidget*>(Lab_Iden), static_cast<QWidget*>(Pan_Port),
          static_cast<QWidget*>(Lab_Port), static_cast<QWidget*>(Memo1)})
        w->setVisible(on);
    Lab_IP1->setVisible(!on);
    Lab_IP2->setVisible(!on);
    CurEd_Port->setReadOnly(true);
}

void TForm1_Config_UDP::CoBox_IdenChange(QObject*)
{
    const QString picked = CoBox_Iden->currentText();
    bool ok = false;
    const int ident = picked.toInt(&ok);
    if (!ok)
        return;
    if (const auto record = identRecords_.find(ident))
        copyRecordToEditors(*record);
}

void TForm1_Config_UDP::CurEd_PortDblClick(QObject*)
{
    CurEd_Port->setReadOnly(!CurEd_Port->isReadOnly());
}

void TForm1_Config_UDP::Panel5Click(QObject*)
{
    const int paused = tagOf(Panel5) == 0 ? 1 : 0;
    setTag(Panel5, paused);
    Panel5->setText(paused ? tr("Stop") : tr("Pusk"));
}

void TForm1_Config_UDP::identBookkeeping(int ident, quint32 sender, quint16 senderPort)
{
    const QString senderAddress = dottedText(sender);
    const QString identText = QString::number(ident);
    appendLog(tr("Ind - %1 * IP - %2 * Port - %3 - Tim - %4")
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
