#pragma once
// What the client library reports (field names, a reply that fell short, an address no
// board can use), in the fleet window's Ukrainian.

#include "client/configuration_reply.h"
#include "client/write_checks.h"

#include <QString>
#include <QStringList>

namespace talvik::fleet {

// Column titles of talvikctl's field names ("ip, ident": "IP, Ідентифікатор").
QString fieldTitles(const QStringList& fields);
// Why a board's answer was not taken; empty when it gave none.
QString shortReplyText(const ShortReplies& shortOf, quint32 board);
// "IP 0.0.0.0 — не адреса вузла; маска ...": empty when the board stays in reach.
QString ipProblemsText(const WriteFields& fields, quint32 board);

} // namespace talvik::fleet
