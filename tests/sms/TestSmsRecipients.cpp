#include "GateHarness.h"
#include "sms/SmsRecipientPicker.h"
#include "sms/ui/TPhoneBookSMSForm.h"
#include "sms/ui/TSMSfrWindow.h"

#include <QTest>

namespace {

// Two books held in lists; the name search is a plain substring test.
class ListedBooks final : public SmsBookPort {
public:
    QList<Group> groups(int book) override
    {
        return book == PrivateBook ? QList<Group>{{0, QStringLiteral("Others")}, {3, QStringLiteral("Family")}}
                                   : QList<Group>{{0, QStringLiteral("Others")}};
    }
    QList<Number> numbers(int book, const QString& searchText) override
    {
        searches.append(searchText);
        QList<Number> passing;
        for (const Number& number : book == PrivateBook ? privateBook : publicBook) {
            if (number.name.contains(searchText, Qt::CaseInsensitive)) {
                passing.append(number);
            }
        }
        return passing;
    }

    QList<Number> privateBook{{QStringLiteral("Anna Nowak"), QStringLiteral("21"), 1, 0},
                              {QStringLiteral("Anna Nowak"), QStringLiteral("600111222"), 4, 3},
                              {QStringLiteral("Jan Kowalski"), QStringLiteral("0/600123456"), 4, 0},
                              {QStringLiteral("Jan Kowalski"), QStringLiteral("585551234"), 3, 3}};
    QList<Number> publicBook{{QStringLiteral("Reception"), QStringLiteral("100"), 1, 0}};
    QStringList searches;
};

QStringList numbersOf(const QList<SmsBookPort::Number>& list)
{
    QStringList numbers;
    for (const SmsBookPort::Number& number : list) {
        numbers.append(number.number);
    }
    return numbers;
}

} // namespace

// Choosing SMS recipients from the books: the filters of the picker, the four moves, and the chosen numbers
// arriving in the compose window's list.
class TestSmsRecipients final : public QObject {
    Q_OBJECT

private slots:
    void filtersNarrowByNameKindAndGroup()
    {
        ListedBooks books;
        SmsRecipientPicker picker(books);
        picker.refresh();
        QCOMPARE(picker.shown().size(), 4);
        picker.setKind(4);
        QCOMPARE(numbersOf(picker.shown()), (QStringList{QStringLiteral("600111222"), QStringLiteral("0/600123456")}));
        picker.setGroup(3);
        QCOMPARE(numbersOf(picker.shown()), QStringList{QStringLiteral("600111222")});
        picker.setKind(SmsRecipientPicker::AllKinds);
        picker.setSearchText(QStringLiteral("jan"));
        QCOMPARE(books.searches.last(), QStringLiteral("jan"));
        QCOMPARE(numbersOf(picker.shown()), QStringList{QStringLiteral("585551234")});
        // Another book forgets the group, whose number means nothing there.
        picker.setSearchText(QString());
        picker.setBook(SmsBookPort::PublicBook);
        QCOMPARE(numbersOf(picker.shown()), QStringList{QStringLiteral("100")});
        picker.setKind(99);
        QCOMPARE(picker.shown().size(), 1);
    }

    void movesKeepEachNumberOnceAndRemoveTheRowsNamed()
    {
        ListedBooks books;
        SmsRecipientPicker picker(books);
        picker.refresh();
        picker.choose({1, 1, 7, -1});
        picker.chooseAll();
        QCOMPARE(numbersOf(picker.chosen()), (QStringList{QStringLiteral("600111222"), QStringLiteral("21"),
                                                          QStringLiteral("0/600123456"), QStringLiteral("585551234")}));
        picker.remove({3, 0, 0, 12});
        QCOMPARE(numbersOf(picker.chosen()), (QStringList{QStringLiteral("21"), QStringLiteral("0/600123456")}));
        picker.removeAll();
        QVERIFY(picker.chosen().isEmpty());
    }

    void pickedNumbersReachTheComposeWindow()
    {
        GateHarness h;
        ListedBooks books;
        TSMSfrWindow window(h.settings, h.link, &books);
        QVERIFY(!window.bookButton().isHidden());
        window.numberField().setText(QStringLiteral("585551234"));
        window.addButton().click();
        TPhoneBookSMSForm* picker = window.openBook();
        QVERIFY(picker != nullptr);
        QCOMPARE(picker->groupChoice().count(), 2);
        picker->kindChoice().setCurrentIndex(4);
        QCOMPARE(picker->shownList().count(), 2);
        picker->chooseAllButton().click();
        picker->kindChoice().setCurrentIndex(0);
        picker->groupSwitch().setChecked(true);
        picker->groupChoice().setCurrentIndex(1);
        QCOMPARE(picker->shownList().count(), 2);
        picker->shownList().item(1)->setSelected(true);
        picker->chooseButton().click();
        QCOMPARE(picker->recipientList().count(), 3);
        picker->recipientList().item(0)->setSelected(true);
        picker->removeButton().click();
        QCOMPARE(picker->recipientList().count(), 2);
        picker->okButton().click();

        // The number kept with a line prefix goes without it; one already listed is not listed twice.
        QCOMPARE(window.recipientList().rowCount(), 2);
        QCOMPARE(window.recipientList().item(0, 1)->text(), QStringLiteral("585551234"));
        QCOMPARE(window.recipientList().item(1, 0)->text(), QStringLiteral("Jan Kowalski"));
        QCOMPARE(window.recipientList().item(1, 1)->text(), QStringLiteral("600123456"));

        TPhoneBookSMSForm* cancelled = window.openBook();
        cancelled->chooseAllButton().click();
        cancelled->cancelButton().click();
        QCOMPARE(window.recipientList().rowCount(), 2);
    }

    void withoutBooksThereIsNoBookButton()
    {
        GateHarness h;
        TSMSfrWindow window(h.settings, h.link);
        QVERIFY(window.bookButton().isHidden());
        QVERIFY(window.openBook() == nullptr);
    }
};

QTEST_MAIN(TestSmsRecipients)
#include "TestSmsRecipients.moc"
