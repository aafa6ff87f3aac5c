// Writes the seed corpora into the folder given: datagram/ for fuzz_datagram (the bytes of
// a datagram), receive/ for fuzz_receive (a mode byte, then the datagram).

#include "sim_board.h"
#include "wire/frames.h"

#include <QDir>
#include <QFile>

using namespace talvik;

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("datagram"));
    dir.mkpath(QStringLiteral("receive"));
    WriteFields config;
    config.ip = {127, 0, 0, 2};
    config.mask = {255, 0, 0, 0};
    config.ident = 1234;
    config.consoleDynamic = true;
    config.boardDhcp = true;
    const QList<QByteArray> seeds{
        sim::configReply(config, "2.17"),
        sim::configReply(WriteFields{}, QByteArray(30, 'v')),
        sim::rebootAck(1234),
        sim::announcement(77),
        sim::diagnosticDump(5),
        QByteArray("1234567890") + char(4) + "xxxxiden",
        buildReadFrame(Memory::Working),
        buildWriteFrame(config),
        rebootFrame(),
        QByteArray("iden\x01\x02otv", 9),
    };
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    for (int i = 0; i < seeds.size(); ++i) {
        // the receive target's mode byte: identifier mode off, on, and on but paused
        for (char mode : {0, 1, 3})
            if (!write(QStringLiteral("receive/seed-%1-%2").arg(i).arg(int(mode)), char(mode) + seeds[i]))
                return 1;
        if (!write(QStringLiteral("datagram/seed-%1").arg(i), seeds[i]))
            return 1;
    }
    return 0;
}
