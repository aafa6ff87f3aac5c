#pragma once
// Which datagram a read request takes for its reply: a configuration reply carrying at
// least what the caller needs (the whole block, or the block and a version).

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
using ShortReplies = QHash<quint32, ShortReply>;

// A reply that falls short is not taken (a better one may still come); `shortOf`, when
// given, notes per board what it lacked, to name when nothing better came.
std::function<bool(quint32, const QByteArray&)> acceptConfiguration(Completeness needed,
                                                                    ShortReplies* shortOf);

// Why a board gave no answer, in talvikctl's words: "no reply", "incomplete reply (4 bytes)", ...
QString whyNoAnswer(const ShortReplies& shortOf, quint32 board);

} // namespace talvik
