// How long turning a calling number into a name takes on books of growing size, and how long the name filter of the
// book window needs for one keystroke over a large book; each on an SQLite file and on a PostgreSQL server.
#include "BenchEngines.h"
#include "books/contacts/NameFilter.h"
#include "books/contacts/NameIndex.h"
#include "books/contacts/NameSearch.h"
#include "books/contacts/PhoneBook.h"
#include "books/database/PhoneBookConnector.h"
#include "books/database/SqlEngine.h"
#include "bookseed/SilentBookDialogs.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

constexpr int NumberPositions = 5;
// Rows written by one INSERT while a book is filled.
constexpr int RowsPerInsert = 250;

QString numberOf(int contact, int position)
{
    return QStringLiteral("%1%2").arg(position).arg(contact, 8, 10, QLatin1Char('0'));
}

// Common Polish surnames and first names: about one contact in twenty has "kow" in the name.
QString nameOf(int contact)
{
    static const QStringList surnames{
        QStringLiteral("Nowak"),        QStringLiteral("Kowalski"),    QStringLiteral("Wiśniewski"),
        QStringLiteral("Wójcik"),       QStringLiteral("Kamiński"),    QStringLiteral("Lewandowski"),
        QStringLiteral("Zieliński"),    QStringLiteral("Szymański"),   QStringLiteral("Woźniak"),
        QStringLiteral("Dąbrowski"),    QStringLiteral("Kozłowski"),   QStringLiteral("Jankowski"),
        QStringLiteral("Mazur"),        QStringLiteral("Kwiatkowski"), QStringLiteral("Krawczyk"),
        QStringLiteral("Piotrowski"),   QStringLiteral("Grabowski"),   QStringLiteral("Nowakowski"),
        QStringLiteral("Pawłowski"),    QStringLiteral("Michalski"),   QStringLiteral("Nowicki"),
        QStringLiteral("Adamczyk"),     QStringLiteral("Dudek"),       QStringLiteral("Zając"),
        QStringLiteral("Wieczorek"),    QStringLiteral("Jabłoński"),   QStringLiteral("Król"),
        QStringLiteral("Majewski"),     QStringLiteral("Olszewski"),   QStringLiteral("Jaworski"),
        QStringLiteral("Wróbel"),       QStringLiteral("Malinowski"),  QStringLiteral("Pawlak"),
        QStringLiteral("Witkowski"),    QStringLiteral("Walczak"),     QStringLiteral("Stępień"),
        QStringLiteral("Górski"),       QStringLiteral("Rutkowski"),   QStringLiteral("Michalak"),
        QStringLiteral("Sikora"),       QStringLiteral("Ostrowski"),   QStringLiteral("Baran"),
        QStringLiteral("Duda"),         QStringLiteral("Szewczyk"),    QStringLiteral("Tomaszewski"),
        QStringLiteral("Pietrzak"),     QStringLiteral("Marciniak"),   QStringLiteral("Wróblewski"),
        QStringLiteral("Zalewski"),     QStringLiteral("Jakubowski"),  QStringLiteral("Jasiński"),
        QStringLiteral("Zawadzki"),     QStringLiteral("Sadowski"),    QStringLiteral("Bąk"),
        QStringLiteral("Chmielewski"),  QStringLiteral("Włodarczyk"),  QStringLiteral("Borkowski"),
        QStringLiteral("Czarnecki"),    QStringLiteral("Sawicki"),     QStringLiteral("Sokołowski"),
        QStringLiteral("Urbański"),     QStringLiteral("Kubiak"),      QStringLiteral("Maciejewski"),
        QStringLiteral("Szczepański"),  QStringLiteral("Kucharski"),   QStringLiteral("Wilk"),
        QStringLiteral("Kalinowski"),   QStringLiteral("Lis"),         QStringLiteral("Mazurek"),
        QStringLiteral("Wysocki"),      QStringLiteral("Adamski"),     QStringLiteral("Kaźmierczak"),
        QStringLiteral("Wasilewski"),   QStringLiteral("Sobczak"),     QStringLiteral("Czerwiński"),
        QStringLiteral("Andrzejewski"), QStringLiteral("Cieślak"),     QStringLiteral("Głowacki"),
        QStringLiteral("Zakrzewski"),   QStringLiteral("Kołodziej")};
    static const QStringList firstNames{
        QStringLiteral("Anna"),       QStringLiteral("Piotr"),     QStringLiteral("Maria"),
        QStringLiteral("Krzysztof"),  QStringLiteral("Katarzyna"), QStringLiteral("Andrzej"),
        QStringLiteral("Małgorzata"), QStringLiteral("Tomasz"),    QStringLiteral("Agnieszka"),
        QStringLiteral("Paweł"),      QStringLiteral("Barbara"),   QStringLiteral("Jan"),
        QStringLiteral("Ewa"),        QStringLiteral("Michał"),    QStringLiteral("Krystyna"),
        QStringLiteral("Marcin"),     QStringLiteral("Elżbieta"),  QStringLiteral("Łukasz"),
        QStringLiteral("Zofia"),      QStringLiteral("Grzegorz")};
    // Neighbouring contacts get unrelated names.
    const quint32 mixed = static_cast<quint32>(contact) * 2654435761U;
    return surnames[static_cast<qsizetype>(mixed % surnames.size())] + u' ' +
           firstNames[static_cast<qsizetype>((mixed / 97) % firstNames.size())];
}

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
    QString fill(int size)
    {
        QSqlDatabase db = database();
        // Filling a large book takes longer than the statements of a ring may.
        QSqlQuery query(db);
        if (SqlEngines::of(db) == SqlEngine::Postgres) {
            query.exec(QStringLiteral("SET statement_timeout = 0"));
        }
        if (!db.transaction()) {
            return db.lastError().text();
        }
        const QString row = QStringLiteral("(?, ?, ?, ?, ?, ?, ?)");
        for (int first = 0; first < size; first += RowsPerInsert) {
            const int count = std::min(RowsPerInsert, size - first);
            QStringList rows;
            rows.fill(row, count);
            query.prepare(QStringLiteral("INSERT INTO Book2 (Nazwa, NazwaSzuk, Nr1, Nr2, Nr3, Nr4, Nr5) VALUES ") +
                          rows.join(u", "));
            for (int contact = first; contact < first + count; ++contact) {
                const QString name = nameOf(contact);
                query.addBindValue(name);
                query.addBindValue(NameIndex::searchForm(name));
                for (int position = 1; position <= NumberPositions; ++position) {
                    query.addBindValue(numberOf(contact, position));
                }
            }
            if (!query.exec()) {
                const QString text = query.lastError().text();
                db.rollback();
                return text;
            }
        }
        if (!db.commit()) {
            return db.lastError().text();
        }
        if (SqlEngines::of(db) == SqlEngine::Postgres) {
            // As autovacuum leaves a server's book: the trigram index's pending entries merged, statistics taken.
            query.exec(QStringLiteral("VACUUM ANALYZE Book2"));
            query.exec(QStringLiteral("SET statement_timeout = 1000"));
        }
        return {};
    }

    bookseed::SilentBookDialogs m_dialogs;
    PhoneBookConnector m_connector;
    std::unique_ptr<PhoneBook> m_book;
    QString m_error;
};

std::map<std::pair<int, int>, std::unique_ptr<BenchBook>>& books()
{
    static std::map<std::pair<int, int>, std::unique_ptr<BenchBook>> all;
    return all;
}

BenchBook& benchBook(int size, int engine)
{
    auto& book = books()[{size, engine}];
    if (!book) {
        book = std::make_unique<BenchBook>(size, engine);
    }
    return *book;
}

// Arguments: contacts, the position the number is found in, the engine.
void BM_LookupName(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const int position = static_cast<int>(state.range(1));
    BenchBook& bench = benchBook(size, static_cast<int>(state.range(2)));
    if (!bench.error().isEmpty()) {
        state.SkipWithError(qPrintable(bench.error()));
        return;
    }
    PhoneBook& book = bench.book();
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
    BenchBook& bench = benchBook(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!bench.error().isEmpty()) {
        state.SkipWithError(qPrintable(bench.error()));
        return;
    }
    NameSearch search(bench.database(), 0, true, QStringLiteral("pl"));
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

int main(int argc, char** argv)
{
    // The SQL driver is a plug-in, found through the application's library paths.
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    books().clear();
    BenchEngines::instance().stop();
    return 0;
}
