// How long the phone book window takes to open on a large book until its first rows are painted, and how long one
// keystroke in its search field takes until the grid is drawn again; on an SQLite file and on a PostgreSQL server.
#include "BenchContacts.h"
#include "BenchEngines.h"
#include "books/FakeBookDialogs.h"
#include "books/RecordingHistoryErrors.h"
#include "books/contacts/ContactGroups.h"
#include "books/contacts/ContactMessagesPort.h"
#include "books/database/TdbCore.h"
#include "books/ui/TPhoneBookForm.h"
#include "settings/SettingsRecord.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

class NoBoxes final : public ContactMessagesPort {
public:
    void warning(const QString&, const QString&) override {}
    bool ask(const QString&, const QString&) override { return false; }
};

// The books of the client with a book of size contacts in five groups as the current book: the private book on
// SQLite, or the public book on the PostgreSQL server.
class WindowBooks final {
public:
    WindowBooks(int size, int engine)
        : m_core(m_settings,
                 {m_folder.filePath(QStringLiteral("d/PhoneBook")), m_folder.filePath(QStringLiteral("d/History")),
                  m_folder.filePath(QStringLiteral("d/VoiceNotes"))},
                 m_dialogs, m_historyErrors)
    {
        m_settings.Historia.Katalog = m_folder.filePath(QStringLiteral("history"));
        m_settings.Ksiazka.KsPrywatna = m_folder.filePath(QStringLiteral("private"));
        m_settings.Ksiazka.FiltrNazw = true;
        m_settings.Ksiazka.FiltrNumerow = true;
        m_settings.Ksiazka.IgnorujPolskieZnaki = true;
        m_settings.Ksiazka.SzukajNazw = 0;
        m_settings.Ksiazka.X = m_settings.Ksiazka.Y = -1;
        m_settings.Ksiazka.Szer = 900;
        m_settings.Ksiazka.Wys = 600;
        const int index = engine == BenchEngines::Postgres ? TdbCore::PublicBook : TdbCore::PrivateBook;
        if (engine == BenchEngines::Postgres) {
            m_settings.Ksiazka.KsPubliczna =
                BenchEngines::instance().newLocation(engine, QStringLiteral("window%1").arg(size), &m_error);
            if (m_settings.Ksiazka.KsPubliczna.isEmpty()) {
                return;
            }
        }
        m_settings.Ksiazka.Tryb = index;
        if (!m_core.start() || m_core.book(index) == nullptr) {
            m_error = QStringLiteral("the book did not open: ") + m_dialogs.warnings.join(u' ');
            return;
        }
        QSqlDatabase database = m_core.book(index)->database();
        ContactGroups groups(database, m_boxes);
        QList<int> ids{0};
        for (const char* name : {"Customers", "Suppliers", "Family", "Colleagues"}) {
            ids.append(groups.add(QLatin1String(name)).value_or(0));
        }
        m_error = BenchContacts::fillBook(database, size, ids);
    }

    const QString& error() const { return m_error; }
    std::unique_ptr<TPhoneBookForm> openWindow()
    {
        return std::make_unique<TPhoneBookForm>(
            m_core, m_settings, [] {}, m_boxes, TPhoneBookForm::Openers{});
    }

private:
    QTemporaryDir m_folder;
    SettingsRecord m_settings;
    FakeBookDialogs m_dialogs;
    RecordingHistoryErrors m_historyErrors;
    NoBoxes m_boxes;
    QString m_error;
    TdbCore m_core;
};

EngineFixtures<WindowBooks> windowBooks;

// Opening: the window made, its book read, the grid shown and its first rows painted. Arguments: contacts, engine.
void BM_BookWindowOpen(benchmark::State& state)
{
    WindowBooks* books = windowBooks.ready(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (books == nullptr) {
        return;
    }
    int rows = 0;
    for (auto _ : state) {
        std::unique_ptr<TPhoneBookForm> window = books->openWindow();
        window->show();
        const QPixmap painted = window->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        rows = window->nameModel().rowCount();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.SetLabel(BenchEngines::name(static_cast<int>(state.range(1))));
}
BENCHMARK(BM_BookWindowOpen)
    ->ArgsProduct({{100000}, {BenchEngines::Sqlite, BenchEngines::Postgres}})
    ->Unit(benchmark::kMillisecond);

// One keystroke: the search text goes from "kow" to "kowa" or back, the grouped grid is filtered and drawn again.
// Arguments: contacts, engine.
void BM_BookWindowKeystroke(benchmark::State& state)
{
    WindowBooks* books = windowBooks.ready(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (books == nullptr) {
        return;
    }
    std::unique_ptr<TPhoneBookForm> window = books->openWindow();
    window->show();
    window->searchField().setText(QStringLiteral("kow"));
    int rows = 0;
    bool longer = true;
    for (auto _ : state) {
        window->searchField().setText(longer ? QStringLiteral("kowa") : QStringLiteral("kow"));
        longer = !longer;
        const QPixmap painted = window->nameGrid().viewport()->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        rows = window->nameModel().rowCount();
    }
    state.counters["rows"] = rows;
    state.SetLabel(BenchEngines::name(static_cast<int>(state.range(1))));
}
BENCHMARK(BM_BookWindowKeystroke)
    ->ArgsProduct({{100000}, {BenchEngines::Sqlite, BenchEngines::Postgres}})
    ->Unit(benchmark::kMillisecond);

} // namespace
