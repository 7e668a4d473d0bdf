// How long the client needs from a ringing call arriving on its socket to the caller's name on the telephone
// window, with a large private phone book: the whole road of an incoming call through the real link, call
// tracking, the phone-book lookup and the window, against the PBX stand-in on loopback.
#include "app/BookLinkServices.h"
#include "app/BookNaming.h"
#include "app/BookWindowServices.h"
#include "app/ConsoleCallLog.h"
#include "app/LinkToWindow.h"
#include "app/ServicesTelephoneLine.h"
#include "books/contacts/PhoneBook.h"
#include "books/database/BookDialogsPort.h"
#include "books/database/BookSchema.h"
#include "books/database/TdbCore.h"
#include "books/history/HistoryErrorPort.h"
#include "pbxlink/lifecycle/TToPBX.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "pbxlink/ui/LinkDialogs.h"
#include "pbxlink/ui/ServiceDialogs.h"
#include "pbxsim/PbxSimulator.h"
#include "phone/TelephoneWindowLogic.h"
#include "phone/ui/TMainForm.h"
#include "settings/SettingsRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

constexpr int Contacts = 100000;
constexpr int PatienceMs = 5000;

class SilentBookDialogs final : public BookDialogsPort, public HistoryErrorPort {
public:
    bool askYesNo(const QString&) override { return true; }
    void showWarning(const QString&) override {}
    void showError(const QString&) override {}
    void showWait(const QString&) override {}
    void hideWait() override {}
    void showHistoryError(const QString&, const QString&) override {}
};

QString callerNumber(int contact)
{
    return QStringLiteral("6%1").arg(contact, 8, 10, QLatin1Char('0'));
}

// A private book of Contacts entries, each with its number in Nr2 so a lookup passes an empty first position.
void writeBook(const QString& folder)
{
    QDir().mkpath(folder);
    const QString connection = QStringLiteral("seed");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(folder + QStringLiteral("/book.mdb"));
        database.open();
        BookSchema::createPhoneBook(database, QStringLiteral("Others"), 1, nullptr);
        database.transaction();
        QSqlQuery insert(database);
        insert.prepare(QStringLiteral("INSERT INTO Book2 (Nazwa, Nr1, Nr2) VALUES (?, ?, ?)"));
        for (int contact = 0; contact < Contacts; ++contact) {
            insert.bindValue(0, QStringLiteral("Kowalski Jan %1").arg(contact));
            insert.bindValue(1, QStringLiteral("5%1").arg(contact, 8, 10, QLatin1Char('0')));
            insert.bindValue(2, callerNumber(contact));
            insert.exec();
        }
        database.commit();
    }
    QSqlDatabase::removeDatabase(connection);
}

// The client's pieces as the application puts them together, logged in to a stand-in in this process.
class Client final {
public:
    Client()
        : m_standIn(standInConfig())
    {
        QString error;
        m_standIn.start(&error);
        writeBook(m_folder.filePath(QStringLiteral("PhoneBook")));
        m_settings.Siec.Serwer = QStringLiteral("127.0.0.1");
        m_settings.Siec.Port = m_standIn.port();
        m_settings.Siec.TelNr = QStringLiteral("21");
        m_settings.Siec.ZapiszKlucz = true;
        m_settings.Siec.Szukaj = false;
        m_settings.WorkingPin = QStringLiteral("1234");
        m_settings.Ksiazka.KsPrywatna = m_folder.filePath(QStringLiteral("PhoneBook"));
        m_settings.Historia.Katalog = m_folder.filePath(QStringLiteral("History"));

        m_books = std::make_unique<TdbCore>(m_settings,
                                            TdbCore::DefaultFolders{m_folder.filePath(QStringLiteral("PhoneBook")),
                                                                    m_folder.filePath(QStringLiteral("History")),
                                                                    m_folder.filePath(QStringLiteral("VoiceNotes"))},
                                            m_dialogs, m_dialogs);
        m_books->start();
        m_naming = std::make_unique<BookNaming>(*m_books, m_settings);
        m_linkServices = std::make_unique<BookLinkServices>(*m_books, *m_naming);
        m_windowServices = std::make_unique<BookWindowServices>(*m_books, *m_naming);
        m_form = std::make_unique<TMainForm>(m_settings, [] {});
        m_linkDialogs = std::make_unique<LinkDialogs>(m_settings, [] {});
        m_link = std::make_unique<TToPBX>(
            m_settings, [] {}, LogFile(m_folder.filePath(QStringLiteral("net.log")), LogFile::Stamp::Time),
            LinkPartners{*m_linkServices, *m_linkDialogs, *m_linkServices, *m_linkServices, m_recorder});
        m_line = std::make_unique<ServicesTelephoneLine>(m_link->services());
        m_window = std::make_unique<TelephoneWindowLogic>(
            m_settings, *m_windowServices, *m_form,
            TelephoneWindowLogic::LinkParts{*m_line, m_link->callState(), m_link->callTimer()});
        LinkToWindow::connect(m_link->notices(), *m_window);
        m_serviceDialogs = std::make_unique<ServiceDialogs>(m_settings, m_link->services(), m_link->callState(),
                                                            std::function<void()>{});
        m_form->attach(*m_window, *m_serviceDialogs, {});
        m_link->start();
        waitForState(WindowState::Idle);
    }

