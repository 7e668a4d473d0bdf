// The recording devices the configuration offers, and the stored card they map back to.
#include "recording/AlsaCards.h"
#include "recording/RecordingDeviceChoice.h"

#include <QTest>

class TestRecordingDeviceChoice final : public QObject {
    Q_OBJECT

private slots:
    // The default first, then the cards that capture; a stored card that is gone stays chosen rather than
    // turning into the default when the dialog is confirmed.
    void offersCapturingCardsAndKeepsAMissingOne()
    {
        const QList<SoundCard> cards{
            {0, QStringLiteral("HDA Intel PCH"), 1, 2}, {1, QStringLiteral("HDMI"), 0, 1}, {2, QString(), 1, 0}};
        const RecordingDeviceChoice system(cards, -1);
        QCOMPARE(system.entries(),
                 (QStringList{QStringLiteral("System's default device"), QStringLiteral("HDA Intel PCH (hw:0)"),
                              QStringLiteral("hw:2 (hw:2)")}));
        QCOMPARE(system.storedIndex(), 0);
        QCOMPARE(system.cardIdAt(0), -1);
        QCOMPARE(system.cardIdAt(2), 2);
        QCOMPARE(system.cardIdAt(3), -1);

        const RecordingDeviceChoice unplugged(cards, 5);
        QCOMPARE(unplugged.entries().last(), QStringLiteral("Card 5 (not present)"));
        QCOMPARE(unplugged.cardIdAt(unplugged.storedIndex()), 5);

        // A card kept for recording that no longer reports capture is still offered as itself.
        const RecordingDeviceChoice playbackOnly(cards, 1);
        QCOMPARE(playbackOnly.entries().at(playbackOnly.storedIndex()), QStringLiteral("HDMI (hw:1)"));
    }

    // The real ALSA list on this machine: whatever it holds, each card has its number and counts.
    void readsTheCardsAlsaKnows()
    {
        for (const SoundCard& card : AlsaCards::list()) {
            QVERIFY(card.id >= 0);
            QVERIFY(card.captureDevices >= 0 && card.playbackDevices >= 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestRecordingDeviceChoice)
#include "TestRecordingDeviceChoice.moc"
