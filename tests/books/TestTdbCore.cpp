#include "FakeBookDialogs.h"
#include "books/HistoryErrorPort.h"
#include "books/TdbCore.h"
#include "settings/SettingsRecord.h"

#include <QDir>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

class RecordingHistoryErrors final : public HistoryErrorPort {
public:
    void showHistoryError(const QString& message, const QString& detail) override
    {
        errors.append(message + u'|' + detail);
    }

    QStringList errors;
};

// A books core on folders of its own: the defaults under data/, the configured folders chosen by each test.
class CoreUnderTest {
public:
    CoreUnderTest()
        : core(settings,
               TdbCore::DefaultFolders{folder.filePath(QStringLiteral("data/PhoneBook")),
                                       folder.filePath(QStringLiteral("data/History/ConversationLog")),
                                       folder.filePath(QStringLiteral("data/History/VoiceNotes"))},
               dialogs, historyErrors, [](int bound) { return bound - 1; })
    {
        settings.Historia.Katalog = folder.filePath(QStringLiteral("history"));
        settings.Ksiazka.KsPrywatna = folder.filePath(QStringLiteral("private"));
        settings.Ksiazka.KsPubliczna.clear();
    }

    static void addContact(PhoneBook* book, const QString& name, const QString& column, const QString& number)
    {
        QSqlQuery query(book->database());
        query.prepare(QStringLiteral("INSERT INTO Book2 (Nazwa, %1) VALUES (?, ?)").arg(column));
        query.addBindValue(name);
        query.addBindValue(number);
        QVERIFY(query.exec());
    }

    QTemporaryDir folder;
    SettingsRecord settings;
    FakeBookDialogs dialogs;
    RecordingHistoryErrors historyErrors;
    TdbCore core;
};

} // namespace

class TestTdbCore final : public QObject {
    Q_OBJECT

private slots:
    void firstRunOpensEverythingSilently()
    {
        CoreUnderTest test;
        QSignalSpy refreshes(&test.core, &TdbCore::telephoneWindowRefreshRequested);
        QVERIFY(test.core.start());
        QVERIFY(test.dialogs.nothingShown());
        QVERIFY(test.core.isBookConnected(TdbCore::PrivateBook));
        QVERIFY(!test.core.isBookConnected(TdbCore::PublicBook));
        QVERIFY(test.core.book(TdbCore::PublicBook) == nullptr);
        QVERIFY(QFileInfo::exists(test.folder.filePath(QStringLiteral("private/book.mdb"))));
        QVERIFY(QFileInfo::exists(test.folder.filePath(QStringLiteral("history/history.mdb"))));
        QVERIFY(test.core.bookState(TdbCore::PrivateBook).identity != 0);
        QCOMPARE(refreshes.size(), 1);
        QCOMPARE(test.core.refreshTimer().interval(), TdbCore::FirstRefreshMs);
        QCOMPARE(test.core.nameForNumber(QStringLiteral("600")), QString());
        QCOMPARE(test.core.historyReader().countAll(), 0);
    }

    void namesComeFromThePrivateBookFirstAndContactsByPriority()
    {
        CoreUnderTest test;
        test.settings.Ksiazka.KsPubliczna = test.folder.filePath(QStringLiteral("public"));
        QVERIFY(test.core.start());
        CoreUnderTest::addContact(test.core.book(TdbCore::PrivateBook), QStringLiteral("Jan private"),
                                  QStringLiteral("Nr2"), QStringLiteral("600"));
        CoreUnderTest::addContact(test.core.book(TdbCore::PublicBook), QStringLiteral("Jan public"),
                                  QStringLiteral("Nr1"), QStringLiteral("600"));
        CoreUnderTest::addContact(test.core.book(TdbCore::PublicBook), QStringLiteral("Ewa"), QStringLiteral("Nr1"),
                                  QStringLiteral("700"));

        for (const int priority : {0, 1}) {
            test.settings.Ksiazka.Priorytet = priority;
            QCOMPARE(test.core.nameForNumber(QStringLiteral("600")), QStringLiteral("Jan private"));
            QVERIFY(test.core.findContactForNumber(QStringLiteral("600")) >= 0);
            QCOMPARE(test.core.currentBookIndex(), priority == 0 ? TdbCore::PrivateBook : TdbCore::PublicBook);
        }
        QCOMPARE(test.core.bookState(TdbCore::PublicBook).matchedNumber, 1);
        // A number only the public book knows makes it current; an unknown one restores the book before.
        test.settings.Ksiazka.Priorytet = 0;
        test.core.selectCurrentBook(TdbCore::PrivateBook);
        QVERIFY(test.core.findContactForNumber(QStringLiteral("700")) >= 0);
        QCOMPARE(test.core.currentBookIndex(), TdbCore::PublicBook);
        QCOMPARE(test.core.findContactForNumber(QStringLiteral("999")), -1);
        QCOMPARE(test.core.currentBookIndex(), TdbCore::PublicBook);
    }

