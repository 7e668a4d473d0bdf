// Lines per second through the PBX link's framing, decoding and dispatch, for the mix of lines a busy exchange
// sends: events of this extension and of others, replies, and lines split across reads.
#include "pbxlink/protocol/LineDispatcher.h"
#include "pbxlink/protocol/LineFramer.h"
#include "pbxlink/protocol/PbxEventSink.h"
#include "pbxlink/protocol/ProtocolPeer.h"
#include "settings/CodePage.h"

#include <benchmark/benchmark.h>

namespace {

// The link's peer without a socket or a console: the benchmark measures the protocol, not the log file.
class QuietPeer final : public ProtocolPeer {
public:
    QString extension() const override { return QStringLiteral("21"); }
    bool isOpen() const override { return true; }
    bool writeBytes(const QByteArray&) override { return true; }
    void queueIncomingLine(const QString&) override {}
    void console(const QString&, ConsoleColour) override {}
    void replyReceived(const PbxReply&, const QString&) override { ++replies; }

    int replies = 0;
};

class CountingSink final : public PbxEventSink {
public:
    void handleEvent(const PbxEvent& event) override
    {
        benchmark::DoNotOptimize(event.parameter(0));
        ++events;
    }
    bool conversationEstablished() const override { return false; }

    int events = 0;
};

QByteArray trafficOf(int repetitions)
{
    static const char* const Mix[] = {
        "aRING 21__ 600123456 0 21 0 Jan\\nKowalski\r\n",
        "aRING 34__ 600765432 0 34\r\n",
        "aCONN 21__ 600123456\r\n",
        "aECHO 45__ 7\r\n",
        "aSTAT 21__ H f d l a p r \r\n",
        "aAOC 21__ 0.42 EUR\r\n",
        "aSTAT 34__ h F d l a p r \r\n",
        "aREL 21__ 16\r\n",
        "aDRDY 21__\r\n",
        "aECHO 21__ 5\r\n",
        "aOK\r\n",
        "aREL 34__ 16\r\n",
    };
    QByteArray traffic;
    for (int i = 0; i < repetitions; ++i) {
        for (const char* line : Mix) {
            traffic.append(line).append('\0');
        }
    }
    return traffic;
}

void BM_LineDispatch(benchmark::State& state)
{
    const QByteArray traffic = trafficOf(1000);
    QuietPeer peer;
    CountingSink sink;
    LineDispatcher dispatcher(peer);
    dispatcher.setEventSink(&sink);
    LineFramer framer;
    QList<QByteArray> lines;
    int64_t processed = 0;
    for (auto _ : state) {
        // Reads of 1460 bytes, as a full TCP segment delivers them, so lines are split between reads.
        for (qsizetype offset = 0; offset < traffic.size(); offset += 1460) {
            lines.clear();
            framer.feed(QByteArrayView(traffic).sliced(offset, std::min<qsizetype>(1460, traffic.size() - offset)),
                        lines);
            for (const QByteArray& line : lines) {
                dispatcher.dispatch(CodePage::fromWindows1250(line));
            }
            processed += lines.size();
        }
    }
    state.SetItemsProcessed(processed);
    state.counters["lines_per_second"] =
        benchmark::Counter(static_cast<double>(processed), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LineDispatch)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
