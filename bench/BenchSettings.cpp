// How long reading and writing a complete settings file takes, from bytes to record and back.
#include "settings/CodePage.h"
#include "settings/IniDocument.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsSchema.h"

#include <benchmark/benchmark.h>

namespace {

const SettingsSchema& schema()
{
    static const SettingsSchema instance(QStringLiteral("/home/user/.local/share/Norvel/TelefonTervo/X/"));
    return instance;
}

// A file as a long-used installation has it: every key written once, some gates named.
QByteArray completeSettingsFile()
{
    SettingsRecord record;
    for (int gate = 0; gate < SettingsRecord::GateCount; gate += 7) {
        record.Gate.Comments[gate] = QStringLiteral("Gate in room %1, \"east\" wing").arg(gate);
        record.Gate.Pins[gate] = QStringLiteral("1234");
    }
    record.Ogolne.Info = QStringLiteral("Dział sprzedaży, pokój 12");
    IniDocument document;
    schema().write(record, document);
    return CodePage::toWindows1250(document.toText()).replace("\n", "\r\n");
}

void BM_SettingsLoad(benchmark::State& state)
{
    const QByteArray file = completeSettingsFile();
    for (auto _ : state) {
        SettingsRecord record;
        schema().read(IniDocument::parse(CodePage::fromUtf8OrWindows1250(file)), record);
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(BM_SettingsLoad);

void BM_SettingsSave(benchmark::State& state)
{
    SettingsRecord record;
    schema().read(IniDocument::parse(CodePage::fromUtf8OrWindows1250(completeSettingsFile())), record);
    for (auto _ : state) {
        IniDocument document;
        schema().write(record, document);
        benchmark::DoNotOptimize(document.toText().toUtf8());
    }
}
BENCHMARK(BM_SettingsSave);

} // namespace

BENCHMARK_MAIN();
