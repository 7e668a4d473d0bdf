#include "app/ErrorLog.h"
#include "app/TervoApplication.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

namespace {

// An object whose event handler fails the way a faulty handler of a window could.
class ThrowingObject final : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User) {
            throw std::runtime_error("handler failed");
        }
        return QObject::event(event);
    }
};

} // namespace

class TestErrorLog final : public QObject {
    Q_OBJECT

private slots:
    void exceptionInAnEventHandlerIsLoggedAndTheLoopGoesOn()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log/error.log"));
        const QDateTime time(QDate(2012, 6, 19), QTime(14, 3, 9));
        const ErrorLog log(LogFile(path, LogFile::Stamp::DateTime, [time] { return time; }));
        auto* application = qobject_cast<TervoApplication*>(QCoreApplication::instance());
        QVERIFY(application != nullptr);
        application->setErrorLog(&log);

        ThrowingObject receiver;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&receiver, &event));
        application->setErrorLog(nullptr);

        QCOMPARE(readFile(path), QByteArray("[12-06-19 14:03:09] Exception: handler failed\n"));
    }

    void installedLogReceivesFatalMessagesOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("error.log"));
        const ErrorLog log(LogFile(path, LogFile::Stamp::DateTime));
        ErrorLog::install(&log);
        qWarning("an ordinary warning");
        ErrorLog::install(nullptr);
        QVERIFY(!QFile::exists(path));

        log.record(QStringLiteral("Fatal error: x"));
        QVERIFY(readFile(path).endsWith("] Fatal error: x\n"));
    }
};

int main(int argc, char** argv)
{
    TervoApplication application(argc, argv);
    TestErrorLog test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestErrorLog.moc"
