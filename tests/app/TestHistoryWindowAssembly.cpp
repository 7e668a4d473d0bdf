#include "app/BookLinkServices.h"
#include "app/BookNaming.h"
#include "app/BookWindowServices.h"
#include "app/HistoryWindowAssembly.h"
#include "phone/WindowHarness.h"
#include "support/TdbCoreOnDisk.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The telephone window over the real books and history, on a logged-in link with a fake socket; the link writes
// its history rows through the same services as the program, and the history window is wired as in the program.
class MissedCallsHarness : public PhoneLinkHarness {
public:
    MissedCallsHarness()
        : naming(disk.core, disk.settings)
        , bookServices(disk.core, naming)
        , linkServices(disk.core, naming)
        , calls(settings, dispatcher, lifecycle, callNotices,
                LinkPartners{services, dialogs, linkServices, linkServices, recorder}, clock, {})
        , window(disk.settings, bookServices, view,
                 TelephoneWindowLogic::LinkParts{line, calls.state(), calls.callTimer()})
    {
        disk.settings.Historia.Stracone = true;
        disk.settings.Historia.Mrugaj = true;
        disk.settings.Historia.OtworzDom = true;
        started = disk.core.start();
        LinkToWindow::connect(callNotices, window);
        connectAndLogIn();
        window.setState(WindowState::Idle);
        assembly = std::make_unique<HistoryWindowAssembly>(
            disk.settings, disk.folder.filePath(u"recordings"_s), [this] { ++saves; }, disk.core, window,
            HistoryWindowAssembly::Openers{}, THistoryForm::Prompts{}, disk.clock);
    }

    void missedCall(const QString& number)
    {
        receive(u"aRING 21__ "_s + number + u" 0 21"_s);
        receive(u"aREL 21__ 16"_s);
    }

    TdbCoreOnDisk disk;
    BookNaming naming;
    BookWindowServices bookServices;
    BookLinkServices linkServices;
    RecordingView view;
    CallControl calls;
    ServicesTelephoneLine line{calls.services()};
    TelephoneWindowLogic window;
    std::unique_ptr<HistoryWindowAssembly> assembly;
    bool started = false;
    int saves = 0;
};

} // namespace

// The history window in the program: looking at it ends the telephone window's missed-call indication, and calls
// that end while it is open appear in it.
class TestHistoryWindowAssembly final : public QObject {
    Q_OBJECT

private slots:
    void showingTheHistoryEndsTheMissedCallIndication()
    {
        MissedCallsHarness phone;
        QVERIFY(phone.started);
        phone.missedCall(u"600123456"_s);
        phone.missedCall(u"600999888"_s);
        QCOMPARE(phone.window.missedCount(), 2);
        QCOMPARE(phone.view.area, u"Missed: 2"_s);
        QVERIFY(phone.window.missedPending());
        QVERIFY(phone.window.trayLook().flashing());
        QVERIFY(phone.view.trayDefaultHistory);

        phone.assembly->open();
        QVERIFY(phone.assembly->form().isVisible());
        QCOMPARE(phone.window.missedCount(), 0);
        QCOMPARE(phone.view.area, QString());
        QVERIFY(!phone.window.missedPending());
        QVERIFY(!phone.window.trayLook().flashing());
        QCOMPARE(phone.view.trayList, TrayIconList::Static);
        QVERIFY(!phone.view.trayDefaultHistory);
        // The marks are in the history: the next idle display counts nothing.
        phone.window.setState(WindowState::Idle);
        QCOMPARE(phone.view.area, QString());

        // A call missed while the window is open is its first row, and is announced until the history is shown again.
        phone.missedCall(u"600555444"_s);
        const HistoryTableModel& rows = phone.assembly->browser().model();
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(rows.rowAt(0)->entry.number, u"600555444"_s);
        QVERIFY(rows.rowAt(0)->entry.bold);
        QCOMPARE(phone.view.area, u"Missed: 1"_s);
        phone.assembly->form().close();
        QCOMPARE(phone.saves, 1);
        phone.assembly->open();
        QCOMPARE(phone.view.area, QString());
        QCOMPARE(phone.disk.core.historyReader()->countUnseenCalls(), 0);
    }
};

QTEST_MAIN(TestHistoryWindowAssembly)
#include "TestHistoryWindowAssembly.moc"
