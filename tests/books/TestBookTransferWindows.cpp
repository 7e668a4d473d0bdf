#include "ContactRows.h"
#include "books/transfer/TransferColumns.h"
#include "books/ui/transfer/TExportBookForm.h"
#include "books/ui/transfer/TImportBookForm.h"
#include "books/ui/transfer/TransferColumnChoice.h"
#include "support/RenderFolder.h"
#include "support/TdbCoreOnDisk.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Moves the entries with these texts from the left list to the right one.
void choose(TransferColumnChoice& choice, const QStringList& texts)
{
    choice.removeAllButton().click();
    for (const QString& text : texts) {
        const QList<QListWidgetItem*> items = choice.available().findItems(text, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        choice.available().clearSelection();
        items.front()->setSelected(true);
        choice.addButton().click();
    }
}

} // namespace

// The export and import wizards on a real private book: the column choice, the two pages, the overwrite question,
// failures shown in a box with the window left on its first page, and the books told of imported contacts.
class TestBookTransferWindows final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_books.emplace();
        QVERIFY(m_books->core.start());
        insertContact(database(), u"Jan Kowalski"_s, {u"21"_s, u"226001234"_s});
    }
    void cleanup() { m_books.reset(); }

    void exportWithTheChosenColumns()
    {
        TExportBookForm window(m_books->core, m_books->dialogs);
        QCOMPARE(window.windowTitle(), u"Export a phone book"_s);
        QVERIFY(!window.nextButton().isEnabled());
        QCOMPARE(window.columns().chosenCodes(), TransferColumns::allCodes());
        choose(window.columns(), {u"c. Extension"_s, u"a. Name"_s});
        QCOMPARE(window.columns().chosenCodes(), (QList<int>{3, 1}));
        QCOMPARE(window.columns().available().count(), 15);
        // The list keeps its order whatever order the entries were selected in.
        window.columns().removeAllButton().click();
        window.columns().available().item(2)->setSelected(true);
        window.columns().available().item(0)->setSelected(true);
        window.columns().addButton().click();
        QCOMPARE(window.columns().chosenCodes(), (QList<int>{1, 3}));

        const QString file = m_books->folder.filePath(u"out"_s);
        window.fileField().setText(file);
        QVERIFY(window.nextButton().isEnabled());
        window.nextButton().click();
        QVERIFY(window.onProgressPage());
        QCOMPARE(window.resultText().text(), u"Export finished "_s);
        QCOMPARE(window.progressText().text(), u"Export continues..."_s);
        QVERIFY(window.endButton().isEnabled());
        // A name without an extension gets the kind's.
        QCOMPARE(readFile(file + u".txt"_s), "Nazwa,Nr1\r\n\"Jan Kowalski\",\"21\"\r\n"_ba);
    }

    void overwriteRefusedStaysOnTheFirstPage()
    {
        const QString file = m_books->folder.filePath(u"book.vcf"_s);
        QVERIFY(writeFile(file, "keep"));
        TExportBookForm window(m_books->core, m_books->dialogs);
        window.fileField().setText(file);
        QCOMPARE(window.kind(), TransferFileKind::VCard);
        m_books->dialogs.answers = {false};
        window.nextButton().click();
        QVERIFY(!window.onProgressPage());
        QCOMPARE(m_books->dialogs.questions.size(), 1);
        QCOMPARE(readFile(file), "keep"_ba);
        QVERIFY(m_books->dialogs.errors.isEmpty());
    }

    void importAddsContactsAndTellsTheBooks()
    {
        const QString file = m_books->folder.filePath(u"in.csv"_s);
        QVERIFY(writeFile(file, "Nr1,Nazwa\r\n\"600\",\"Anna Nowak\"\r\n\"601\",\"Ewa\"\r\n"));
        TImportBookForm window(m_books->core, m_books->dialogs);
        QCOMPARE(window.windowTitle(), u"Import a phone book"_s);
        QVERIFY(!window.columns().chosen().findItems(u"a.Name"_s, Qt::MatchExactly).isEmpty());
        choose(window.columns(), {u"a.Name"_s, u"c. Extension"_s});
        window.fileField().setText(file);
        QCOMPARE(window.kind(), TransferFileKind::CsvUtf8);
        QSignalSpy changed(&m_books->core, &TdbCore::booksChanged);
        window.nextButton().click();
        QVERIFY2(m_books->dialogs.errors.isEmpty(), qPrintable(m_books->dialogs.errors.join(u'\n')));
        QVERIFY(window.onProgressPage());
        QCOMPARE(window.resultText().text(), u"Import has been finished"_s);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(scalar(database(), u"SELECT COUNT(*) FROM Book2"_s).toInt(), 3);
        QCOMPARE(m_books->core.nameForNumber(u"601"_s), u"Ewa"_s);
    }

    void failedImportIsShownAndAddsNothing()
    {
        const QString file = m_books->folder.filePath(u"broken.txt"_s);
        QVERIFY(writeFile(file, "Nazwa,Nr1\r\n\"Anna\",\"600\"\r\n\"Ewa"));
        TImportBookForm window(m_books->core, m_books->dialogs);
        window.fileField().setText(file);
        window.nextButton().click();
        QVERIFY(!window.onProgressPage());
        QCOMPARE(m_books->dialogs.errors,
                 QStringList{u"Error of phone book import\nLine 3: A quoted value is not closed."_s});
        QCOMPARE(scalar(database(), u"SELECT COUNT(*) FROM Book2"_s).toInt(), 1);

        window.fileField().setText(m_books->folder.filePath(u"nowhere.txt"_s));
        window.nextButton().click();
        QCOMPARE(m_books->dialogs.errors.last(), u"This file does not exist"_s);
        QVERIFY(window.nextButton().isEnabled());
    }

    void renderImportWizard()
    {
        TImportBookForm window(m_books->core, m_books->dialogs);
        window.fileField().setText(u"/home/anna/Documents/contacts.csv"_s);
        window.advancedButton().setChecked(true);
        choose(window.columns(), {u"a.Name"_s, u"c. Extension"_s, u"d.Company"_s, u"f. Mobile"_s, u"p. Email"_s});
        window.resize(560, 420);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.grab().save(renderFolder() + u"/book-import.png"_s));
    }

private:
    QSqlDatabase database() { return m_books->core.book(TdbCore::PrivateBook)->database(); }

    std::optional<TdbCoreOnDisk> m_books;
};

QTEST_MAIN(TestBookTransferWindows)
#include "TestBookTransferWindows.moc"
