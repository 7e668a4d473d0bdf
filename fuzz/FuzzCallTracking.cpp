// Feeds arbitrary exchange lines through the link's dispatcher into call tracking and the services' reply
// handling, with telephone operations chosen by the input in between, and checks what a call must never do: a
// release leaves no call open, and no call is written to the history twice.
#include "CallHarness.h"
#include "QuietLogging.h"

#include <cstdint>
#include <cstdlib>

namespace {

void runOperation(TelephoneServices& services, unsigned char choice)
{
    switch (choice % 8) {
    case 0:
        services.answer();
        break;
    case 1:
        services.putDown();
        break;
    case 2:
        services.dialDigits(QStringLiteral("600123"));
        break;
    case 3:
        services.park();
        break;
    case 4:
        services.reject();
        break;
    case 5:
        services.dial(QStringLiteral("/123456789012345678"));
        break;
    case 6:
        services.maliciousCall();
        break;
    default:
        services.setForwarding(choice % 2 == 0);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    silenceProgramLogging();
    CallHarness harness;
    CallHarness* const link = &harness;
    link->settings.Audio.NagrywanieWlaczone = (size % 2) == 0;

    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    LineFramer framer;
    QList<QByteArray> lines;
    framer.feed(bytes, lines);
    for (const QByteArray& line : lines) {
        // A line that starts with a control-like '~' runs an operation instead of arriving from the exchange.
        if (line.startsWith('~') && line.size() > 1) {
            runOperation(link->calls.services(), static_cast<unsigned char>(line[1]));
            continue;
        }
        const qsizetype rowsBefore = link->history.entries.size();
        link->receive(CodePage::fromWindows1250(line));
        const CallState& state = link->calls.state();
        if (line.startsWith("aREL 21__") && (!state.record.closed || state.flags.connected)) {
            std::abort();
        }
        if (link->history.entries.size() > rowsBefore + 1) {
            std::abort();
        }
    }
    return 0;
}
