// "Записати" in the journal of writes. The window sends no extra frame for it: the memory
// before is the board's permanent memory as this window last read it (or none), and the
// result is its own read-back after the write. A journal that cannot be written does not
// stop the write.

#include "gui/app/TForm1_Config_UDP.h"
#include "journal/journal.h"
#include "wire/board_address.h"

namespace talvik {

namespace {
const QString ByConfigurator = QStringLiteral("configurator");
}

void TForm1_Config_UDP::journalWrite(const QByteArray& frame)
{
    const std::optional<quint32> address = parseDottedDecimal(boardAddressString());
    if (!address || Ch_Box_Conf_IP->isChecked())
        return; // nothing is sent
    const BoardAddress board(*address);
    const auto before = permanentSeen_.constFind(board);
    QString why, job;
    const QString id = journal_.recordSingleWrite(
        ByConfigurator, board, before == permanentSeen_.cend() ? std::nullopt : std::optional(*before), frame,
        &job, &why);
    if (id.isEmpty())
        qWarning("%s", qPrintable(why));
    journaled_ = {id, job, board, frame};
}

void TForm1_Config_UDP::journalReply(const QByteArray& datagram, quint32 sender)
{
    if (classify(datagram) != ReplyKind::Configuration || completeness(datagram) != Completeness::Complete)
        return;
    const BoardAddress board(sender);
    const BoardConfig read = configFromReply(board, datagram, Memory::Permanent);
    permanentSeen_.insert(board, read);
    if (journaled_.id.isEmpty() || journaled_.board != board)
        return;
    WriteResult result; // the kinds every write of the journal has
    if (!differencesAfterWrite(journaled_.frame, read).isEmpty())
        result = {Outcome::Mismatch, Reason::Mismatch, {}, {}};
    QString why;
    if (!journal_.recordSingleResult(journaled_.job, journaled_.id, board, result, &why))
        qWarning("%s", qPrintable(why));
    journaled_ = {};
}

} // namespace talvik
