#include "app/BookCall.h"
#include "app/BookNaming.h"
#include "app/BookWindowsAssembly.h"
#include "app/CallContactEvents.h"
#include "books/BookWindowFixture.h"
#include "phone/WindowHarness.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The telephone window on a fake link with the book windows on real book files.
struct TelephoneWithBooks {
    TelephoneWithBooks()
    {
        started = books.core.start();
        if (started) {
            naming = std::make_unique<BookNaming>(books.core, books.settings);
            assembly = std::make_unique<BookWindowsAssembly>(
                books.settings, [] {}, books.core, *naming, telephone.window, BookWindowsAssembly::Openers{},
                &books.messages,
                [this](const QString& question) {
                    questions.append(question);
                    return answers.isEmpty() ? false : answers.takeFirst();
                });
            assembly->fillMenuOpeners(openers);
        }
    }
    ~TelephoneWithBooks() { assembly.reset(); }

    BookWindowFixture books;
    WindowHarness telephone;
    std::unique_ptr<BookNaming> naming;
    std::unique_ptr<BookWindowsAssembly> assembly;
    TMainForm::Openers openers;
    QStringList questions;
    QList<bool> answers;
    bool started = false;
};

} // namespace

// The book windows as the telephone window and the call events open them.
class TestBookWindowsAssembly final : public QObject {
    Q_OBJECT

private slots:
    void aTypedNameOpensTheBookWindowSearchingIt()
    {
        TelephoneWithBooks client;
        QVERIFY(client.started);
        insertContact(client.books.privateBook(), u"Jan Kowalski"_s, {u"101"_s});
        client.books.core.requeryBooks();
        client.telephone.window.paste(u"Kow"_s);
        TPhoneBookForm& bookWindow = client.assembly->bookWindow();
        QVERIFY(bookWindow.isVisible());
        QCOMPARE(bookWindow.searchField().text(), u"Kow"_s);
        QCOMPARE(bookWindow.nameModel().rowCount(), 2);
        QCOMPARE(client.telephone.window.entryText(), QString());
        // A number typed stays in the entry line.
        client.telephone.window.entryEdited(u"600"_s);
        QCOMPARE(client.telephone.window.entryText(), u"600"_s);
        QCOMPARE(bookWindow.searchField().text(), u"Kow"_s);
    }

    void theTelephoneItemsEditAndAddTheCurrentNumber()
    {
        TelephoneWithBooks client;
        QVERIFY(client.started);
        const int jan = insertContact(client.books.privateBook(), u"Jan"_s, {QString(), u"600100200"_s});
        client.telephone.window.entryEdited(u"600 100 200"_s);
        client.openers.editBook();
        QCOMPARE(client.assembly->editors().windows().size(), 1);
        QCOMPARE(client.assembly->editors().windows().last()->contactId(), jan);
        client.openers.addToBook(4);
        TEditPhoneBookForm* added = client.assembly->editors().windows().last();
        QVERIFY(!added->contactId());
        QCOMPARE(added->numberField(4).text(), u"600100200"_s);
        QCOMPARE(added->defaultChoice().currentData().toInt(), 3);
        // Notes of a known number open on the notes page.
        client.openers.notes();
        QCOMPARE(client.assembly->editors().windows().last()->pages().currentIndex(),
                 static_cast<int>(ContactPage::Notes));
        // An unknown number is a new contact: short ones are extensions.
        QCOMPARE(ContactWindows::positionForNew(u"123"_s), 1);
        QCOMPARE(ContactWindows::positionForNew(u"600100201"_s), 2);
        client.assembly->contactWindows().editNumber(u"+48 600 100 201"_s);
        QCOMPARE(client.assembly->editors().windows().last()->numberField(2).text(), u"600100201"_s);
    }

