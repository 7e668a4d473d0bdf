#include "app/SmsBookNumbers.h"
#include "app/SmsNewContact.h"
#include "books/ContactRows.h"
#include "books/FakeBookDialogs.h"
#include "books/RecordingHistoryErrors.h"
#include "books/database/TdbCore.h"
#include "settings/SettingsRecord.h"
#include "support/ManualClock.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A private book on SQLite in a throwaway folder, no public book.
struct PrivateBookOnly {
    PrivateBookOnly()
    {
        settings.Historia.Katalog = folder.filePath(QStringLiteral("history"));
        settings.Ksiazka.KsPrywatna = folder.filePath(QStringLiteral("private"));
        settings.Ksiazka.KsPubliczna.clear();
        settings.Ksiazka.SzukajNazw = 0;
        settings.Ksiazka.IgnorujPolskieZnaki = true;
        settings.Sms.SmsKier = QStringLiteral("48");
    }

    QTemporaryDir folder;
    SettingsRecord settings;
    FakeBookDialogs dialogs;
    RecordingHistoryErrors historyErrors;
    ManualClock clock;
    TdbCore core{settings,
                 TdbCore::DefaultFolders{folder.filePath(QStringLiteral("data/PhoneBook")),
                                         folder.filePath(QStringLiteral("data/History/ConversationLog")),
                                         folder.filePath(QStringLiteral("data/History/VoiceNotes"))},
                 dialogs, historyErrors, clock};
};

} // namespace

// The recipient picker's view of a real private book on SQLite: groups by name, every number of each contact the
// name search lets through with its position and group, and nothing from a book that is closed.
class TestSmsBookNumbers final : public QObject {
    Q_OBJECT

private slots:
    void readsGroupsAndNumbersThroughTheNameSearch()
    {
        PrivateBookOnly f;
        SettingsRecord& settings = f.settings;
        TdbCore& core = f.core;
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

    // "Add to a phone book" of the SMS window: a new private contact with the number in the chosen position as its
    // default; a cancelled name stores nothing, and a name the book refuses is warned about and not stored.
    void smsWindowAddsANewContactWithTheNumber()
    {
        PrivateBookOnly f;
        QVERIFY(f.core.start());
        QString typedName = QStringLiteral("Jan Kowalski");
        QStringList warnings;
        SmsNewContact adder(f.core, f.settings,
                            {[&typedName](const QString&) { return typedName; },
                             [&warnings](const QString&, const QString& text) {
                                 warnings.append(text);
                             }});
        adder.addToBook(QStringLiteral("+48600123456"), 4);
        typedName.clear();
        adder.addToBook(QStringLiteral("600999888"), 2);
        typedName = QStringLiteral("7 up");
        adder.addToBook(QStringLiteral("600777777"), 1);
        QCOMPARE(warnings.size(), 1);

        SmsBookNumbers numbers(f.core, f.settings);
        const QList<SmsBookPort::Number> stored = numbers.numbers(SmsBookPort::PrivateBook, QString());
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().name, QStringLiteral("Jan Kowalski"));
        QCOMPARE(stored.first().number, QStringLiteral("600123456"));
        QCOMPARE(stored.first().kind, 4);
        QSqlQuery defaultNumber(f.core.book(TdbCore::PrivateBook)->database());
        QVERIFY(defaultNumber.exec(QStringLiteral("SELECT DefNr FROM Book2")) && defaultNumber.next());
        QCOMPARE(defaultNumber.value(0).toInt(), 3);
    }
};

QTEST_MAIN(TestSmsBookNumbers)
#include "TestSmsBookNumbers.moc"
