// A call recording as captured: 60 s of speech-like sound at 8000 Hz, 8-bit unsigned mono, handed to the Ogg
// Vorbis encoder in 4,096-byte buffers and written to a file that only counts bytes. Counters: realtime_factor is
// seconds of sound encoded per second of wall time (the encoder works on its own thread); bytes_per_audio_second
// is the size of the file per second of sound.
#include "recording/OggComponent.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr int SampleRate = 8000;
constexpr int Seconds = 60;
constexpr int BufferBytes = 4096;

// Voiced syllables about four a second with a wandering pitch and falling harmonics, pauses between phrases,
// and a little line noise throughout.
QByteArray speechLikeSound()
{
    QByteArray bytes;
    bytes.reserve(SampleRate * Seconds);
    quint32 noise = 12345;
    double phase = 0.0;
    for (int n = 0; n < SampleRate * Seconds; ++n) {
        const double t = double(n) / SampleRate;
        const bool inPause = std::fmod(t, 3.0) > 2.2;
        const double syllable = std::pow(std::sin(std::numbers::pi * 4.0 * t), 2.0);
        const double pitch = 150.0 + 40.0 * std::sin(2.0 * std::numbers::pi * 0.7 * t);
        phase += 2.0 * std::numbers::pi * pitch / SampleRate;
        double voice = 0.0;
        for (int harmonic = 1; harmonic * pitch < 3400.0; ++harmonic)
            voice += std::sin(harmonic * phase) / harmonic;
        noise = noise * 1664525u + 1013904223u;
        const double hiss = (double(noise >> 24) - 128.0) / 64.0;
        const double value = 128.0 + (inPause ? 0.0 : 40.0 * syllable * voice) + hiss;
        bytes.append(static_cast<char>(static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L))));
    }
    return bytes;
}

ssize_t countBytes(void* cookie, const char*, size_t size)
{
    *static_cast<qint64*>(cookie) += static_cast<qint64>(size);
    return static_cast<ssize_t>(size);
}

void BM_VorbisEncode(benchmark::State& state)
{
    const QByteArray sound = speechLikeSound();
    const QDateTime callTime(QDate(2024, 3, 5), QTime(14, 7, 9));
    TOggComponent encoder;
    qint64 bytes = 0;
    for (auto _ : state) {
        std::FILE* file = fopencookie(&bytes, "w", {nullptr, &countBytes, nullptr, nullptr});
        encoder.Begin(file, 1, QStringLiteral("Jan Kowalski"), QStringLiteral("123"), callTime);
        for (qsizetype at = 0; at < sound.size(); at += BufferBytes) {
            encoder.Submit(sound.mid(at, BufferBytes));
            encoder.waitUntilIdle();
        }
        if (!encoder.Finish())
            state.SkipWithError("the encoder reported an error");
        std::fclose(file);
    }
    state.counters["realtime_factor"] = benchmark::Counter(Seconds, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes_per_audio_second"] =
        benchmark::Counter(double(bytes) / Seconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_VorbisEncode)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
