// Feeds arbitrary bytes through the gate link's framing, code page and line handling while one segment is being
// sent: replies, centre answers, reports and messages in any order. However the lines come, the segment ends with
// exactly one word to its window (taken, refused or failed) once the link is dropped and its queue has drained.
#include "GateHarness.h"
#include "QuietLogging.h"
#include "settings/CodePage.h"
#include "sms/GateLineFramer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    silenceProgramLogging();
    GateHarness h;
    h.link.connectToServer();
    h.socket.connected = true;
    h.link.onConnected();
    h.link.claim(&h.window);
    h.link.sendSegment(QStringLiteral("600123456"), QStringLiteral("Hello"), (size & 1) != 0, 167);

    GateLineFramer framer;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& line : framer.feed(bytes)) {
        h.tick();
        h.link.onLine(CodePage::fromCp852(line));
    }
    h.link.onClosedByServer();
    for (int i = 0; i < 64 && !h.link.sendQueue().isEmpty(); ++i) {
        h.tick();
    }
    const qsizetype outcomes = h.window.accepted.size() + h.window.rejected + h.window.failures.size();
    if (outcomes != 1 || !h.link.pending().isEmpty()) {
        std::abort();
    }
    return 0;
}
