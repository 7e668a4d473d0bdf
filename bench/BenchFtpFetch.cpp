// A 10 MB recording fetched from the FTP server of python3-pyftpdlib on loopback, the way the worker fetches one:
// a new session (connect, log in, change folder), the size asked, the file received into memory. The figure is
// bytes per second over the whole session.
#include "recording/pbx/CFTPClient.h"
#include "support/FtpTestServer.h"

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype RecordingBytes = 10 * 1000 * 1000;

void BM_FtpFetch(benchmark::State& state)
{
    qputenv("TERVO_SOURCE_DIR", TERVO_SOURCE_DIR);
    const FtpTestServer server;
    QByteArray recording(RecordingBytes, '\0');
    for (qsizetype i = 0; i < recording.size(); ++i) {
        recording[i] = static_cast<char>((i * 7919) >> 5);
    }
    if (!server.isRunning() || !server.put(QStringLiteral("calls/000123401"), recording)) {
        state.SkipWithError("the FTP server did not start (python3-pyftpdlib installed?)");
        return;
    }
    FtpSettings settings;
    settings.port = server.port();
    QByteArray buffer;
    for (auto _ : state) {
        CFTPClient client(settings, [] { return false; });
        if (!client.open(QStringLiteral("127.0.0.1"), QStringLiteral("calls"))) {
            state.SkipWithError(qPrintable(client.error()));
            return;
        }
        buffer.reserve(static_cast<qsizetype>(client.size(QStringLiteral("000123401"))));
        if (!client.fetch(QStringLiteral("000123401"), buffer) || buffer.size() != RecordingBytes) {
            state.SkipWithError(qPrintable(client.error()));
            return;
        }
        client.close();
    }
    state.SetBytesProcessed(state.iterations() * RecordingBytes);
}

BENCHMARK(BM_FtpFetch)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
