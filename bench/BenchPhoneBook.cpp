// How long turning a calling number into a name takes on books of growing size, and how long the name filter of the
// book window needs for one keystroke over a large book.
#include "books/BookSchema.h"
#include "books/NameFilter.h"
#include "books/PhoneBook.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

QString numberOf(int contact, int position)
{
    return QStringLiteral("%1%2").arg(position).arg(contact, 8, 10, QLatin1Char('0'));
}

QString nameOf(int contact)
{
    static const QStringList surnames{QStringLiteral("Kowalski"),   QStringLiteral("Nowak"),
                                      QStringLiteral("Wiśniewski"), QStringLiteral("Łukasiewicz"),
                                      QStringLiteral("Zieliński"),  QStringLiteral("Dąbrowska")};
    return QStringLiteral("%1 Jan %2").arg(surnames[contact % surnames.size()]).arg(contact);
}

// A book of size contacts in a temporary file, each with numbers in Nr1 .. Nr3, written in one transaction.
class BenchBook final {
public:
    explicit BenchBook(int size)
        : m_connection(QStringLiteral("bench%1").arg(size))
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        database.setDatabaseName(m_folder.filePath(QStringLiteral("book.mdb")));
        database.open();
        BookSchema::createPhoneBook(database, QStringLiteral("Others"), 1, nullptr);
        ensureNumberIndexes(database);
        database.transaction();
        QSqlQuery insert(database);
        insert.prepare(QStringLiteral("INSERT INTO Book2 (Nazwa, Nr1, Nr2, Nr3) VALUES (?, ?, ?, ?)"));
        for (int contact = 0; contact < size; ++contact) {
            insert.bindValue(0, nameOf(contact));
            for (int position = 1; position <= 3; ++position) {
                insert.bindValue(position, numberOf(contact, position));
            }
            insert.exec();
        }
        database.commit();
    }
    ~BenchBook()
    {
        m_book.reset();
        QSqlDatabase::removeDatabase(m_connection);
    }

    PhoneBook& book()
    {
        if (!m_book) {
            m_book = std::make_unique<PhoneBook>(QSqlDatabase::database(m_connection));
        }
        return *m_book;
    }

private:
    QTemporaryDir m_folder;
    QString m_connection;
    std::unique_ptr<PhoneBook> m_book;
};

BenchBook& benchBook(int size)
{
    static std::map<int, std::unique_ptr<BenchBook>> books;
    auto& book = books[size];
    if (!book) {
        book = std::make_unique<BenchBook>(size);
    }
    return *book;
}

// The number is found in Nr3, after two positions that do not have it.
void BM_LookupName(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    PhoneBook& book = benchBook(size).book();
    int contact = 0;
    for (auto _ : state) {
        contact = (contact + 7919) % size;
        benchmark::DoNotOptimize(book.lookupName(QStringLiteral("0/") + numberOf(contact, 3)));
    }
}
BENCHMARK(BM_LookupName)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// One keystroke: the search text grows to "kow" and every name of the book is judged again, folding included.
void BM_NameFilter(benchmark::State& state)
{
    QStringList names;
    for (int contact = 0; contact < 100000; ++contact) {
        names.append(nameOf(contact));
    }
    NameFilter filter(0, true, QStringLiteral("pl"));
    for (auto _ : state) {
        filter.setSearchText(QStringLiteral("kow"));
        int passing = 0;
        for (const QString& name : names) {
            passing += filter.passes(name) ? 1 : 0;
        }
        benchmark::DoNotOptimize(passing);
    }
}
BENCHMARK(BM_NameFilter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The SQL driver is a plug-in, found through the application's library paths.
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