    ~Client() { m_link->disconnectFromServer(); }

    // Runs the event loop until the window ends in state; false after PatienceMs.
    bool waitForState(WindowState wanted)
    {
        if (m_window->state() == wanted && m_link->isConnected()) {
            return true;
        }
        QEventLoop loop;
        const QMetaObject::Connection reached = QObject::connect(m_window.get(), &TelephoneWindowLogic::stateApplied,
                                                                 &loop, [&loop, wanted](WindowState state) {
                                                                     if (state == wanted) {
                                                                         loop.quit();
                                                                     }
                                                                 });
        QTimer::singleShot(PatienceMs, &loop, &QEventLoop::quit);
        loop.exec();
        QObject::disconnect(reached);
        return m_window->state() == wanted;
    }

    QString control(const QString& line) { return m_standIn.control(line); }
    const TLittleForm& skin() { return m_form->skin(); }

private:
    static pbxsim::SimulatorConfig standInConfig()
    {
        pbxsim::SimulatorConfig config;
        config.port = 0;
        config.discovery = false;
        config.quiet = true;
        return config;
    }

    QTemporaryDir m_folder;
    pbxsim::PbxSimulator m_standIn;
    SettingsRecord m_settings;
    SilentBookDialogs m_dialogs;
    ConsoleCallLog m_recorder;
    std::unique_ptr<TdbCore> m_books;
    std::unique_ptr<BookNaming> m_naming;
    std::unique_ptr<BookLinkServices> m_linkServices;
    std::unique_ptr<BookWindowServices> m_windowServices;
    std::unique_ptr<TMainForm> m_form;
    std::unique_ptr<LinkDialogs> m_linkDialogs;
    std::unique_ptr<TToPBX> m_link;
    std::unique_ptr<ServicesTelephoneLine> m_line;
    std::unique_ptr<TelephoneWindowLogic> m_window;
    std::unique_ptr<ServiceDialogs> m_serviceDialogs;
};

// From the stand-in writing the RING line to the window showing the caller named from the book. The release that
// follows each call (with its history row) is not timed.
void BM_RingToDisplay(benchmark::State& state)
{
    Client client;
    int contact = 0;
    for (auto _ : state) {
        contact = (contact + 7919) % Contacts;
        QElapsedTimer clock;
        clock.start();
        client.control(QStringLiteral("ring 21 ") + callerNumber(contact));
        if (!client.waitForState(WindowState::Ringing)) {
            state.SkipWithError("the call did not ring");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::nanoseconds(clock.nsecsElapsed())).count());
        if (!client.skin().showText().endsWith(QStringLiteral(" %1").arg(contact))) {
            state.SkipWithError("the caller was not named from the book");
            break;
        }
        client.control(QStringLiteral("release 21 16"));
        client.waitForState(WindowState::Idle);
        // The idle window repaints before the next call, as it would between two real calls.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_RingToDisplay)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
