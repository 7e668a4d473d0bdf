#include "FakeBookDialogs.h"
#include "books/history/HistoryRecordingFiles.h"
#include "support/TdbCoreOnDisk.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A books core on folders of its own; each test chooses the configured folders.
class CoreUnderTest : public TdbCoreOnDisk {
public:
    CoreUnderTest()
    {
        clock.draw = [](int bound) {
            return bound - 1;
        }; // the longest wait before a refresh
    }

    static void addContact(PhoneBook* book, const QString& name, const QString& column, const QString& number)
    {
        QSqlQuery query(book->database());
        query.prepare(QStringLiteral("INSERT INTO Book2 (Nazwa, %1) VALUES (?, ?)").arg(column));
        query.addBindValue(name);
        query.addBindValue(number);
        QVERIFY(query.exec());
    }
};

bool touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

// A phone book made in folder the way the first start makes one.
bool createBook(const QString& folder)
{
    FakeBookDialogs dialogs;
    PhoneBookConnector book(BookState::privateBook(folder), dialogs);
    return book.connect(folder, true).ok;
}

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
        QCOMPARE(test.core.historyReader()->countAll(), 0);
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

    void unreachablePrivateFolderIsTriedAgainLaterButNeverCreated()
    {
        CoreUnderTest test;
        // A file where the folder should be: it cannot be used until the user removes it.
        const QString blocked = test.folder.filePath(QStringLiteral("blocked"));
        QVERIFY(touch(blocked));
        test.settings.Ksiazka.KsPrywatna = blocked + QStringLiteral("/book");
        QVERIFY(test.core.start());
        QVERIFY(test.dialogs.warnings.isEmpty());
        const BookState& state = test.core.bookState(TdbCore::PrivateBook);
        QVERIFY(state.connected && state.defaults && state.hasPendingError());

        QVERIFY(QFile::remove(blocked));
        test.core.reconnectFailedBooks();
        QVERIFY(state.connected && state.defaults && state.hasPendingError());
        QVERIFY(!QFileInfo::exists(blocked));

        // The folder comes back with its book.
        QVERIFY(createBook(blocked + QStringLiteral("/book")));
        test.core.reconnectFailedBooks();
        QVERIFY(state.connected && !state.defaults && !state.hasPendingError());
    }

    void refreshLeavesAMissingShareAloneUntilItComesBack_data()
    {
        QTest::addColumn<bool>("mountPointRemains");
        QTest::newRow("empty mount point") << true;
        QTest::newRow("folder gone") << false;
    }

    void refreshLeavesAMissingShareAloneUntilItComesBack()
    {
        QFETCH(bool, mountPointRemains);
        CoreUnderTest test;
        const QString share = test.folder.filePath(QStringLiteral("share"));
        test.settings.Ksiazka.KsPrywatna = share;
        test.settings.Ksiazka.KsPubliczna = test.folder.filePath(QStringLiteral("public"));
        QVERIFY(test.core.start());
        CoreUnderTest::addContact(test.core.book(TdbCore::PrivateBook), QStringLiteral("Jan"), QStringLiteral("Nr1"),
                                  QStringLiteral("600"));
        const QString away = test.folder.filePath(QStringLiteral("away"));
        QVERIFY(QDir().rename(share, away));
        QVERIFY(QDir().rename(test.settings.Ksiazka.KsPubliczna, test.folder.filePath(QStringLiteral("public-away"))));
        if (mountPointRemains) {
            QVERIFY(QDir().mkpath(share));
            QVERIFY(QDir().mkpath(test.settings.Ksiazka.KsPubliczna));
        }

        for (int tick = 0; tick < 2; ++tick) {
            test.core.autoUpdate();
            QVERIFY(!QFileInfo::exists(share + QStringLiteral("/book.mdb")));
            QCOMPARE(QFileInfo::exists(share), mountPointRemains);
            QVERIFY(!QFileInfo::exists(test.settings.Ksiazka.KsPubliczna + QStringLiteral("/book.mdb")));
        }
        const BookState& privateBook = test.core.bookState(TdbCore::PrivateBook);
        QVERIFY(privateBook.connected && privateBook.defaults);
        QCOMPARE(privateBook.pendingErrorText,
                 QStringLiteral("Private phone book is unavailable!\n Default settings will be restore."));
        const BookState& publicBook = test.core.bookState(TdbCore::PublicBook);
        QVERIFY(!publicBook.connected && test.core.book(TdbCore::PublicBook) == nullptr);
        QCOMPARE(publicBook.pendingErrorText,
                 QStringLiteral("Public phone book unavailable! Phone book cannot be refresh.\n"));
        QCOMPARE(test.core.nameForNumber(QStringLiteral("600")), QString());
        QVERIFY(test.dialogs.nothingShown());

        QVERIFY(QDir(share).removeRecursively());
        QVERIFY(QDir().rename(away, share));
        test.core.autoUpdate();
        QVERIFY(privateBook.connected && !privateBook.defaults && !privateBook.hasPendingError());
        QCOMPARE(test.core.nameForNumber(QStringLiteral("600")), QStringLiteral("Jan"));
    }

    void anOutageIsAnnouncedOnceAndItsEndToo()
    {
        CoreUnderTest test;
        const QString share = test.folder.filePath(QStringLiteral("share"));
        test.settings.Ksiazka.KsPrywatna = share;
        QSignalSpy unavailable(&test.core, &TdbCore::bookUnavailable);
        QSignalSpy back(&test.core, &TdbCore::bookAvailableAgain);
        QVERIFY(touch(share));
        QVERIFY(test.core.start());
        QCOMPARE(unavailable.size(), 1);
        QCOMPARE(unavailable[0][0].toString(), test.core.bookState(TdbCore::PrivateBook).pendingErrorText);
        QVERIFY(unavailable[0][0].toString().startsWith(QStringLiteral("Access path to a private phone book")));

        test.core.autoUpdate();
        test.core.reconnectFailedBooks();
        QCOMPARE(unavailable.size(), 1);
        QCOMPARE(back.size(), 0);

        QVERIFY(QFile::remove(share));
        QVERIFY(createBook(share));
        test.core.reconnectFailedBooks();
        QCOMPARE(back.size(), 1);
        QCOMPARE(back[0][0].toString(), QStringLiteral("Private phone book is available again."));
        test.core.autoUpdate();
        QCOMPARE(back.size(), 1);

        // A new outage is told again.
        QVERIFY(QDir(share).removeRecursively());
        test.core.autoUpdate();
        QCOMPARE(unavailable.size(), 2);
        QCOMPARE(unavailable[1][0].toString(),
                 QStringLiteral("Private phone book is unavailable!\n Default settings will be restore."));
    }

    void aFatalRefreshIsReportedOncePerOutage()
    {
        CoreUnderTest test;
        const QString share = test.folder.filePath(QStringLiteral("share"));
        test.settings.Ksiazka.KsPrywatna = share;
        QVERIFY(test.core.start());
        // The share goes, and the default folder cannot be made either.
        const QString away = test.folder.filePath(QStringLiteral("away"));
        QVERIFY(QDir().rename(share, away));
        QVERIFY(QDir().mkpath(test.folder.filePath(QStringLiteral("data"))));
        QVERIFY(touch(test.folder.filePath(QStringLiteral("data/PhoneBook"))));

        test.core.autoUpdate();
        QCOMPARE(test.dialogs.warnings.size(), 1);
        QVERIFY(test.dialogs.warnings[0].startsWith(QStringLiteral("Private phone book fatal error")));
        QVERIFY(!test.core.isBookConnected(TdbCore::PrivateBook));
        for (int tick = 0; tick < 3; ++tick) {
            test.core.autoUpdate();
        }
        test.core.reconnectFailedBooks();
        QCOMPARE(test.dialogs.warnings.size(), 1);
        QCOMPARE(test.core.nameForNumber(QStringLiteral("600")), QString());

        QVERIFY(QDir().rename(away, share));
        test.core.autoUpdate();
        QVERIFY(test.core.isBookConnected(TdbCore::PrivateBook));
        QVERIFY(QDir().rename(share, away));
        test.core.autoUpdate();
        QCOMPARE(test.dialogs.warnings.size(), 2);
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
            entry.startTime = QTime(9, 0).addSecs(static_cast<int>(test.core.historyReader()->countAll()) * 60);
            entry.number = QLatin1String(number);
            QVERIFY(test.core.historyRegister()->addEntry(entry) > 0);
        }
        const QList<HistoryEntry> entries =
            test.core.historyOfContact(QStringLiteral("Jan"), HistoryReader::ContactEntries::All);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.first().number, QStringLiteral("600"));
        QVERIFY(test.core.historyOfContact(QStringLiteral("Nobody"), HistoryReader::ContactEntries::All).isEmpty());
    }

    // The recordings folder chosen in the configuration while the program runs is where the trimming deletes.
    void trimmingFollowsARecordingsFolderChangedWhileRunning()
    {
        CoreUnderTest test;
        QVERIFY(test.core.start());
        const QString chosen = test.folder.filePath(QStringLiteral("chosen"));
        QVERIFY(QDir().mkpath(chosen));
        test.settings.Audio.Katalog = chosen;
        HistoryEntry entry;
        entry.kind = HistoryKind::IncomingAnswered;
        entry.startDate = QDate(2026, 3, 2);
        entry.startTime = QTime(9, 0);
        entry.endDate = entry.startDate;
        entry.endTime = QTime(9, 1);
        entry.number = QStringLiteral("600");
        entry.hasRecording = true;
        QVERIFY(test.core.historyRegister()->addEntry(entry) > 0);
        const HistoryRecordingFiles files(chosen, {});
        QFile recording(files.path(entry));
        QVERIFY(recording.open(QIODevice::WriteOnly));
        recording.close();

        QCOMPARE(test.core.trimHistory(0, true), 1);
        QVERIFY(!recording.exists());
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
