#pragma once
// Which datagram a read request takes for its reply: a configuration reply carrying at
// least what the caller needs (the whole block, or the block and a version).

#include "board/reason.h"
#include "wire/board_address.h"
#include "wire/datagram.h"

#include <QHash>
#include <QString>
#include <functional>

namespace talvik {

// What the best reply that fell short carried.
struct ShortReply {
    Completeness has = Completeness::Partial;
    qsizetype bytes = 0;
};
using ShortReplies = QHash<BoardAddress, ShortReply>;

// A reply that falls short is not taken (a better one may still come); `shortOf`, when
// given, notes per board what it lacked, to name when nothing better came.
std::function<bool(BoardAddress, const QByteArray&)> acceptConfiguration(Completeness needed,
                                                                         ShortReplies* shortOf);

// Why a board gave no answer worth taking: NoReply, ShortReply (with the bytes that came)
// or NoVersion.
Reason whyNoAnswer(const ShortReplies& shortOf, BoardAddress board, qsizetype* bytes = nullptr);
// The same in the words talvikctl prints and the journal keeps: "no reply", "incomplete
// reply (4 bytes)", "no version in the reply, so no DHCP flag".
QString noAnswerText(Reason why, qsizetype bytes);

} // namespace talvik
