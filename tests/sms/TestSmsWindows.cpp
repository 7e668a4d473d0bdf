#include "GateHarness.h"
#include "sms/ui/SmsWindowList.h"
#include "sms/ui/TReceive.h"
#include "sms/ui/TSMSfrWindow.h"
#include "support/RenderFolder.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>

// The compose window driven by its buttons over the gate link's core, and the received-message window.
class TestSmsWindows final : public QObject {
    Q_OBJECT

private slots:
    void counterShowsSegmentsAndWhatIsLeft()
    {
        GateHarness h;
        TSMSfrWindow window(h.settings, h.link);
        QCOMPARE(window.counter().text(), QStringLiteral("0/160"));
        window.textField().setPlainText(QStringLiteral("a\nb"));
        QCOMPARE(window.counter().text(), QStringLiteral("1/156"));
        window.textField().setPlainText(QString(161, u'x'));
        QCOMPARE(window.counter().text(), QStringLiteral("2/159"));
        window.textField().setPlainText(QString(9 * 160, u'x'));
        QCOMPARE(window.textField().toPlainText().size(), 8 * 160);
        QCOMPARE(window.counter().text(), QStringLiteral("8/0"));
    }

    void numberFieldTakesOnlyDialableNumbers()
    {
        GateHarness h;
        TSMSfrWindow window(h.settings, h.link);
        window.numberField().setText(QStringLiteral("60a"));
        QVERIFY(!window.addButton().isEnabled());
        window.addButton().click();
        QCOMPARE(window.recipientList().rowCount(), 0);
        window.numberField().setText(QStringLiteral("+48600123456"));
        QVERIFY(window.addButton().isEnabled());
        window.addButton().click();
        QCOMPARE(window.recipientList().rowCount(), 1);
        QVERIFY(window.numberField().text().isEmpty());
    }

    // "List" off sends to the typed number alone; "Delete" takes the selected rows, "Delete all" only after a yes;
    // the number field's menu hands a valid number to the books in the chosen position.
    void listSwitchDeletingAndAddingToABook()
    {
        struct Contacts final : SmsContactPort {
            void addToBook(const QString& number, int position) override { added.append({number, position}); }
            QList<std::pair<QString, int>> added;
        } contacts;
        GateHarness h;
        h.logIn();
        TSMSfrWindow window(h.settings, h.link);
        window.setContactPort(&contacts);
        for (const char* number : {"600000001", "600000002", "600000003"}) {
            window.numberField().setText(QString::fromLatin1(number));
            window.addButton().click();
        }
        QVERIFY(window.listButton().isChecked());
        window.recipientList().setFocus();
        window.recipientList().selectRow(1);
        window.deleteSelection();
        QCOMPARE(window.recipientList().rowCount(), 2);
        QCOMPARE(window.recipientList().item(1, 1)->text(), QStringLiteral("600000003"));

        QStringList questions;
        bool answer = false;
        window.setQuestion([&](const QString& text) {
            questions.append(text);
            return answer;
        });
        window.deleteAll();
        QCOMPARE(window.recipientList().rowCount(), 2);
        answer = true;
        window.deleteAll();
        QCOMPARE(questions, QStringList(2, QStringLiteral("Delete all?.")));
        QCOMPARE(window.recipientList().rowCount(), 0);

        window.numberField().setText(QStringLiteral("60x"));
        QVERIFY(!window.addNumberToBook(4));
        window.numberField().setText(QStringLiteral("600123456"));
        QVERIFY(window.addNumberToBook(4));
        QVERIFY(!window.addNumberToBook(6));
        QCOMPARE(contacts.added, (QList<std::pair<QString, int>>{{QStringLiteral("600123456"), 4}}));
        QCOMPARE(window.numberMenu()->actions().last()->menu()->actions().size(), 5);

        window.addButton().click();
        window.numberField().setText(QStringLiteral("600999888"));
        window.listButton().click();
        QVERIFY(!window.listButton().isChecked() && window.recipientList().isHidden());
        window.textField().setPlainText(QStringLiteral("Hi"));
        window.sendButton().click();
        QCOMPARE(window.sending().recipients().size(), 1);
        QCOMPARE(window.sending().recipients().first().number, QStringLiteral("600999888"));
        QVERIFY(!window.listButton().isEnabled());
        window.clearText();
        QCOMPARE(window.textField().toPlainText(), QStringLiteral("Hi"));
    }

