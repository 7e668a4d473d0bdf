#include "phone/ui/SkinLayout.h"
#include "phone/ui/TFormAdobeMsg.h"
#include "phone/ui/TLittleForm.h"
#include "phone/ui/TSplashForm.h"
#include "settings/Const.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

namespace {

// A spot on the top strip that is neither a button nor the entry line.
const QPoint BareCase(30, 8);
// A spot on the display beside the state icon, away from the entry line.
const QPoint OnDisplay(120, 38);

QPoint centreOf(const TLittleForm& form, SkinButton button)
{
    return form.buttonRect(button).center();
}

void click(TLittleForm& form, SkinButton button, Qt::MouseButton mouseButton = Qt::LeftButton)
{
    QTest::mouseClick(&form, mouseButton, {}, centreOf(form, button));
}

// Fires a timer's timeout as if its interval had passed.
void fire(QTimer& timer)
{
    QVERIFY(QMetaObject::invokeMethod(&timer, "timeout"));
}

} // namespace

class TestLittleForm final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_form = std::make_unique<TLittleForm>();
        m_form->movePositionTo(QPoint(100, 100));
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup() { m_form.reset(); }

    void isABorderlessToolWindowOfTheSkinSize()
    {
        QCOMPARE(m_form->size(), QSize(239, 118));
        QVERIFY(m_form->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(m_form->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QCOMPARE(m_form->windowTitle(), QString::fromUtf8(Const::ApplicationTitle));
        QCOMPARE(m_form->entry().objectName(), QStringLiteral("EntryText1"));
        QVERIFY(m_form->rect().contains(m_form->entry().geometry()));
    }

    // Every button lies inside the window, apart from the others and from the entry line, and a click on it
    // reaches it.
    void everyEnabledButtonClicksOnMouseUp()
    {
        QSignalSpy clicked(m_form.get(), &TLittleForm::buttonClicked);
        for (const SkinButton button : SkinLayout::Buttons) {
            const QRect area = m_form->buttonRect(button);
            QVERIFY(m_form->rect().contains(area));
            QVERIFY(!area.intersects(m_form->entry().geometry()));
            QVERIFY(!TLittleForm::toolTip(button).isEmpty());
            click(*m_form, button);
            QCOMPARE(clicked.size(), 1);
            QCOMPARE(clicked.takeFirst().at(0).value<SkinButton>(), button);
        }
    }

    void disabledButtonIgnoresClicksUntilEnabled()
    {
        QSignalSpy clicked(m_form.get(), &TLittleForm::buttonClicked);
        const QPoint before = m_form->pos();
        m_form->setButtonEnabled(SkinButton::OK, false);
        click(*m_form, SkinButton::OK);
        QCOMPARE(clicked.size(), 0);
        QCOMPARE(m_form->pos(), before);

        m_form->setButtonEnabled(SkinButton::OK, true);
        click(*m_form, SkinButton::OK);
        QCOMPARE(clicked.size(), 1);
    }

    void releasingOverAnotherButtonClicksNothing()
    {
        QSignalSpy clicked(m_form.get(), &TLittleForm::buttonClicked);
        const QPoint before = m_form->pos();
        QTest::mousePress(m_form.get(), Qt::LeftButton, {}, centreOf(*m_form, SkinButton::Book));
        QTest::mouseMove(m_form.get(), centreOf(*m_form, SkinButton::History));
        QTest::mouseRelease(m_form.get(), Qt::LeftButton, {}, centreOf(*m_form, SkinButton::History));
        QCOMPARE(clicked.size(), 0);
        QCOMPARE(m_form->pos(), before);
    }

    void rightClickOpensTheButtonMenuOrThePopupMenu()
    {
        QSignalSpy buttonMenu(m_form.get(), &TLittleForm::buttonMenuRequested);
        QSignalSpy popup(m_form.get(), &TLittleForm::popupMenuRequested);
        QSignalSpy clicked(m_form.get(), &TLittleForm::buttonClicked);

        click(*m_form, SkinButton::Book, Qt::RightButton);
        QCOMPARE(buttonMenu.size(), 1);
        QCOMPARE(buttonMenu.first().at(0).value<SkinButton>(), SkinButton::Book);
        QCOMPARE(buttonMenu.first().at(1).toPoint(), m_form->mapToGlobal(centreOf(*m_form, SkinButton::Book)));

        QTest::mouseClick(m_form.get(), Qt::RightButton, {}, OnDisplay);
        click(*m_form, SkinButton::OK, Qt::RightButton);
        QCOMPARE(popup.size(), 2);
        QCOMPARE(popup.first().at(0).toPoint(), m_form->mapToGlobal(OnDisplay));
        QCOMPARE(buttonMenu.size(), 1);
        QCOMPARE(clicked.size(), 0);
    }

    void toolTipsNameTheButtonOrGiveTheHint()
    {
        const QPoint book = centreOf(*m_form, SkinButton::Book);
        QHelpEvent onBook(QEvent::ToolTip, book, m_form->mapToGlobal(book));
        QApplication::sendEvent(m_form.get(), &onBook);
        QCOMPARE(QToolTip::text(), TLittleForm::toolTip(SkinButton::Book));

        m_form->setShowText(QStringLiteral("From: Jan Kowalski"), QStringLiteral("From: 600123456"));
        const QPoint text = SkinLayout::showTextRect().center();
        QHelpEvent onText(QEvent::ToolTip, text, m_form->mapToGlobal(text));
        QApplication::sendEvent(m_form.get(), &onText);
        QCOMPARE(QToolTip::text(), QStringLiteral("From: 600123456"));
        QToolTip::hideText();
    }

    void draggingMovesTheWindowAndThePositionIsReportedOnce()
    {
        QSignalSpy settled(m_form.get(), &TLittleForm::positionSettled);
        fire(m_form->positionTimer());
        QCOMPARE(settled.size(), 0); // a restored position is not news

        QTest::mousePress(m_form.get(), Qt::LeftButton, {}, BareCase);
        QTest::mouseMove(m_form.get(), BareCase + QPoint(30, 32));
        QTest::mouseRelease(m_form.get(), Qt::LeftButton, {}, BareCase);
        QCOMPARE(m_form->pos(), QPoint(130, 132));

        QCOMPARE(m_form->positionTimer().interval(), TLittleForm::PositionSaveMs);
        QVERIFY(m_form->positionTimer().isActive());
        fire(m_form->positionTimer());
        QCOMPARE(settled.size(), 1);
        QCOMPARE(settled.first().at(0).toPoint(), QPoint(130, 132));
        fire(m_form->positionTimer());
        QCOMPARE(settled.size(), 1);
    }

    void restoredPositionIsPulledOntoTheScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        m_form->movePositionTo(QPoint(screen.right() + 500, screen.top() - 300));
        QVERIFY(screen.contains(m_form->frameGeometry()));
        QCOMPARE(m_form->pos(), QPoint(screen.right() + 1 - TLittleForm::SkinWidth, screen.top()));
    }

    void closingAsksTheOwnerAndKeepsTheWindow()
    {
        QSignalSpy closeRequested(m_form.get(), &TLittleForm::closeRequested);
        QVERIFY(!m_form->close());
        QCOMPARE(closeRequested.size(), 1);
        QVERIFY(m_form->isVisible());
    }

    void splashClosesItselfWhenItsTimerRunsOut()
    {
        QPointer<TSplashForm> splash = new TSplashForm;
        QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("SplashLabel"))->text(),
                 QString::fromUtf8(Const::ProductName));
        QVERIFY(splash->findChild<QLabel*>(QStringLiteral("VersionLabel"))->text().endsWith(u" 3.08"));
        splash->show();
        QVERIFY(splash->splashTimer().isActive());
        QCOMPARE(splash->splashTimer().interval(), TSplashForm::SplashMs);
        fire(splash->splashTimer());
        QVERIFY(!splash.isNull() && splash->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(splash.isNull());
    }

    void pdfReaderLinkGoesThroughTheGivenOpener()
    {
        QList<QUrl> opened;
        TFormAdobeMsg message([&](const QUrl& url) { opened << url; });
        message.show();
        QVERIFY(QTest::qWaitForWindowExposed(&message));
        for (const char* name : {"LabelCaption", "LabelBoldCaption", "ImageDocument"}) {
            QVERIFY(message.findChild<QLabel*>(QString::fromLatin1(name)) != nullptr);
        }
        auto* link = message.findChild<QLabel*>(QStringLiteral("LabelLink"));
        QVERIFY(link != nullptr);
        const QPoint onText(link->contentsRect().left() + 8, link->contentsRect().center().y());
        QTest::mouseClick(link, Qt::LeftButton, {}, onText);
        QCOMPARE(opened, QList<QUrl>{TFormAdobeMsg::readerUrl()});
        QCOMPARE(opened.first().host(), QStringLiteral("packages.debian.org"));
    }

private:
    std::unique_ptr<TLittleForm> m_form;
};

QTEST_MAIN(TestLittleForm)
#include "TestLittleForm.moc"
