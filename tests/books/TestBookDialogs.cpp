#include "books/ui/BookDialogs.h"
#include "books/ui/TSetBookInfoForm.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The widgets behind the questions and the wait window of opening the databases.
class TestBookDialogs final : public QObject {
    Q_OBJECT

private:
    // Answers the next message box with button once it is shown, remembering how it looked.
    void answerNextBox(QMessageBox::StandardButton button)
    {
        QTimer::singleShot(0, this, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            m_icon = box->icon();
            m_text = box->text();
            m_caption = box->windowTitle();
            m_topmost = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->button(button)->click();
        });
    }

    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QString m_text;
    QString m_caption;
    bool m_topmost = false;

private slots:
    void questionsAreTopmostYesNoBoxes_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true;
        QTest::newRow("no") << int(QMessageBox::No) << false;
    }

    void questionsAreTopmostYesNoBoxes()
    {
        QFETCH(int, button);
        QFETCH(bool, answer);
        BookDialogs dialogs;
        answerNextBox(QMessageBox::StandardButton(button));
        QCOMPARE(dialogs.askYesNo(QStringLiteral("Create new?")), answer);
        QCOMPARE(m_icon, QMessageBox::Question);
        QCOMPARE(m_text, QStringLiteral("Create new?"));
        QCOMPARE(m_caption, QStringLiteral("Norvel TelefonTervo"));
        QVERIFY(m_topmost);
    }

    void warningsAndErrorsCarryTheirIcons()
    {
        BookDialogs dialogs;
        answerNextBox(QMessageBox::Ok);
        dialogs.showWarning(QStringLiteral("unavailable"));
        QCOMPARE(m_icon, QMessageBox::Warning);
        answerNextBox(QMessageBox::Ok);
        dialogs.showError(QStringLiteral("conversion"));
        QCOMPARE(m_icon, QMessageBox::Critical);
        QCOMPARE(m_text, QStringLiteral("conversion"));
    }

    void waitWindowShowsItsTextUntilHidden()
    {
        BookDialogs dialogs;
        QVERIFY(dialogs.waitWindow() == nullptr);
        dialogs.showWait(QStringLiteral("Connecting a phone book...\nPlease wait."));
        TSetBookInfoForm* wait = dialogs.waitWindow();
        QVERIFY(wait != nullptr);
        QVERIFY(wait->isVisible());
        QVERIFY(wait->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(wait->text(), QStringLiteral("Connecting a phone book...\nPlease wait."));
        dialogs.hideWait();
        QVERIFY(!wait->isVisible());
        dialogs.showWait(QStringLiteral("Connecting to call history...\nPlease wait."));
        QCOMPARE(dialogs.waitWindow(), wait);
        QVERIFY(wait->isVisible());
    }
};

QTEST_MAIN(TestBookDialogs)
#include "TestBookDialogs.moc"
