#pragma once
// One simulated lift-controller board: a working and a permanent configuration, a
// firmware version, and how it answers each frame. No sockets here.

#include "wire/frames.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace talvik::sim {

enum class FrameKind { ReadWorking, ReadPermanent, Write, Reboot, Word, Unknown };

FrameKind frameKind(const QByteArray& frame);
QString frameKindName(FrameKind kind);

constexpr int ConfigReplyLength = 80;
// The configuration block, "VER" and the version ended by '#', the DHCP flag, 0xFF
// to the end: what a board answers to a read frame.
QByteArray configReply(const WriteFields& config, const QByteArray& version);
// "rzt", then "iden" and the identifier where the configuration block has them.
QByteArray rebootAck(quint16 ident);
// Carries the identifier field for identifier mode, and "report" so it is never
// taken for a configuration reply.
QByteArray announcement(quint16 ident);
// "ikl" and nine status bytes.
QByteArray diagnosticDump(quint16 ident);

// True when the text may stand in a reply (none of the tags the configurator
// treats as "not a configuration reply", no '#', at most 30 characters).
bool versionIsUsable(const QByteArray& version);

struct Answer {
    QByteArray reply; // empty: no answer
    bool startReboot = false;
    bool stored = false; // a write taken into the permanent memory
};

class SimBoard {
  public:
    SimBoard(const QString& address, const WriteFields& config, const QByteArray& version);

    Answer handle(const QByteArray& frame);
    void finishReboot(); // the permanent configuration becomes the working one

    const QString& address() const { return address_; }
    const WriteFields& working() const { return working_; }
    const WriteFields& permanent() const { return permanent_; }
    const QByteArray& version() const { return version_; }
    bool rebooting() const { return rebooting_; }
    // A board whose memory refuses writes, that reboots without a word, or that answers
    // every read with the same bytes (a short or broken reply; empty: its configuration).
    void setBehaviour(bool takesWrites, bool acknowledgesReboot, const QByteArray& fixedReply = {})
    {
        takesWrites_ = takesWrites;
        acknowledgesReboot_ = acknowledgesReboot;
        fixedReply_ = fixedReply;
    }

  private:
    QString address_;
    WriteFields working_;
    WriteFields permanent_;
    QByteArray version_;
    bool rebooting_ = false;
    bool takesWrites_ = true;
    bool acknowledgesReboot_ = true;
    QByteArray fixedReply_;
};

// "127.0.0.2,ident=1234,version=2.17,dhcp=0": nullopt and a reason when it is not valid.
struct BoardDefinition {
    QString address;
    WriteFields config;
    QByteArray version;
    bool takesWrites = true;        // key writes=0: the board ignores write frames
    bool acknowledgesReboot = true; // key ack=0: it reboots without answering
    QByteArray reply;               // key reply=HEX: every read answered with these bytes
    int replyDelayMs = -1;          // key delay=MS: its answers this late (-1: the fleet's delay)
    bool silent = false;            // key silent=1: it takes no frame and answers none
};
std::optional<BoardDefinition> parseBoardDefinition(const QString& text, QString* error);

// A fleet: "127.0.1.1-127.0.1.250,version=2.17" (or "...-250") with the keys of one
// board; each board gets its own address, MAC and identifier (ident=N: N, N+1, ...;
// without it 1, 2, ...). A single address is a fleet of one.
constexpr int MaxBoards = 4096;
std::optional<QList<BoardDefinition>> parseBoards(const QString& text, QString* error);

} // namespace talvik::sim
