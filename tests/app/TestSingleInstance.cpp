#include "app/SingleInstance.h"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestSingleInstance final : public QObject {
    Q_OBJECT

private slots:
    void theNameFollowsTheExecutablesPath()
    {
        QCOMPARE(SingleInstance::instanceName(QStringLiteral("C:\\Program Files\\Tervo\\tervo.exe")),
                 QStringLiteral("Norvel TelefonTervo C:/Program Files/Tervo/tervo.exe"));
        const QString first = SingleInstance::socketPath(SingleInstance::instanceName(QStringLiteral("/opt/a/tervo")));
        const QString second = SingleInstance::socketPath(SingleInstance::instanceName(QStringLiteral("/opt/b/tervo")));
        QVERIFY(first != second);
        QVERIFY(first.size() <= 100);
    }

    void aLaterStartHandsOverItsRequest()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("tervo-test"));
        SingleInstance running(path);
        QVERIFY(running.listen());
        QSignalSpy dials(&running, &SingleInstance::dialRequested);
        QSignalSpy shows(&running, &SingleInstance::showRequested);

        const SingleInstance later(path);
        QVERIFY(later.handOver(QStringLiteral("tel:+48 600 123"), 200));
        QVERIFY(dials.wait(2000));
        QCOMPARE(dials.first().first().toString(), QStringLiteral("tel:+48 600 123"));
        QCOMPARE(shows.count(), 1);

        QVERIFY(later.handOver(QString(), 200));
        QTRY_COMPARE(shows.count(), 2);
        QCOMPARE(dials.count(), 1);
    }

    void nothingRunningMeansNoHandOverAndAStaleSocketIsReplaced()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("tervo-test"));
        QVERIFY(!SingleInstance(path).handOver(QStringLiteral("123"), 200));

        // What a crashed instance leaves behind is taken over.
        QFile leftOver(path);
        QVERIFY(leftOver.open(QIODevice::WriteOnly));
        leftOver.close();
        SingleInstance running(path);
        QVERIFY(running.listen());
    }

    void malformedRequestsAreIgnored()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("tervo-test"));
        SingleInstance running(path);
        QVERIFY(running.listen());
        QSignalSpy dials(&running, &SingleInstance::dialRequested);
        QSignalSpy shows(&running, &SingleInstance::showRequested);

        for (const QByteArray& request :
             {QByteArray("format c:\n"), QByteArray(SingleInstance::MaximumRequestBytes + 10, 'x')}) {
            QLocalSocket socket;
            socket.connectToServer(path);
            QVERIFY(socket.waitForConnected(1000));
            socket.write(request);
            socket.flush();
            QTRY_VERIFY(socket.state() == QLocalSocket::UnconnectedState);
        }
        QCOMPARE(dials.count(), 0);
        QCOMPARE(shows.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "TestSingleInstance.moc"
