// What writing one call into a long history costs: the add and the trim that follows it, as the PBX link runs
// them after every call; on an SQLite file and on a PostgreSQL server.
#include "BenchEngines.h"
#include "books/history/HistoryConnector.h"
#include "books/history/HistoryDatabase.h"
#include "books/history/HistoryErrorPort.h"
#include "books/history/HistoryRecordingFiles.h"
#include "books/history/HistoryRegister.h"
#include "books/history/HistoryTrimmer.h"
#include "bookseed/SilentBookDialogs.h"
#include "support/HistoryRows.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Limit = 1000;
const QDateTime FirstStart{QDate(2020, 1, 1), QTime(8, 0, 0)};

// The PostgreSQL server stops after the last benchmark, while the SQL driver is still loaded.
const BenchMain::AtEnd stopServer{[] {
    BenchEngines::instance().stop();
}};

class CountedErrors final : public HistoryErrorPort {
public:
    void showHistoryError(const QString&, const QString&) override { ++count; }
    int count = 0;
};

// existing rows a minute apart: the newest Limit of them ordinary, the older ones archived and so kept.
bool seed(QSqlDatabase& database, int existing)
{
    return writeHistoryRows(database, existing, [existing](int i) {
        HistoryEntry call = callEntry(2, QStringLiteral("601"), FirstStart.addSecs(60LL * i), 30);
        call.archived = i < existing - Limit;
        return call;
    });
}

// Arguments: the rows already in the history, the engine.
void BM_HistoryAddTrim(benchmark::State& state)
{
    const int existing = static_cast<int>(state.range(0));
    const int engine = static_cast<int>(state.range(1));
    QTemporaryDir folder;
    QString error;
    const QString location = BenchEngines::instance().newLocation(
        engine, QStringLiteral("history%1_%2").arg(existing).arg(QLatin1String(BenchEngines::name(engine))), &error);
    if (location.isEmpty()) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    bookseed::SilentBookDialogs dialogs;
    HistoryConnector connector(QString(), dialogs);
    if (!connector.connect(location, true).ok) {
        state.SkipWithError("cannot open the history");
        return;
    }
    QSqlDatabase database = connector.connection().database();
    CountedErrors errors;
    {
        HistoryDatabase history(database, errors);
        if (!seed(database, existing)) {
            state.SkipWithError("cannot prepare the history");
            return;
        }
        if (engine == BenchEngines::Postgres) {
            // A server's history has been vacuumed and analysed by the time it is long.
            QSqlQuery(database).exec(QStringLiteral("VACUUM ANALYZE History2"));
        }
        HistoryRegister entries(history);
        const HistoryRecordingFiles files(folder.filePath(QStringLiteral("VoiceNotes")), {});
        HistoryTrimmer trimmer(history, files);
        QDateTime start = FirstStart.addSecs(60LL * existing);
        HistoryEntry call;
        call.kind = 2;
        call.number = QStringLiteral("0601234567");
        for (auto _ : state) {
            start = start.addSecs(60);
            call.startDate = start.date();
            call.startTime = start.time();
            call.endDate = call.startDate;
            call.endTime = call.startTime.addSecs(30);
            benchmark::DoNotOptimize(entries.addEntry(call));
            benchmark::DoNotOptimize(trimmer.trim(Limit, false));
        }
    }
    if (errors.count > 0) {
        state.SkipWithError("the history reported errors");
    }
    state.SetLabel(BenchEngines::name(engine));
}
BENCHMARK(BM_HistoryAddTrim)
    ->ArgsProduct({{1000, 100000}, {BenchEngines::Sqlite, BenchEngines::Postgres}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
