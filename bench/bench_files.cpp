// Files the program takes in, whoever made them: a huge backup is refused at once, in
// little memory, and nothing is sent.

#include "bench_support.h"

#include <QFile>
#include <QTemporaryDir>

using namespace bench;

namespace {
constexpr int Repetitions = 10;

const char* const Backup = "address=127.0.3.2\nmemory=working\nip=127.0.3.2\nmask=255.0.0.0\n"
                           "router=127.0.0.1\nmac=00:1E:7F:00:03:02\ndhcp=0\nconsole=static\n"
                           "dispatcher=0.0.0.0\nident=0\nreserve1=0.0.0.0\nreserve2=0.0.0.0\n";
} // namespace

void fileFigures(std::vector<Row>& rows)
{
    progress(QStringLiteral("a 1 GiB backup refused"));
    QTemporaryDir dir;
    QFile huge(dir.filePath(QStringLiteral("127.0.3.2.conf")));
    QFile small(dir.filePath(QStringLiteral("small/127.0.3.2.conf")));
    QDir(dir.path()).mkdir(QStringLiteral("small"));
    if (!huge.open(QIODevice::WriteOnly) || !huge.resize(qint64(1) << 30) ||
        !small.open(QIODevice::WriteOnly) || small.write(Backup) < 0) {
        rows.push_back({"refusing a 1 GiB sparse backup", "could not make the file", "-", "-", "-", false});
        return;
    }
    huge.close();
    small.close();
    const QString ctl = tool(QStringLiteral("../tools/talvikctl"));
    Sample ms, mb, floorMs, floorMb;
    bool refused = true;
    for (int r = 0; r < Repetitions; ++r) {
        const Finished f = runToEnd(ctl, {QStringLiteral("apply"), huge.fileName(),
                                          QStringLiteral("--local-port"), QStringLiteral("0")});
        // The floor: the same command on a backup of 200 bytes, read and refused as it
        // stands (a working configuration's), nothing sent.
        const Finished floor = runToEnd(ctl, {QStringLiteral("apply"), small.fileName()});
        refused = refused && f.exit == 2 && floor.exit == 2;
        ms.add(f.ms);
        mb.add(f.peakMb);
        floorMs.add(floor.ms);
        floorMb.add(floor.peakMb);
    }
    rows.push_back(
        {"refusing a 1 GiB sparse backup (talvikctl apply, exit 2, nothing sent; was 55 s, 5.25 GB)",
         ms.text(1) + " ms, " + mb.text(1) + " MB", floorMs.text(1) + " ms, " + floorMb.text(1) + " MB",
         plus(mb.median() - floorMb.median(), 1) + " MB", "< 1 s, <= floor + 5 MB",
         refused && ms.median() < 1000 && mb.median() <= floorMb.median() + 5});
}
