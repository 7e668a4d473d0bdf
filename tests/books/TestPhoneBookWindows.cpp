#include "BookWindowFixture.h"
#include "books/contacts/ContactConflict.h"
#include "books/ui/TGroupNameForm.h"
#include "books/ui/TPhoneBookOptionsForm.h"
#include "support/RenderFolder.h"

#include <QAction>
#include <QTest>

using namespace Qt::StringLiterals;

// The phone book windows on real book files: searching, the commands, the editing windows and their saving rules,
// two users editing one contact, and the groups.
class TestPhoneBookWindows final : public QObject {
    Q_OBJECT

private slots:
    void searchFiltersTheGroupedGridUnderItsHeaders()
    {
        BookWindowFixture books;
        QVERIFY(books.start());
        const int friends = books.addGroup(u"Friends"_s);
        insertContact(books.privateBook(), u"Jan Kowalski"_s, {u"101"_s}, friends);
        insertContact(books.privateBook(), u"Piotr Zieliński"_s, {u"102"_s}, friends);
        insertContact(books.privateBook(), u"Anna Kowalska"_s, {u"103"_s});
        insertContact(books.privateBook(), u"Ewa Nowak"_s, {u"104"_s});
        books.core.requeryBooks();
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Friends"_s, u"Jan Kowalski"_s, u"Piotr Zieliński"_s,
                                                  u"[-] Others"_s, u"Anna Kowalska"_s, u"Ewa Nowak"_s}));

        QTest::keyClicks(&books.form->searchField(), u"kow"_s);
        QCOMPARE(books.shownNames(),
                 (QStringList{u"[-] Friends"_s, u"Jan Kowalski"_s, u"[-] Others"_s, u"Anna Kowalska"_s}));
        // The cursor stands on the first contact that passes, which Enter calls.
        QCOMPARE(books.form->nameGrid().currentIndex().row(), 1);
        QTest::keyClick(&books.form->searchField(), Qt::Key_Return);
        QCOMPARE(books.called, QStringList{u"101"_s});

        // Folded diacritics, and the name modes: "zielin" is inside a word, "kow" starts no name.
        books.form->searchField().setText(u"zielin"_s);
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Friends"_s, u"Piotr Zieliński"_s}));
        books.settings.Ksiazka.SzukajNazw = 1;
        books.form->searchOptionsChanged();
        QCOMPARE(books.shownNames(), QStringList());
        books.form->searchField().setText(u"jan k"_s);
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Friends"_s, u"Jan Kowalski"_s}));
        books.settings.Ksiazka.SzukajNazw = 2;
        books.form->searchOptionsChanged();
        books.form->searchField().setText(u"owak"_s);
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Others"_s, u"Ewa Nowak"_s}));

        // The group search, closing all groups, and the classic grid.
        books.form->searchField().clear();
        books.form->groupSearchField().setText(u"fri"_s);
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Friends"_s, u"Jan Kowalski"_s, u"Piotr Zieliński"_s}));
        books.form->groupSearchField().clear();
        books.form->command(u"DemoteAll"_s)->trigger();
        QCOMPARE(books.shownNames(), (QStringList{u"[+] Friends"_s, u"[+] Others"_s}));
        books.form->command(u"PromoteAll"_s)->trigger();
        books.form->command(u"HideGroups"_s)->trigger();
        QCOMPARE(books.shownNames(),
                 (QStringList{u"Anna Kowalska"_s, u"Ewa Nowak"_s, u"Jan Kowalski"_s, u"Piotr Zieliński"_s}));
        QCOMPARE(books.settings.Ksiazka.TrybGrup, 1);
    }

    void deleteAsksAndRemoves()
    {
        BookWindowFixture books;
        QVERIFY(books.start());
        insertContact(books.privateBook(), u"Anna"_s, {u"1"_s});
        insertContact(books.privateBook(), u"Bogdan"_s, {u"2"_s});
        books.core.requeryBooks();
        books.form->searchField().setText(u"bog"_s);
        books.messages.answer = false;
        books.form->command(u"Delete"_s)->trigger();
        QCOMPARE(books.messages.questions.size(), 1);
        QCOMPARE(books.messages.questions.last().second, u"Delete item from phone book?"_s);
        QCOMPARE(scalar(books.privateBook(), u"SELECT COUNT(*) FROM Book2"_s).toInt(), 2);
        books.messages.answer = true;
        books.form->command(u"Delete"_s)->trigger();
        QCOMPARE(scalar(books.privateBook(), u"SELECT COUNT(*) FROM Book2 WHERE Nazwa = 'Bogdan'"_s).toInt(), 0);
        books.form->searchField().clear();
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Others"_s, u"Anna"_s}));
        books.form->command(u"DeleteAll"_s)->trigger();
        QCOMPARE(books.messages.questions.last().second, u"Delete all from the phone book?"_s);
        QCOMPARE(scalar(books.privateBook(), u"SELECT COUNT(*) FROM Book2"_s).toInt(), 0);
    }

    void privateAndPublicSwitchTheCurrentBook()
    {
        BookWindowFixture books;
        books.settings.Ksiazka.KsPubliczna = books.folder.filePath(u"public"_s);
        QVERIFY(books.start());
        insertContact(books.privateBook(), u"Mine"_s, {u"1"_s});
        insertContact(books.core.book(TdbCore::PublicBook)->database(), u"Shared"_s, {u"2"_s});
        books.core.requeryBooks();
        books.form->command(u"Public"_s)->trigger();
        QCOMPARE(books.core.currentBookIndex(), TdbCore::PublicBook);
        QCOMPARE(books.settings.Ksiazka.Tryb, 1);
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Others"_s, u"Shared"_s}));
        QVERIFY(books.form->command(u"Public"_s)->isChecked());
        books.form->command(u"Private"_s)->trigger();
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Others"_s, u"Mine"_s}));
    }

    void aClosedBookShowsTheOfflinePanel()
    {
        BookWindowFixture books;
        QVERIFY(books.start());
        books.form->show();
        books.form->command(u"Public"_s)->trigger();
        QVERIFY(books.form->offlinePanel().isVisible());
        QVERIFY(!books.form->searchField().isVisible());
        QVERIFY(books.form->offlineReason().text().contains(u"Public phone book cannot be loaded."_s));
        QVERIFY(books.form->command(u"Public"_s)->text().endsWith(u"[Offline]"_s));
        QVERIFY(books.form->windowTitle().endsWith(u"[Offline]"_s));
        QVERIFY(!books.form->command(u"New"_s)->isEnabled());
        QCOMPARE(books.shownNames(), QStringList());
        books.form->command(u"Private"_s)->trigger();
        QVERIFY(books.form->searchField().isVisible());
    }

    void theNumberGridIsReadPageByPage()
    {
        BookWindowFixture books;
        QVERIFY(books.start());
        QSqlDatabase database = books.privateBook();
        database.transaction();
        for (int i = 0; i < 300; ++i) {
            insertContact(database, u"Contact %1"_s.arg(i),
                          {u"5%1"_s.arg(i, 4, 10, QChar(u'0')), u"/7%1"_s.arg(i, 4, 10, QChar(u'0'))});
        }
        database.commit();
        books.core.requeryBooks();
        books.form->command(u"SortByNumbers"_s)->trigger();
        NumberListModel& numbers = books.form->numberModel();
        QCOMPARE(numbers.rowCount(), NumberListModel::PageSize);
        QVERIFY(numbers.canFetchMore({}));
        numbers.fetchMore({});
        numbers.fetchMore({});
        numbers.fetchMore({});
        QCOMPARE(numbers.rowCount(), 600);
        QVERIFY(!numbers.canFetchMore({}));
        QCOMPARE(numbers.entry(0)->number, u"/70000"_s);
        QCOMPARE(numbers.entry(300)->number, u"50000"_s);
        // One leading "/" is skipped by the number search.
        books.form->searchField().setText(u"7029"_s);
        QCOMPARE(numbers.rowCount(), 10);
        QCOMPARE(numbers.entry(0)->name, u"Contact 290"_s);
        books.form->command(u"Call"_s)->trigger();
        QCOMPARE(books.called, QStringList{u"/70290"_s});
    }

    void theEditingWindowRefusesWhatTheBookRefuses()
    {
        BookWindowFixture books;
        QVERIFY(books.start());
        insertContact(books.privateBook(), u"Jan"_s, {u"600100200"_s});
        TEditPhoneBookForm* editor = books.editors->open({});
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->windowTitle(), u"Norvel Tervo Telephone - edit"_s);
        const struct {
            QString name;
            QString number;
            QString message;
        } cases[] = {
            {QString(), u"1"_s, u"No name in a phone book"_s},
            {u"Ewa"_s, QString(), u"Please choose a default number."_s},
            {u"7 Ewa"_s, u"1"_s, u"Name cannot start with a digit"_s},
            {u"Ewa"_s, u"abc"_s, u"No valid number in a phone book"_s},
        };
        for (const auto& check : cases) {
            editor->nameField().setText(check.name);
            editor->numberField(2).setText(check.number);
            editor->defaultChoice().setCurrentIndex(-1);
            QTest::mouseClick(&editor->okButton(), Qt::LeftButton);
            QVERIFY(editor->isVisible());
            QCOMPARE(books.messages.lastWarning(), check.message);
        }
        editor->nameField().setText(u"Ewa"_s);
        editor->numberField(2).setText(u"+48 600-100-201"_s);
        editor->notesField().setPlainText(u"first"_s);
        QVERIFY(editor->save());
        QCOMPARE(editor->windowTitle(), u"Norvel Tervo Telephone - edit existed record"_s);
        const std::optional<Contact> stored = books.core.book(0)->contact(*editor->contactId());
        QCOMPARE(stored->numbers[1], u"600100201"_s);
        QCOMPARE(stored->defNr, 1);
        QCOMPARE(stored->notes, u"first"_s);
        QVERIFY(books.form->nameModel().rowOfContact(stored->id) >= 0);
    }

    void theSecondOfTwoEditorsIsToldAndOverwritesNothing()
    {
        BookWindowFixture books;
        QVERIFY(books.start());
        const int id = insertContact(books.privateBook(), u"Jan"_s, {u"100"_s, u"200"_s});
        ContactEditRequest request;
        request.contactId = id;
        TEditPhoneBookForm* first = books.editors->open(request);
        TEditPhoneBookForm* second = books.editors->open(request);
        first->nameField().setText(u"Jan Kowalski"_s);
        first->notesField().setPlainText(u"from the first"_s);
        QVERIFY(first->save());
        second->nameField().setText(u"Jan Nowak"_s);
        second->numberField(2).setText(u"222"_s);
        QVERIFY(!second->save());
        QCOMPARE(books.messages.lastWarning(), u"Record has been removed or changed by other user"_s);
        std::optional<Contact> stored = books.core.book(0)->contact(id);
        QCOMPARE(stored->nazwa, u"Jan Kowalski"_s);
        QCOMPARE(stored->numbers[1], u"200"_s);
        // The name differs from what the other user stored; the number only this user changed; the notes only the
        // other user changed, and are taken.
        QVERIFY(second->conflictButton(ContactConflict::Field::Name).isVisibleTo(second));
        QVERIFY(second->conflictButton(ContactConflict::Field::Name).toolTip().contains(u"Jan Kowalski"_s));
        QVERIFY(!second->conflictButton(ContactConflict::Field::Nr2).isVisibleTo(second));
        QCOMPARE(second->notesField().toPlainText(), u"from the first"_s);
        QVERIFY(!second->save());
        QVERIFY(books.messages.lastWarning().startsWith(u"Choose the other user's value"_s));
        second->resolve(ContactConflict::Field::Name, true);
        QCOMPARE(second->nameField().text(), u"Jan Kowalski"_s);
        QVERIFY(second->save());
        stored = books.core.book(0)->contact(id);
        QCOMPARE(stored->nazwa, u"Jan Kowalski"_s);
        QCOMPARE(stored->numbers[1], u"222"_s);
        QCOMPARE(stored->notes, u"from the first"_s);
    }

    void editingWindowsAreLimitedAndHoldBackTheRefresh()
    {
        BookWindowFixture books;
        QVERIFY(books.start());
        for (int i = 0; i < EditWindowList::MaxWindows; ++i) {
            QVERIFY(books.editors->open({}) != nullptr);
        }
        QVERIFY(books.editors->open({}) == nullptr);
        QCOMPARE(books.messages.warnings.last().first, u"Norvel Tervo Server"_s);
        QCOMPARE(books.messages.lastWarning(), u"Too many edition and notes windows!.\n Save changes and close"_s);
        QVERIFY(books.editors->worksOn(TdbCore::PrivateBook));
        books.form->command(u"Refresh"_s)->trigger();
        QCOMPARE(books.messages.lastWarning(), u"Private phone book under edition! Close edition window and try "
                                               u"againPhone book cannot be refresh.\n"_s);
        // The book was not reopened under the windows: they still save.
        TEditPhoneBookForm* editor = books.editors->windows().first();
        editor->nameField().setText(u"Ewa"_s);
        editor->numberField(1).setText(u"12"_s);
        QVERIFY(editor->save());
        for (TEditPhoneBookForm* window : books.editors->windows()) {
            window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!books.editors->worksOn(TdbCore::PrivateBook));
        // Without editing windows the book is reopened, and the grid reads it again.
        const int warnings = books.messages.warnings.size();
        books.form->command(u"Refresh"_s)->trigger();
        QCOMPARE(books.messages.warnings.size(), warnings);
        QCoreApplication::processEvents();
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Others"_s, u"Ewa"_s}));
        QVERIFY(books.editors->open({}) != nullptr);
    }

    void groupsAreAddedRenamedAndRemovedToGroupZero()
    {
        BookWindowFixture books;
        QVERIFY(books.start());
        TGroupNameForm groups(books.core, books.messages);
        groups.nameField().setText(u"Friends"_s);
        QTest::mouseClick(&groups.addButton(), Qt::LeftButton);
        QTest::mouseClick(&groups.addButton(), Qt::LeftButton);
        QCOMPARE(books.messages.lastWarning(), u"Group already exists."_s);
        QCOMPARE(groups.groupList().count(), 2);
        const int friends = scalar(books.privateBook(), u"SELECT ID FROM Groups WHERE Nazwa = 'Friends'"_s).toInt();
        const int jan = insertContact(books.privateBook(), u"Jan"_s, {u"1"_s}, friends);
        groups.groupList().setCurrentRow(0);
        QCOMPARE(groups.nameField().text(), u"Friends"_s);
        groups.nameField().setText(u"Family"_s);
        QTest::mouseClick(&groups.renameButton(), Qt::LeftButton);
        QCOMPARE(scalar(books.privateBook(), u"SELECT Nazwa FROM Groups WHERE ID = %1"_s.arg(friends)).toString(),
                 u"Family"_s);
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Family"_s, u"Jan"_s, u"[-] Others"_s}));
        groups.groupList().setCurrentRow(0);
        QTest::mouseClick(&groups.removeButton(), Qt::LeftButton);
        QCOMPARE(scalar(books.privateBook(), u"SELECT GroupID FROM Book2 WHERE ID = %1"_s.arg(jan)).toInt(), 0);
        QCOMPARE(groups.groupList().count(), 1);
        // Group 0 stays.
        groups.groupList().setCurrentRow(0);
        QTest::mouseClick(&groups.removeButton(), Qt::LeftButton);
        QCOMPARE(groups.groupList().count(), 1);
        QCOMPARE(books.shownNames(), (QStringList{u"[-] Others"_s, u"Jan"_s}));
    }

    // The pictures of the documentation: the grouped grid searching "kow", and a contact in its editing window.
    void theWindowsAreRendered()
    {
        BookWindowFixture books;
        QVERIFY(books.start());
        const int customers = books.addGroup(u"Customers"_s);
        const int family = books.addGroup(u"Family"_s);
        const struct {
            QString name;
            QStringList numbers;
            int group;
        } contacts[] = {
            {u"Jan Kowalski"_s, {u"214"_s, u"226543210"_s, QString(), u"601234567"_s}, family},
            {u"Anna Kowalska"_s, {QString(), u"226543211"_s, u"227001122"_s, u"602345678"_s}, family},
            {u"Kowalczyk Sp. z o.o."_s, {QString(), u"618112233"_s, QString(), QString(), u"618112299"_s}, customers},
            {u"Piotr Kowalewski"_s, {u"231"_s, QString(), QString(), u"603456789"_s}, 0},
            {u"Ewa Nowak"_s, {u"215"_s, QString(), QString(), u"604567890"_s}, 0},
            {u"Hurtownia Wiśniewski"_s, {QString(), u"124445566"_s}, customers},
        };
        int jan = -1;
        for (const auto& contact : contacts) {
            const int id = insertContact(books.privateBook(), contact.name, contact.numbers, contact.group);
            jan = jan < 0 ? id : jan;
        }
        books.core.requeryBooks();
        books.form->resize(760, 360);
        books.form->show();
        books.form->searchField().setText(u"kow"_s);
        QVERIFY(books.form->grab().save(renderFolder() + u"/book-window.png"_s));

        ContactEditRequest request;
        request.contactId = jan;
        TEditPhoneBookForm* editor = books.editors->open(request);
        editor->descriptionField().setText(u"Sales, second floor"_s);
        editor->emailField().setText(u"jan.kowalski@example.com"_s);
        QVERIFY(editor->grab().save(renderFolder() + u"/book-edit.png"_s));
    }

    void searchingOptionsAreKept()
    {
        SettingsRecord settings;
        settings.Ksiazka.SzukajNazw = 2;
        int saves = 0;
        TPhoneBookOptionsForm options(settings, [&saves] { ++saves; });
        QVERIFY(options.modeChoice().button(2)->isChecked());
        options.modeChoice().button(0)->setChecked(true);
        options.ignoreDiacritics().setChecked(true);
        options.filterNumbers().setChecked(false);
        options.store();
        QCOMPARE(settings.Ksiazka.SzukajNazw, 0);
        QVERIFY(settings.Ksiazka.IgnorujPolskieZnaki);
        QVERIFY(!settings.Ksiazka.FiltrNumerow);
        QCOMPARE(saves, 1);
    }
};

QTEST_MAIN(TestPhoneBookWindows)
#include "TestPhoneBookWindows.moc"
