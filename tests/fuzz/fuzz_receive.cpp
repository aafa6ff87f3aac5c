// Each input handed to the receive handler of a real offscreen window. The first byte
// chooses identifier mode and the pause flag; the rest is the datagram. In identifier
// mode the list, the records and the log (Memo1) are written too.

#include "window_fixture.h"

#include <QApplication>
#include <cstdint>
#include <cstdlib>

using namespace talvik;
using namespace talvik::test;

namespace {
WindowFixture& fixture()
{
    static int argc = 1;
    static char name[] = "fuzz_receive";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
    static WindowFixture* f = new WindowFixture;
    return *f;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WindowFixture& f = fixture();
    auto& w = *f.window;
    const quint8 mode = size ? data[0] : 0;
    w.Ch_Box_Conf_IP->setChecked(mode & 1);
    w.Panel5->setProperty("Tag", (mode >> 1) & 1);
    const QByteArray datagram =
        size ? QByteArray(reinterpret_cast<const char*>(data) + 1, int(size) - 1) : QByteArray();
    f.link.deliver(datagram, QStringLiteral("127.0.0.%1").arg(mode), quint16(size));
    QCoreApplication::sendPostedEvents(); // the identifier-mode log reaches Memo1 here
    if (w.identRecords().size() > 256 || w.CoBox_Iden->count() > 256 || w.Memo1->blockCount() > 10000)
        abort();
    if (!f.messages.messages.isEmpty() || !f.messages.errors.isEmpty())
        abort(); // a datagram never raises a message
    return 0;
}