    void sendsToEveryRecipientAndShowsEachOutcome()
    {
        GateHarness h;
        h.logIn();
        TSMSfrWindow window(h.settings, h.link);
        window.setRecipient(QStringLiteral("Jan"), QStringLiteral("600123456"));
        window.numberField().setText(QStringLiteral("600999888"));
        window.addButton().click();
        window.textField().setPlainText(QStringLiteral("Hello"));
        window.sendButton().click();
        QVERIFY(window.sendTimer().isActive());
        QVERIFY(!window.sendButton().isEnabled() && window.cancelButton().isEnabled());
        for (int k = 1; k <= 2; ++k) {
            window.sendTimer().timeout({});
            QCOMPARE(window.progress().text(), QStringLiteral("Sending %1 of 2").arg(k));
            h.tick();
            QVERIFY(h.socket.written.last().startsWith(
                QStringLiteral("aSMSS G007 %1 N ")
                    .arg(k == 1 ? QStringLiteral("600123456") : QStringLiteral("600999888"))));
            QVERIFY(h.socket.written.last().endsWith(QStringLiteral(" Hello")));
            h.link.onLine(QStringLiteral("aOK"));
            h.link.onLine(QStringLiteral("SMSA G007 0 %1 %2")
                              .arg(k == 1 ? QStringLiteral("C") : QStringLiteral("R"))
                              .arg(40 + k));
        }
        window.sendTimer().timeout({});
        QCOMPARE(window.sending().state(), SmsSending::State::Finished);
        QVERIFY(!window.sendTimer().isActive() && window.sendButton().isEnabled());
        QCOMPARE(window.recipientList().item(0, 0)->text(), QStringLiteral("Jan"));
        QCOMPARE(window.recipientList().item(0, 2)->text(), QStringLiteral("Sms Centre acknowledge"));
        QCOMPARE(window.recipientList().item(1, 2)->text(), QStringLiteral("Sms Reject acknowledge"));
        QVERIFY(window.showForReference(41, QStringLiteral("Sms has been delivered to receiver")));
        QCOMPARE(window.recipientList().item(0, 2)->text(), QStringLiteral("Sms has been delivered to receiver"));
        QVERIFY(!window.showForReference(99, QStringLiteral("x")));
    }

    void failedSendCarriesOnWithSendAgain()
    {
        GateHarness h;
        h.logIn();
        TSMSfrWindow window(h.settings, h.link);
        window.numberField().setText(QStringLiteral("600123456"));
        window.textField().setPlainText(QStringLiteral("Hi"));
        window.sendButton().click();
        window.sendTimer().timeout({});
        h.link.onClosedByServer();
        h.tick(); // the segment queued for the gate is dropped
        QCOMPARE(window.sending().state(), SmsSending::State::Failed);
        QVERIFY(window.sendAgainButton().isEnabled() && !window.sendTimer().isActive());

        h.logIn();
        window.sendAgainButton().click();
        window.sendTimer().timeout({});
        h.tick();
        QVERIFY(h.socket.written.last().endsWith(QStringLiteral(" Hi")));
        h.link.onLine(QStringLiteral("aOK"));
        h.link.onLine(QStringLiteral("SMSA G007 0 C 7"));
        window.sendTimer().timeout({});
        QCOMPARE(window.sending().state(), SmsSending::State::Finished);
        QCOMPARE(window.recipientList().rowCount(), 1);
    }

