#pragma once
// Arithmetic of the board-range reboot: which board a tick addresses, when the run
// moves to the next board and when it ends. No widgets, no sockets.

#include <QString>
#include <QStringList>

namespace talvik {

class RangeSequencer {
  public:
    enum class Decision { Continue, StopAtCount, StopAtBound, StopByOperator };

    // A new run starts at the first board; the tick phase carries over on purpose,
    // so a run after an interrupted one spends fewer ticks on its first board.
    void start() { offset_ = 0; }
    // One tick done: every third tick moves on to the next board.
    void advance();
    Decision decide(int first, int count, bool running) const;

    quint8 offset() const { return offset_; }
    quint8 phase() const { return phase_; }

    // The board at the current offset, written with three digits per octet so the
    // word frames (which need 15 characters) reach every board of the run.
    QString tickAddress(const QStringList& firstBoardTexts, int first) const;

  private:
    quint8 offset_ = 0;
    quint8 phase_ = 0;
};

} // namespace talvik
