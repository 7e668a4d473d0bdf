#include "settings/AudioRegistryStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAudioRegistryStore final : public QObject {
    Q_OBJECT

private slots:
    void valuesPersistAcrossInstances()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings/audio.ini"));
        {
            AudioRegistryStore store(path);
            QVERIFY(store.isOpen());
            QCOMPARE(store.readInteger(QStringLiteral("Record card id"), -1), -1);
            store.writeInteger(QStringLiteral("Record card id"), 2);
            store.writeInteger(QStringLiteral("Card1\\volume"), 80);
            QVERIFY(store.valueExists(QStringLiteral("Card1"), QStringLiteral("volume")));
            QVERIFY(!store.valueExists(QStringLiteral("Card1"), QStringLiteral("lineID")));
        }
        const AudioRegistryStore reopened(path);
        QCOMPARE(reopened.readInteger(QStringLiteral("record card id"), -1), 2);
        QCOMPARE(reopened.readInteger(QStringLiteral("Card1"), QStringLiteral("volume"), 0), 80);
        QCOMPARE(reopened.readInteger(QStringLiteral("Card2"), QStringLiteral("volume"), 55), 55);
    }

    void namesThatWouldBreakTheFileAreRefused()
    {
        QTemporaryDir dir;
        AudioRegistryStore store(dir.filePath(QStringLiteral("audio.ini")));
        store.writeInteger(QStringLiteral("a=b"), 1);
        store.writeInteger(QStringLiteral("[x]"), 1);
        store.writeInteger(QStringLiteral("Play card id"), 3);
        const AudioRegistryStore reopened(dir.filePath(QStringLiteral("audio.ini")));
        QCOMPARE(reopened.readInteger(QStringLiteral("a=b"), 9), 9);
        QCOMPARE(reopened.readInteger(QStringLiteral("Play card id"), 9), 3);
    }

    void storeThatCannotBeOpenedGivesDefaultsAndIgnoresWrites()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        AudioRegistryStore store(dir.filePath(QStringLiteral("blocker/audio.ini")));
        QVERIFY(!store.isOpen());
        store.writeInteger(QStringLiteral("Play card id"), 4);
        QCOMPARE(store.readInteger(QStringLiteral("Play card id"), 7), 7);
        QVERIFY(!store.valueExists(QStringLiteral("Card0"), QStringLiteral("volume")));
    }
};

QTEST_GUILESS_MAIN(TestAudioRegistryStore)
#include "TestAudioRegistryStore.moc"