    void replyAnswersTheNormalisedNumberAndCloses()
    {
        ReceivedSms message;
        message.sender = QStringLiteral("+48600123456");
        message.text = QStringLiteral("one\r\ntwo");
        auto* window = new TReceive(message, {QStringLiteral("Jan Kowalski"), QStringLiteral("600123456")});
        QCOMPARE(window->text().toPlainText(), QStringLiteral("one\ntwo"));
        QCOMPARE(window->from().text(), QStringLiteral("Jan Kowalski"));
        QSignalSpy replies(window, &TReceive::replyRequested);
        QSignalSpy gone(window, &QObject::destroyed);
        window->show();
        window->replyButton().click();
        QCOMPARE(replies.size(), 1);
        QCOMPARE(replies[0][0].toString(), QStringLiteral("600123456"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(gone.size(), 1);

        TReceive unknown(message, {});
        QCOMPARE(unknown.replyNumber(), QStringLiteral("+48600123456"));
    }

    void listKeepsTenComposeWindowsAndRoutesReports()
    {
        GateHarness h;
        h.logIn();
        SmsWindowList list(
            h.settings, h.link,
            {[](const QString& number) { return number == u"600123456" ? QStringLiteral("Jan Kowalski") : QString(); },
             [](const QString& number) { return QString(number).remove(QStringLiteral("+48")); },
             [] {
                 return QTime(9, 5, 7);
             }});
        QSignalSpy refused(&list, &SmsWindowList::tooManyWindows);
        QList<TSMSfrWindow*> windows;
        for (int k = 0; k < SmsWindowList::MaxComposeWindows; ++k) {
            windows.append(list.openCompose());
            QVERIFY(windows.last() != nullptr);
        }
        QVERIFY(list.openCompose() == nullptr);
        QCOMPARE(refused.size(), 1);
        delete windows.takeLast();
        QCOMPARE(list.composeCount(), SmsWindowList::MaxComposeWindows - 1);

        TSMSfrWindow* sender = windows.at(3);
        sender->numberField().setText(QStringLiteral("600123456"));
        sender->textField().setPlainText(QStringLiteral("Hi"));
        sender->sendButton().click();
        sender->sendTimer().timeout({});
        h.tick();
        h.link.onLine(QStringLiteral("aOK"));
        h.link.onLine(QStringLiteral("SMSA G007 0 C 21"));
        h.link.onLine(QStringLiteral("SMSR 1 G007 D 5 21"));
        GateLines::DeliveryReport report = *GateLines::DeliveryReport::parse(QStringLiteral("SMSR 1 G007 D 5 21"));
        list.showReport(report);
        QCOMPARE(sender->recipientList().item(0, 2)->text(),
                 QStringLiteral("Report: 9:05.07 Sms has been delivered to receiver"));

        ReceivedSms message;
        message.sender = QStringLiteral("+48600123456");
        TReceive* received = list.showReceived(message);
        QCOMPARE(received->from().text(), QStringLiteral("Jan Kowalski"));
        received->replyButton().click();
        QCOMPARE(list.composeCount(), SmsWindowList::MaxComposeWindows);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(list.receivedCount(), 0);
    }

    // The two SMS windows as the README shows them: a message sent to two recipients with their reports, and a
    // received message named from the books.
    void picturesForTheDocumentation()
    {
        GateHarness h;
        h.logIn();
        TSMSfrWindow compose(h.settings, h.link);
        compose.setRecipient(QStringLiteral("Jan Kowalski"), QStringLiteral("600123456"));
        compose.setRecipient(QStringLiteral("Anna Nowak"), QStringLiteral("48581234567"));
        compose.textField().setPlainText(QStringLiteral("The delivery is at the gate.\nPlease sign for it by 3 pm."));
        compose.sendButton().click();
        for (int reference = 41; reference <= 42; ++reference) {
            compose.sendTimer().timeout({});
            h.tick();
            h.link.onLine(QStringLiteral("aOK"));
            h.link.onLine(QStringLiteral("SMSA G007 0 C %1").arg(reference));
        }
        compose.sendTimer().timeout({});
        QVERIFY(compose.showForReference(41, QStringLiteral("Report: 14:05.12 Sms has been delivered to receiver")));
        compose.resize(640, 380);
        compose.show();
        QVERIFY(compose.grab().save(renderFolder() + QStringLiteral("/sms-compose.png")));

        ReceivedSms message;
        message.sender = QStringLiteral("+48600123456");
        message.when = QDateTime(QDate(2026, 12, 7), QTime(14, 2, 31));
        message.text = QStringLiteral("Lunch at noon?\r\nJan");
        TReceive received(message, {QStringLiteral("Jan Kowalski"), QStringLiteral("600123456")});
        received.resize(420, 320);
        received.show();
        QVERIFY(received.grab().save(renderFolder() + QStringLiteral("/sms-received.png")));
    }
};

QTEST_MAIN(TestSmsWindows)
#include "TestSmsWindows.moc"
