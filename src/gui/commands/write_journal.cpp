// "Записати" in the journal of writes. The window sends no extra frame for it: the memory
// before is the board's permanent memory as this window last read it (or none), and the
// result is its own read-back after the write. A journal that cannot be written does not
// stop the write.

#include "client/configuration_reply.h"
#include "gui/app/TForm1_Config_UDP.h"
#include "wire/board_address.h"

namespace talvik {

namespace {
const QString ByConfigurator = QStringLiteral("configurator");
}

void TForm1_Config_UDP::journalWrite(const QByteArray& frame)
{
    const std::optional<quint32> board = parseDottedDecimal(boardAddressString());
    if (!board || Ch_Box_Conf_IP->isChecked())
        return; // nothing is sent
    const auto before = permanentSeen_.constFind(*board);
    QString why;
    const QString id = journal_.recordWrite(
        *board, ByConfigurator, before == permanentSeen_.cend() ? std::nullopt : std::optional(*before),
        frame, &why);
    if (id.isEmpty())
        qWarning("%s", qPrintable(why));
    journaled_ = {id, *board, frame};
}

void TForm1_Config_UDP::journalReply(const QByteArray& datagram, quint32 sender)
{
    if (classify(datagram) != ReplyKind::Configuration || completeness(datagram) != Completeness::Complete)
        return;
    const BoardConfig read = configFromReply(sender, datagram, Memory::Permanent);
    permanentSeen_.insert(sender, read);
    if (journaled_.id.isEmpty() || journaled_.board != sender)
        return;
    const bool same = differencesAfterWrite(journaled_.frame, read).isEmpty();
    QString why;
    if (!journal_.recordResult(journaled_.id,
                               same ? QStringLiteral("written, verified")
                                    : QStringLiteral("written, the board holds something else"),
                               same, &why))
        qWarning("%s", qPrintable(why));
    journaled_ = {};
}

} // namespace talvik
