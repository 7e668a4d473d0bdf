// One keystroke in the SMS window: the text as typed gets its line breaks, is counted, cut back to 8 segments and
// cut into its wire segments, on a text of 1,224 characters with Polish letters, line breaks and backslashes.
#include "sms/SmsSegmenter.h"

#include <benchmark/benchmark.h>

namespace {

QString typedText()
{
    const QString line = QStringLiteral("Zażółć gęślą jaźń \\ spotkanie o 10:00 w sali 2.\r\n");
    QString text;
    while (text.size() < 1224) {
        text += line;
    }
    return text.left(1224);
}

void BM_SmsSegmenter(benchmark::State& state)
{
    const QString text = typedText();
    for (auto _ : state) {
        const QString limited = SmsSegmenter::limited(SmsSegmenter::withLineBreaks(text));
        const SmsSegmenter::Count count = SmsSegmenter::count(limited);
        const QStringList segments = SmsSegmenter::cut(limited);
        benchmark::DoNotOptimize(count.left);
        benchmark::DoNotOptimize(segments.size());
    }
}
BENCHMARK(BM_SmsSegmenter)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
