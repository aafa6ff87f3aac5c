// Writes the seed corpus for both fuzz targets into the folder given.

#include "protocol/frames.h"
#include "sim_board.h"

#include <QDir>
#include <QFile>

using namespace talvik;

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));
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
        buildReadFrame('C'),
        buildWriteFrame(config),
        rebootFrame(),
        QByteArray("iden\x01\x02otv", 9),
    };
    for (int i = 0; i < seeds.size(); ++i) {
        // the receive target reads a mode byte first: identifier mode on for odd seeds
        QFile f(dir.filePath(QStringLiteral("seed-%1").arg(i)));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(QByteArray(1, char(i % 2)) + seeds[i]);
    }
    return 0;
}