    void callEventsFollowTheSettings_data()
    {
        QTest::addColumn<int>("notesOn");
        QTest::addColumn<int>("addOn");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("opensNotes");
        QTest::addColumn<bool>("addsUnknown");
        const int ringing = static_cast<int>(WindowState::Ringing);
        const int incoming = static_cast<int>(WindowState::IncomingConnected);
        const int outgoing = static_cast<int>(WindowState::OutgoingConnected);
        QTest::newRow("notes on ringing") << 0 << -1 << ringing << true << false;
        QTest::newRow("ringing notes, incoming call") << 0 << -1 << incoming << false << false;
        QTest::newRow("notes on incoming") << 1 << -1 << incoming << true << false;
        QTest::newRow("notes on outgoing") << 2 << -1 << outgoing << true << false;
        QTest::newRow("outgoing notes, ringing") << 2 << -1 << ringing << false << false;
        QTest::newRow("both, incoming") << 3 << -1 << incoming << true << false;
        QTest::newRow("both, outgoing") << 3 << -1 << outgoing << true << false;
        QTest::newRow("add on ringing") << -1 << 0 << ringing << false << true;
        QTest::newRow("add on incoming, ringing") << -1 << 1 << ringing << false << false;
        QTest::newRow("add on incoming") << -1 << 1 << incoming << false << true;
        QTest::newRow("add, outgoing") << -1 << 0 << outgoing << false << false;
    }
    void callEventsFollowTheSettings()
    {
        QFETCH(int, notesOn);
        QFETCH(int, addOn);
        QFETCH(int, state);
        QFETCH(bool, opensNotes);
        QFETCH(bool, addsUnknown);
        SettingsRecord settings;
        settings.Notatki.OtwNotatki = notesOn >= 0;
        settings.Notatki.OtwNotatkiNa = std::max(0, notesOn);
        settings.Ksiazka.DodajNowy = addOn >= 0;
        settings.Ksiazka.DodajNowyNa = std::max(0, addOn);
        QCOMPARE(CallContactEvents::opensNotes(settings, static_cast<WindowState>(state)), opensNotes);
        QCOMPARE(CallContactEvents::addsUnknown(settings, static_cast<WindowState>(state)), addsUnknown);
    }

    void aCallEventActsOncePerCall()
    {
        SettingsRecord settings;
        settings.Notatki.OtwNotatki = true;
        settings.Notatki.OtwNotatkiNa = 3;
        settings.Ksiazka.DodajNowy = true;
        settings.Ksiazka.DodajNowyNa = 1;
        QStringList notes;
        QStringList added;
        CallContactEvents events(settings, {[](const QString& number) -> std::optional<CallContactEvents::Known> {
                                                if (number == u"100") {
                                                    return CallContactEvents::Known{false};
                                                }
                                                if (number == u"200") {
                                                    return CallContactEvents::Known{true};
                                                }
                                                return std::nullopt;
                                            },
                                            [&notes](const QString& number) { notes.append(number); },
                                            [&added](const QString& number) {
                                                added.append(number);
                                            }});
        events.stateApplied(WindowState::IncomingConnected, u"100"_s);
        events.stateApplied(WindowState::IncomingConnected, u"100"_s);
        QCOMPARE(notes, QStringList{u"100"_s});
        events.stateApplied(WindowState::Idle, QString());
        events.stateApplied(WindowState::OutgoingConnected, u"100"_s);
        QCOMPARE(notes.size(), 2);
        // "Don't open notes", and the unknown caller added once.
        events.stateApplied(WindowState::IncomingConnected, u"200"_s);
        events.stateApplied(WindowState::IncomingConnected, u"999"_s);
        events.stateApplied(WindowState::IncomingConnected, u"999"_s);
        QCOMPARE(notes.size(), 2);
        QCOMPARE(added, QStringList{u"999"_s});
    }

    void callingFromTheBookAsksToParkOrHoldTheConversation()
    {
        WindowHarness telephone;
        QStringList questions;
        QList<bool> answers;
        BookCall call(telephone.window, [&](const QString& question) {
            questions.append(question);
            return answers.takeFirst();
        });
        call.call(u"600100200"_s);
        QVERIFY(questions.isEmpty());
        QCOMPARE(telephone.takeCommands(), QStringList{u"aPICK 21__"_s});
        telephone.receive(u"aOK"_s);
        telephone.receive(u"aDRDY 21__"_s);
        QCOMPARE(telephone.takeCommands(), QStringList{u"aDIAL 21__ 600100200"_s});
        telephone.receive(u"aOK"_s);
        telephone.receive(u"aREL 21__ 16"_s);

        telephone.receive(u"aRING 21__ 600111222 0 21"_s);
        telephone.receive(u"aCONN 21__ 600111222"_s);
        QCOMPARE(telephone.window.state(), WindowState::IncomingConnected);
        telephone.takeCommands();
        answers = {false, false};
        call.call(u"600100201"_s);
        QCOMPARE(questions, (QStringList{u"Park current connection?"_s, u"Hold current connection?"_s}));
        QVERIFY(telephone.takeCommands().isEmpty());
        answers = {true};
        call.call(u"600100201"_s);
        const QString sent = telephone.takeCommands().join(u' ');
        QVERIFY2(sent.contains(u"#31"_s), qPrintable(sent + u" | "_s + questions.join(u"|"_s)));
    }
};

QTEST_MAIN(TestBookWindowsAssembly)
#include "TestBookWindowsAssembly.moc"
