#include "app/SmsBookNumbers.h"
#include "books/ContactRows.h"
#include "books/FakeBookDialogs.h"
#include "books/RecordingHistoryErrors.h"
#include "books/database/TdbCore.h"
#include "settings/SettingsRecord.h"
#include "support/ManualClock.h"

#include <QTemporaryDir>
#include <QTest>

// The recipient picker's view of a real private book on SQLite: groups by name, every number of each contact the
// name search lets through with its position and group, and nothing from a book that is closed.
class TestSmsBookNumbers final : public QObject {
    Q_OBJECT

private slots:
    void readsGroupsAndNumbersThroughTheNameSearch()
    {
        QTemporaryDir folder;
        SettingsRecord settings;
        settings.Historia.Katalog = folder.filePath(QStringLiteral("history"));
        settings.Ksiazka.KsPrywatna = folder.filePath(QStringLiteral("private"));
        settings.Ksiazka.KsPubliczna.clear();
        settings.Ksiazka.SzukajNazw = 0;
        settings.Ksiazka.IgnorujPolskieZnaki = true;
        FakeBookDialogs dialogs;
        RecordingHistoryErrors historyErrors;
        ManualClock clock;
        TdbCore core(settings,
                     TdbCore::DefaultFolders{folder.filePath(QStringLiteral("data/PhoneBook")),
                                             folder.filePath(QStringLiteral("data/History/ConversationLog")),
                                             folder.filePath(QStringLiteral("data/History/VoiceNotes"))},
                     dialogs, historyErrors, clock);
        QVERIFY(core.start());
        const QSqlDatabase book = core.book(TdbCore::PrivateBook)->database();
        QSqlQuery group(book);
        QVERIFY(group.exec(QStringLiteral("INSERT INTO Groups (ID, Nazwa) VALUES (3, 'Family')")));
        QVERIFY(insertContact(book, QStringLiteral("Łukasz Wróbel"),
                              {QStringLiteral("21"), QString(), QString(), QStringLiteral("600111222")}, 3) > 0);
        QVERIFY(insertContact(book, QStringLiteral("Anna Nowak"), {QString(), QStringLiteral("585551234")}) > 0);

        SmsBookNumbers numbers(core, settings);
        const QList<SmsBookPort::Group> groups = numbers.groups(SmsBookPort::PrivateBook);
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups.first().name, QStringLiteral("Family"));

        const QList<SmsBookPort::Number> all = numbers.numbers(SmsBookPort::PrivateBook, QString());
        QCOMPARE(all.size(), 3);
        QCOMPARE(all.at(0).name, QStringLiteral("Anna Nowak"));
        QCOMPARE(all.at(0).kind, 2);
        QCOMPARE(all.at(2).number, QStringLiteral("600111222"));
        QCOMPARE(all.at(2).kind, 4);
        QCOMPARE(all.at(2).groupId, 3);

        // A word start, without its diacritics.
        const QList<SmsBookPort::Number> found = numbers.numbers(SmsBookPort::PrivateBook, QStringLiteral("wrob"));
        QCOMPARE(found.size(), 2);
        QCOMPARE(found.first().name, QStringLiteral("Łukasz Wróbel"));
        QVERIFY(numbers.numbers(SmsBookPort::PublicBook, QString()).isEmpty());
        QVERIFY(numbers.groups(SmsBookPort::PublicBook).isEmpty());
    }
};

QTEST_MAIN(TestSmsBookNumbers)
#include "TestSmsBookNumbers.moc"
