#include "app/BookTransferAssembly.h"
#include "books/ui/transfer/TExportBookForm.h"
#include "books/ui/transfer/TImportBookForm.h"
#include "support/TdbCoreOnDisk.h"

#include <QApplication>
#include <QTest>

namespace {

template <typename Window>
QList<Window*> openWindows()
{
    QList<Window*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window != nullptr && window->isVisible()) {
            windows.append(window);
        }
    }
    return windows;
}

} // namespace

// The openers the book window takes: one wizard of each kind at a time, a closed one made anew.
class TestBookTransferAssembly final : public QObject {
    Q_OBJECT

private slots:
    void oneWindowOfEachKind()
    {
        TdbCoreOnDisk books;
        QVERIFY(books.core.start());
        BookTransferAssembly assembly(books.core);
        assembly.importOpener()();
        assembly.importOpener()();
        assembly.exportOpener()();
        QCOMPARE(openWindows<TImportBookForm>().size(), 1);
        QCOMPARE(openWindows<TExportBookForm>().size(), 1);

        TImportBookForm* first = openWindows<TImportBookForm>().front();
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(openWindows<TImportBookForm>().isEmpty());
        assembly.openImport();
        QCOMPARE(openWindows<TImportBookForm>().size(), 1);
    }
};

QTEST_MAIN(TestBookTransferAssembly)
#include "TestBookTransferAssembly.moc"
