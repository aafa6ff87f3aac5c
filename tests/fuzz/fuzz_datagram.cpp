// Every reading function over arbitrary bytes, with the invariants the window relies on.

#include "wire/datagram.h"

#include <cstdint>
#include <cstdlib>

using namespace talvik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray d = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    for (int p = -2; p <= int(size) + 2; ++p)
        byteAt(d, p);
    if (const auto dump = diagnosticDump(d); dump && !dump->endsWith(QLatin1Char('#')))
        abort();
    if (const auto ident = identifierField(d); ident && (*ident < 0 || *ident > 65535))
        abort();
    const ReplyKind kind = classify(d);
    if (kind != ReplyKind::Other && (size > 100 || !d.contains("iden")))
        abort();
    if (const auto block = identBlock(d); block && (block->ident < 0 || block->ident > 65535))
        abort();
    branchNumber(d);
    if (const auto version = versionText(d); version && version->size() > 30)
        abort();
    return 0;
}
