// The history window on a long history: opening it until its first rows are painted, and one keystroke of the
// number search until the rows it selects are painted. The history holds 100,000 calls of 2,000 numbers, a tenth of
// them named by a private book of 200 contacts.
#include "books/history/HistoryBrowser.h"
#include "books/history/HistoryRecordingPlayer.h"
#include "books/ui/THistoryForm.h"
#include "support/HistoryRows.h"
#include "support/TdbCoreOnDisk.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Rows = 100000;
constexpr int Numbers = 2000;
constexpr int Contacts = 200;

QString numberOf(int i)
{
    return QString::number(600100000 + (i % Numbers) * 7919 % 100000000);
}

// Rows calls ten minutes apart back from 2 March 2026, of every kind and length, one in nine recorded.
bool seedHistory(QSqlDatabase database)
{
    const QDateTime newest(QDate(2026, 3, 2), QTime(9, 0));
    return writeHistoryRows(database, Rows, [&newest](int i) {
        HistoryEntry call = callEntry(i % 4, numberOf(i), newest.addSecs(-600LL * i), 30 + i % 400);
        call.hasRecording = i % 9 == 0;
        return call;
    });
}

bool seedBook(QSqlDatabase database)
{
    QSqlQuery insert(database);
    insert.prepare(QStringLiteral("INSERT INTO Book2 (Nazwa, Nr1) VALUES (?, ?)"));
    for (int i = 0; i < Contacts; ++i) {
        insert.addBindValue(QStringLiteral("Contact %1").arg(i));
        insert.addBindValue(numberOf(i * (Numbers / Contacts)));
        if (!insert.exec()) {
            return false;
        }
    }
    return true;
}

// The books and the history of the benchmarks, made once; the clock stands on 2 March 2026.
class LongHistory final : public TdbCoreOnDisk {
public:
    LongHistory()
    {
        settings.Historia.ColNrOn = true;
        m_ready = core.start() && seedHistory(core.historyDatabase()->database()) &&
                  seedBook(core.book(TdbCore::PrivateBook)->database());
    }

    bool ready() const { return m_ready && historyErrors.errors.isEmpty(); }

private:
    bool m_ready = false;
};

LongHistory& longHistory()
{
    static LongHistory history;
    return history;
}

// One window over the long history, as the program builds it.
struct OpenWindow {
    explicit OpenWindow(LongHistory& history)
        : browser(history.core, history.settings, history.clock)
        , player({[] { return QString(); },
                  {},
                  {},
                  [](const QUrl&) {
                      return true;
                  }})
        , form(browser, player, history.settings, {})
    {
    }

    HistoryBrowser browser;
    HistoryRecordingPlayer player;
    THistoryForm form;
};

void BM_HistoryWindowOpen(benchmark::State& state)
{
    LongHistory& history = longHistory();
    if (!history.ready()) {
        state.SkipWithError("cannot prepare the history");
        return;
    }
    for (auto _ : state) {
        OpenWindow window(history);
        window.form.showHistory();
        // The first rows painted: the window drawn as the screen would show it.
        benchmark::DoNotOptimize(window.form.grab());
        state.PauseTiming();
        window.form.hide();
        state.ResumeTiming();
    }
}

// Arguments: the last digit typed leaves 0 fifty rows of a few numbers, 1 no row at all, 2 every row (every number
// of the history holds the digit).
void BM_HistoryNumberSearchKeystroke(benchmark::State& state)
{
    LongHistory& history = longHistory();
    if (!history.ready()) {
        state.SkipWithError("cannot prepare the history");
        return;
    }
    OpenWindow window(history);
    window.form.showHistory();
    const QString typed = state.range(0) == 0   ? numberOf(17).left(7)
                          : state.range(0) == 1 ? QStringLiteral("99999")
                                                : QStringLiteral("6");
    const QString before = typed.size() > 1 ? typed.left(typed.size() - 1) : QStringLiteral("7");
    emit window.form.numberSearch().textEdited(before);
    for (auto _ : state) {
        emit window.form.numberSearch().textEdited(typed);
        benchmark::DoNotOptimize(window.form.grid().viewport()->grab());
        state.PauseTiming();
        emit window.form.numberSearch().textEdited(before);
        state.ResumeTiming();
    }
    state.counters["rows"] = window.browser.model().rowCount();
}

} // namespace

BENCHMARK(BM_HistoryWindowOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryNumberSearchKeystroke)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
