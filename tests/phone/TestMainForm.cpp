#include "WindowHarness.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "pbxlink/ui/ServiceDialogs.h"
#include "phone/ui/TMainForm.h"
#include "support/RenderFolder.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

namespace {

// The window on the screen over the real window logic, on a logged-in link with a fake socket.
class FormHarness : public PhoneLinkHarness {
public:
    FormHarness()
        : form(settings, [this] { ++saves; })
        , calls(settings, dispatcher, lifecycle, callNotices, partners(), clock, {})
        , window(settings, books, form, TelephoneWindowLogic::LinkParts{line, calls.state(), calls.callTimer()})
        , serviceDialogs(settings, calls.services(), calls.state(), {})
    {
        LinkToWindow::connect(callNotices, window);
        TMainForm::Openers openers;
        openers.history = [this] {
            ++historyOpened;
        };
        form.attach(window, serviceDialogs, openers,
                    TMainForm::Prompts{[](const QString&) { return true; },
                                       [](const QString&) {
                                       }});
        connectAndLogIn();
        window.setState(WindowState::Idle);
        socket.written.clear();
    }

    TMainForm form;
    CallControl calls;
    ServicesTelephoneLine line{calls.services()};
    TelephoneWindowLogic window;
    ServiceDialogs serviceDialogs;
    int historyOpened = 0;
};

// The window as a user sees it, at 1x and 2x, saved for the documentation.
void saveLook(QWidget& skin, const QString& look)
{
    const QString folder = renderFolder();
    QVERIFY(skin.grab().save(folder + QStringLiteral("/telephone-") + look + QStringLiteral(".png")));
    QImage large(skin.size() * 2, QImage::Format_ARGB32_Premultiplied);
    large.setDevicePixelRatio(2);
    large.fill(Qt::transparent);
    QPainter painter(&large);
    skin.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    QVERIFY(large.save(folder + QStringLiteral("/telephone-") + look + QStringLiteral("@2x.png")));
}

} // namespace

class TestMainForm final : public QObject {
    Q_OBJECT

private slots:
    void theStateDecidesWhatCanBeUsed()
    {
        FormHarness phone;
        QAction* park = phone.form.action(QStringLiteral("MenuPark"));
        QVERIFY(park != nullptr);
        QVERIFY(park->isEnabled());
        QVERIFY(phone.form.skin().isButtonEnabled(SkinButton::Park));

        phone.window.setState(WindowState::Disconnected);
        QVERIFY(!park->isEnabled());
        QVERIFY(!phone.form.skin().isButtonEnabled(SkinButton::Park));
        QVERIFY(!phone.form.popupMenu().findChild<QMenu*>(QStringLiteral("MenuServices"))->isEnabled());
        QVERIFY(phone.form.action(QStringLiteral("MenuHistory"))->isEnabled());

        // Items of windows that do not exist are left out; those that exist are offered.
        QVERIFY(!phone.form.action(QStringLiteral("MenuBook"))->isVisible());
        QVERIFY(phone.form.action(QStringLiteral("MenuHistory"))->isVisible());
    }

    void typingAndEnterDialFromTheEntryLine()
    {
        FormHarness phone;
        phone.form.showMainWindow(true, true, false);
        QVERIFY(QTest::qWaitForWindowActive(&phone.form.skin()));
        QLineEdit& entry = phone.form.skin().entry();
        entry.setFocus();
        QTest::keyClicks(&entry, QStringLiteral("600 123"));
        QCOMPARE(phone.window.state(), WindowState::NumberReady);
        QTest::keyClick(&entry, Qt::Key_Return);
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aPICK 21__")});
        QVERIFY(entry.text().isEmpty());
        phone.receive(QStringLiteral("aOK"));

        // The window's short-cuts win over the entry line's editing keys.
        QTest::keyClick(&entry, Qt::Key_D, Qt::ControlModifier);
        const QStringList commands = phone.takeCommands();
        QCOMPARE(commands.size(), 1);
        QVERIFY2(commands.first().startsWith(QStringLiteral("aDND 21__")), qPrintable(commands.first()));
    }

    void closingOnlyHidesTheWindow()
    {
        FormHarness phone;
        QSignalSpy exits(&phone.form, &TMainForm::exitRequested);
        phone.form.showMainWindow(true, true, false);
        QVERIFY(phone.form.skin().isVisible());
        phone.form.skin().close();
        QVERIFY(!phone.form.skin().isVisible() || phone.form.skin().isMinimized());
        QCOMPARE(exits.count(), 0);

        phone.form.action(QStringLiteral("CloseApplication"))->trigger();
        QVERIFY(exits.wait(1000));
    }

    void aTrayClickOpensTheHistoryWhileMissedCallsWait()
    {
        FormHarness phone;
        phone.settings.Historia.OtworzDom = true;
        phone.settings.Zachowanie.OtwKlikIkony = true;
        phone.books.unseen = 1;
        phone.window.setMissed(true);
        QVERIFY(phone.form.trayDefaultIsHistory());
        phone.form.trayClicked();
        QCOMPARE(phone.historyOpened, 1);
        QVERIFY(phone.form.skin().isVisible());

        phone.window.setMissed(false);
        QVERIFY(!phone.form.trayDefaultIsHistory());
        phone.form.trayClicked();
        QCOMPARE(phone.historyOpened, 1);
    }

    void rendersTheLooksOfACall()
    {
        FormHarness phone;
        phone.settings.Historia.Stracone = true;
        phone.books.add(QStringLiteral("Jan Kowalski"), QStringLiteral("600123456"), 4);
        phone.books.unseen = 2;
        phone.window.setState(WindowState::Idle);
        phone.window.setStatus(StatusLine{QStringLiteral("Connected to server")});
        saveLook(phone.form.skin(), QStringLiteral("idle"));

        phone.receive(QStringLiteral("aRING 21__ 600123456 0 21"));
        QCOMPARE(phone.form.skin().showText(), QStringLiteral("From: Jan Kowalski"));
        saveLook(phone.form.skin(), QStringLiteral("ringing"));

        phone.receive(QStringLiteral("aCONN 21__ 600123456"));
        phone.window.tickCallTimer(0);
        phone.window.tickCallTimer(5);
        QCOMPARE(phone.form.skin().infoText(), QStringLiteral("0:05"));
        saveLook(phone.form.skin(), QStringLiteral("connected"));

        phone.window.setState(WindowState::Disconnected);
        saveLook(phone.form.skin(), QStringLiteral("disconnected"));
    }
};

QTEST_MAIN(TestMainForm)
#include "TestMainForm.moc"
