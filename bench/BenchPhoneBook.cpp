// How long turning a calling number into a name takes on books of growing size, and how long the name filter of the
// book window needs for one keystroke over a large book; each on an SQLite file and on a PostgreSQL server.
#include "BenchContacts.h"
#include "BenchEngines.h"
#include "books/contacts/NameFilter.h"
#include "books/contacts/NameIndex.h"
#include "books/contacts/NameSearch.h"
#include "books/contacts/PhoneBook.h"
#include "books/database/PhoneBookConnector.h"
#include "books/database/SqlEngine.h"
#include "bookseed/SilentBookDialogs.h"

#include <QSqlError>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using BenchContacts::nameOf;
using BenchContacts::numberOf;

// A book of size contacts, each with five numbers and its folded name, opened as the client opens a book and
// filled in one transaction.
class BenchBook final {
public:
    BenchBook(int size, int engine)
        : m_connector(BookState::publicBook(), m_dialogs)
    {
        QString error;
        const QString location = BenchEngines::instance().newLocation(
            engine, QStringLiteral("book%1_%2").arg(size).arg(QLatin1String(BenchEngines::name(engine))), &error);
        if (location.isEmpty()) {
            m_error = error;
            return;
        }
        const ConnectOutcome outcome = m_connector.connect(location, true);
        if (!outcome.ok) {
            m_error = outcome.error;
            return;
        }
        m_error = fill(size);
    }
    ~BenchBook() { m_book.reset(); }

    const QString& error() const { return m_error; }
    QSqlDatabase database() { return m_connector.connection().database(); }
    PhoneBook& book()
    {
        if (!m_book) {
            m_book = std::make_unique<PhoneBook>(database());
        }
        return *m_book;
    }

private:
    QString fill(int size) { return BenchContacts::fillBook(database(), size); }

    bookseed::SilentBookDialogs m_dialogs;
    PhoneBookConnector m_connector;
    std::unique_ptr<PhoneBook> m_book;
    QString m_error;
};

EngineFixtures<BenchBook> benchBooks;

// Arguments: contacts, the position the number is found in, the engine.
void BM_LookupName(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const int position = static_cast<int>(state.range(1));
    BenchBook* bench = benchBooks.ready(state, size, static_cast<int>(state.range(2)));
    if (bench == nullptr) {
        return;
    }
    PhoneBook& book = bench->book();
    int contact = 0;
    for (auto _ : state) {
        contact = (contact + 7919) % size;
        benchmark::DoNotOptimize(book.lookupName(QStringLiteral("0/") + numberOf(contact, position)));
    }
    if (book.matchedPosition() != position) {
        state.SkipWithError("the number was not found where it was put");
    }
    state.SetLabel(BenchEngines::name(static_cast<int>(state.range(2))));
}
BENCHMARK(BM_LookupName)
    ->ArgsProduct({{1000, 100000, 1000000}, {1, 5}, {BenchEngines::Sqlite, BenchEngines::Postgres}})
    ->Unit(benchmark::kMicrosecond);

// One keystroke: the search text grows to "kow" and the contacts whose name has a word starting with it (folding
// included, the default search mode) are found in the book. Arguments: contacts, the engine.
void BM_NameFilter(benchmark::State& state)
{
    BenchBook* bench = benchBooks.ready(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (bench == nullptr) {
        return;
    }
    NameSearch search(bench->database(), 0, true, QStringLiteral("pl"));
    qsizetype found = 0;
    for (auto _ : state) {
        const std::optional<QList<int>> ids = search.matching(QStringLiteral("kow"));
        found = ids ? ids->size() : -1;
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = static_cast<double>(found);
    state.SetLabel(BenchEngines::name(static_cast<int>(state.range(1))));
}
BENCHMARK(BM_NameFilter)
    ->ArgsProduct({{100000, 1000000}, {BenchEngines::Sqlite, BenchEngines::Postgres}})
    ->Unit(benchmark::kMillisecond);

// The same keystroke judging every name in memory, as the filter does without the index.
void BM_NameFilterScan(benchmark::State& state)
{
    QStringList names;
    for (int contact = 0; contact < state.range(0); ++contact) {
        names.append(nameOf(contact));
    }
    NameFilter filter(0, true, QStringLiteral("pl"));
    int passing = 0;
    for (auto _ : state) {
        filter.setSearchText(QStringLiteral("kow"));
        passing = 0;
        for (const QString& name : names) {
            passing += filter.passes(name) ? 1 : 0;
        }
        benchmark::DoNotOptimize(passing);
    }
    state.counters["matches"] = passing;
}
BENCHMARK(BM_NameFilterScan)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
