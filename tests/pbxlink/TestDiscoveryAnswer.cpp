#include "pbxlink/discovery/BroadcastAddresses.h"
#include "pbxlink/discovery/DiscoveryAnswer.h"

#include <QTest>

char* toString(const DiscoveredServer& server)
{
    return QTest::toString(server.address + QLatin1Char(':') + QString::number(server.port));
}

class TestDiscoveryAnswer final : public QObject {
    Q_OBJECT

private slots:
    void readsTheServerOfAnAnswer()
    {
        const auto parse = [](QByteArrayView datagram) {
            return DiscoveryAnswer::parse(datagram).value_or(DiscoveredServer{});
        };
        QCOMPARE(parse("USR0123PHONE 192.168.1.5:5524\r"), (DiscoveredServer{QStringLiteral("192.168.1.5"), 5524}));
        QCOMPARE(parse("USRabcdPHONE pbx:65535\nUSRabcdPHONE other:2"),
                 (DiscoveredServer{QStringLiteral("pbx"), 65535}));
        // Bytes from 128 up are text, not terminators.
        const char windows1250[] = "USR\x80\xff\x9f\xa3PHONE \xa3\xf3\x64\x9f:0042\x00junk";
        QCOMPARE(parse(QByteArrayView(windows1250, sizeof(windows1250) - 1)),
                 (DiscoveredServer{QStringLiteral("Łódź"), 42}));
    }

    void ignoresMalformedAnswers_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::newRow("question") << QByteArray("WHO PHONE\r\n");
        QTest::newRow("no USR") << QByteArray("XSR0123PHONE 192.168.1.5:5524");
        QTest::newRow("short header") << QByteArray("USR01PHONE 192.168.1.5:5524");
        QTest::newRow("wrong kind") << QByteArray("USR0123PHONY 192.168.1.5:5524");
        QTest::newRow("cut by terminator") << QByteArray("USR0123PHONE 192.168.1.5\t:5524");
        QTest::newRow("no colon") << QByteArray("USR0123PHONE 192.168.1.5");
        QTest::newRow("empty address") << QByteArray("USR0123PHONE :5524");
        QTest::newRow("port 0") << QByteArray("USR0123PHONE h:0");
        QTest::newRow("port 65536") << QByteArray("USR0123PHONE h:65536");
        QTest::newRow("huge port") << QByteArray("USR0123PHONE h:99999999999999999999");
        QTest::newRow("signed port") << QByteArray("USR0123PHONE h:-1");
        QTest::newRow("high bytes in the port") << QByteArray("USR0123PHONE h:5\xb5\xb9");
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x80\x81\xc0\xe9\xa0\x9f");
    }

    void ignoresMalformedAnswers()
    {
        QFETCH(QByteArray, datagram);
        QVERIFY(!DiscoveryAnswer::parse(datagram).has_value());
    }

    void computesDirectedBroadcasts()
    {
        const auto adapter = [](const char* ip, const char* netmask, bool up = true, bool loopback = false) {
            return BroadcastAddresses::AdapterAddress{QHostAddress(QString::fromLatin1(ip)),
                                                      QHostAddress(QString::fromLatin1(netmask)), up, loopback};
        };
        const QList<QHostAddress> broadcasts = BroadcastAddresses::fromAdapters({
            adapter("192.168.1.20", "255.255.255.0"),
            adapter("10.3.7.9", "255.255.0.0"),
            adapter("0.0.0.0", "255.0.0.0"),
            adapter("192.168.1.77", "255.255.255.0"),
            adapter("fe80::1", "ffff:ffff:ffff:ffff::"),
            adapter("172.16.0.1", ""),
            adapter("10.9.0.1", "255.255.255.0", false),
            adapter("127.0.0.1", "255.0.0.0", true, true),
        });
        QCOMPARE(broadcasts, (QList<QHostAddress>{QHostAddress(QStringLiteral("192.168.1.255")),
                                                  QHostAddress(QStringLiteral("10.3.255.255"))}));
    }
};

QTEST_GUILESS_MAIN(TestDiscoveryAnswer)
#include "TestDiscoveryAnswer.moc"