    void unreachablePrivateFolderIsTriedAgainLater()
    {
        CoreUnderTest test;
        // A file where the folder should be: it cannot be used until the user removes it.
        const QString blocked = test.folder.filePath(QStringLiteral("blocked"));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        test.settings.Ksiazka.KsPrywatna = blocked + QStringLiteral("/book");
        QVERIFY(test.core.start());
        QVERIFY(test.dialogs.warnings.isEmpty());
        const BookState& state = test.core.bookState(TdbCore::PrivateBook);
        QVERIFY(state.connected && state.defaults && state.hasPendingError());

        QVERIFY(QFile::remove(blocked));
        test.core.reconnectFailedBooks();
        QVERIFY(state.connected && !state.defaults && !state.hasPendingError());
        QVERIFY(QFileInfo::exists(blocked + QStringLiteral("/book/book.mdb")));
    }

    void historyOfAContactCoversAllItsNumbers()
    {
        CoreUnderTest test;
        QVERIFY(test.core.start());
        PhoneBook* book = test.core.book(TdbCore::PrivateBook);
        CoreUnderTest::addContact(book, QStringLiteral("Jan"), QStringLiteral("Nr1"), QStringLiteral("600"));
        CoreUnderTest::addContact(book, QStringLiteral("Jan"), QStringLiteral("Nr4"), QStringLiteral("700"));
        CoreUnderTest::addContact(book, QStringLiteral("Ewa"), QStringLiteral("Nr1"), QStringLiteral("800"));
        for (const char* number : {"600", "700", "800", "600"}) {
            HistoryEntry entry;
            entry.kind = HistoryKind::IncomingAnswered;
            entry.startDate = QDate(2026, 3, 2);
            entry.startTime = QTime(9, 0).addSecs(static_cast<int>(test.core.historyReader().countAll()) * 60);
            entry.number = QLatin1String(number);
            QVERIFY(test.core.historyRegister().addEntry(entry) > 0);
        }
        const QList<HistoryEntry> entries =
            test.core.historyOfContact(QStringLiteral("Jan"), HistoryReader::ContactEntries::All);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.first().number, QStringLiteral("600"));
        QVERIFY(test.core.historyOfContact(QStringLiteral("Nobody"), HistoryReader::ContactEntries::All).isEmpty());
    }

    void periodicRefreshReopensAndReschedules()
    {
        CoreUnderTest test;
        QVERIFY(test.core.start());
        QSignalSpy changed(&test.core, &TdbCore::booksChanged);
        QSignalSpy done(&test.core, &TdbCore::autoUpdateDone);
        CoreUnderTest::addContact(test.core.book(TdbCore::PrivateBook), QStringLiteral("Jan"), QStringLiteral("Nr1"),
                                  QStringLiteral("600"));
        test.core.autoUpdate();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(done.size(), 1);
        QCOMPARE(test.core.refreshTimer().interval(), TdbCore::RefreshMs + TdbCore::RefreshSpreadMs - 1);
        QCOMPARE(test.core.nameForNumber(QStringLiteral("600")), QStringLiteral("Jan"));
    }

    void bothPrivateFoldersUnusableIsFatal()
    {
        CoreUnderTest test;
        const QString blocked = test.folder.filePath(QStringLiteral("blocked"));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        test.settings.Ksiazka.KsPrywatna = blocked + QStringLiteral("/a");
        // The default folder is blocked the same way.
        QVERIFY(QDir().mkpath(test.folder.filePath(QStringLiteral("data"))));
        QFile defaultBlock(test.folder.filePath(QStringLiteral("data/PhoneBook")));
        QVERIFY(defaultBlock.open(QIODevice::WriteOnly));
        defaultBlock.close();
        QVERIFY(!test.core.start());
        QVERIFY(!test.dialogs.warnings.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTdbCore)
#include "TestTdbCore.moc"
