#include "wire/range_sequencer.h"

namespace talvik {

void RangeSequencer::advance()
{
    ++phase_;
    if (phase_ > 2) {
        phase_ = 0;
        ++offset_;
    }
}

RangeSequencer::Decision RangeSequencer::decide(int first, int count, bool running) const
{
    if (count <= offset_)
        return Decision::StopAtCount;
    if (first + offset_ > 254)
        return Decision::StopAtBound;
    if (!running)
        return Decision::StopByOperator;
    return Decision::Continue;
}

QString RangeSequencer::tickAddress(const QStringList& firstBoardTexts, int first) const
{
    const int last = qBound(0, first + offset_, 255);
    return QStringLiteral("%1.%2.%3.%4")
        .arg(firstBoardTexts.value(0), firstBoardTexts.value(1), firstBoardTexts.value(2))
        .arg(last, 3, 10, QLatin1Char('0'));
}

} // namespace talvik
