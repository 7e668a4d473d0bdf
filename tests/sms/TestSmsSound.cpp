#include "settings/SettingsRecord.h"
#include "sms/AlsaPlayback.h"
#include "sms/NotificationTones.h"
#include "sms/SmsNotification.h"
#include "sms/WaveFile.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

class ListeningOutput final : public SoundOutput {
public:
    void play(const SoundClip& clip) override { played.append(clip); }
    QList<SoundClip> played;
};

struct RecordedTimer {
    SmsNotification::RepeatTimer ports()
    {
        return {[this](int ms) { starts.append(ms); },
                [this] {
                    ++stops;
                }};
    }
    QList<int> starts;
    int stops = 0;
};

// The player's log lines, which come from its worker thread.
struct WorkerLog {
    AlsaPlayback::Log callback()
    {
        return [this](const QString& line) {
            const std::lock_guard lock(mutex);
            lines << line;
        };
    }
    QStringList taken()
    {
        const std::lock_guard lock(mutex);
        return lines;
    }
    std::mutex mutex;
    QStringList lines;
};

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const QByteArray& id, const QByteArray& body)
{
    return id + le32(quint32(body.size())) + body + (body.size() % 2 != 0 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 align = quint16(channels * bits / 8);
    return chunk("fmt ", le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits));
}

QByteArray wave(const QByteArray& chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

qint16 sampleAt(const SoundClip& clip, qsizetype frame)
{
    return qFromLittleEndian<qint16>(clip.frames.constData() + frame * 2);
}

qint16 loudest(const SoundClip& clip)
{
    qint16 peak = 0;
    for (qsizetype i = 0; i < clip.frames.size() / 2; ++i) {
        peak = std::max<qint16>(peak, qint16(std::abs(sampleAt(clip, i))));
    }
    return peak;
}

} // namespace

// The new-message sound: the program's own tones, the user's WAV file, the repeats until the user looks, and the
// playing through ALSA on a worker thread, against ALSA's file plugin.
class TestSmsSound final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // ALSA reads its configuration once per process: this one sends "default" into a file and nowhere else.
        QVERIFY(m_folder.isValid());
        m_played = m_folder.filePath(QStringLiteral("played.raw"));
        const QByteArray config = "pcm.default {\n"
                                  "    type file\n"
                                  "    slave.pcm \"quiet\"\n"
                                  "    file \"" +
                                  m_played.toUtf8() +
                                  "\"\n"
                                  "    format \"raw\"\n"
                                  "    truncate true\n"
                                  "}\n"
                                  "pcm.quiet {\n"
                                  "    type null\n"
                                  "}\n";
        const QString path = m_folder.filePath(QStringLiteral("asound.conf"));
        QVERIFY(writeFile(path, config));
        qputenv("ALSA_CONFIG_PATH", path.toLocal8Bit());
    }

    void programTonesFadeInAndOutWithoutClipping()
    {
        const SoundClip shortOne = NotificationTones::shortNotification();
        const SoundClip longOne = NotificationTones::longNotification();
        QCOMPARE(shortOne.rate, NotificationTones::Rate);
        QCOMPARE(shortOne.bitsPerSample, 16);
        QCOMPARE(shortOne.frames.size() / 2, qsizetype(NotificationTones::Rate * 330 / 1000));
        QVERIFY(longOne.frames.size() > 3 * shortOne.frames.size());
        for (const SoundClip& clip : {shortOne, longOne}) {
            QCOMPARE(sampleAt(clip, 0), qint16(0));
            QVERIFY(std::abs(sampleAt(clip, clip.frames.size() / 2 - 1)) < 100);
            QVERIFY(loudest(clip) > 10000);
            QVERIFY(loudest(clip) < 16000);
        }
    }

    void waveFilesArePlayedOnlyWhenTheyHoldPlainPcm()
    {
        const QByteArray frames("\x01\x00\x02\x00\x03\x00\x04\x00", 8);
        QString error;
        const std::optional<SoundClip> stereo =
            WaveFile::parse(wave(format(1, 2, 44100, 16) + chunk("LIST", "odd") + chunk("data", frames)), &error);
        QVERIFY2(stereo, qPrintable(error));
        QCOMPARE(stereo->channels, 2);
        QCOMPARE(stereo->rate, 44100);
        QCOMPARE(stereo->frames, frames);
        // A part frame at the end is left out.
        QCOMPARE(WaveFile::parse(wave(format(1, 2, 8000, 16) + chunk("data", frames + "\x05")))->frames, frames);

        const QList<QByteArray> refused{
            QByteArray(),
            QByteArray("RIFF\x10\0\0\0WAVX", 12),
            wave(format(1, 1, 8000, 8)),
            wave(chunk("data", frames) + format(1, 1, 8000, 8)),
            wave(format(2, 1, 8000, 16) + chunk("data", frames)),
            wave(format(1, 1, 8000, 24) + chunk("data", frames)),
            wave(format(1, 6, 8000, 16) + chunk("data", frames)),
            wave(format(1, 1, 0, 16) + chunk("data", frames)),
            wave(format(1, 1, 8000, 16) + chunk("data", QByteArray())),
            wave(format(1, 1, 8000, 16) + "data" + le32(0xFFFFFFF0) + frames),
            wave(chunk("fmt ", "short")),
        };
        for (const QByteArray& bytes : refused) {
            error.clear();
            QVERIFY(!WaveFile::parse(bytes, &error));
            QVERIFY(!error.isEmpty());
        }
        QVERIFY(!WaveFile::read(m_folder.filePath(QStringLiteral("missing.wav")), &error));
    }

    void soundRepeatsUntilTheUserLooks()
    {
        SettingsRecord settings;
        settings.Sms.SmsEventOn = true;
        settings.Sms.SmsEventWave = 1;
        settings.Sms.SmsEventReaction = 2;
        ListeningOutput output;
        RecordedTimer timer;
        SmsNotification notification(settings, output, timer.ports());
        notification.messageArrived();
        QCOMPARE(output.played.size(), 1);
        QCOMPARE(output.played[0].frames, NotificationTones::longNotification().frames);
        QCOMPARE(timer.starts, QList<int>{20000});
        notification.repeatTimerFired();
        notification.repeatTimerFired();
        QCOMPARE(output.played.size(), 3);
        // A second message while the first repeats: one more sound, still one repeat.
        notification.messageArrived();
        QCOMPARE(output.played.size(), 4);
        notification.userLooked();
        QCOMPARE(timer.stops, 1);
        QVERIFY(!notification.isRepeating());
        // A tick that was already on its way when the user looked plays nothing.
        notification.repeatTimerFired();
        QCOMPARE(output.played.size(), 4);
        notification.userLooked();
        QCOMPARE(timer.stops, 1);

        const QList<QPair<int, int>> intervals{{0, 0}, {1, 10000}, {3, 30000}, {4, 60000}, {9, 0}};
        for (const auto& [index, ms] : intervals) {
            settings.Sms.SmsEventReaction = std::uint8_t(index);
            QCOMPARE(notification.repeatIntervalMs(), ms);
        }
        settings.Sms.SmsEventOn = false;
        notification.messageArrived();
        QCOMPARE(output.played.size(), 4);
    }

    void usersFilePlaysAndABadOneFallsBackOnce()
    {
        const QByteArray frames("\x10\x20\x30\x40", 4);
        const QString good = m_folder.filePath(QStringLiteral("ding.wav"));
        QVERIFY(writeFile(good, wave(format(1, 1, 11025, 8) + chunk("data", frames))));
        const QString bad = m_folder.filePath(QStringLiteral("bad.wav"));
        QVERIFY(writeFile(bad, "not a sound"));

        SettingsRecord settings;
        settings.Sms.SmsEventOn = true;
        settings.Sms.SmsRcFile = 1;
        settings.Sms.SmsEventCustomFile = good;
        ListeningOutput output;
        RecordedTimer timer;
        QStringList log;
        SmsNotification notification(settings, output, timer.ports(), [&log](const QString& line) { log << line; });
        notification.messageArrived();
        QCOMPARE(output.played[0].frames, frames);
        QCOMPARE(output.played[0].rate, 11025);
        QVERIFY(timer.starts.isEmpty());

        settings.Sms.SmsEventCustomFile = bad;
        notification.messageArrived();
        notification.messageArrived();
        QCOMPARE(output.played[2].frames, NotificationTones::shortNotification().frames);
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].contains(bad));

        // The configuration's play button plays what the page shows, whether or not the sound is switched on.
        settings.Sms.SmsEventOn = false;
        notification.playSample({0, 1, bad});
        QCOMPARE(output.played[3].frames, NotificationTones::longNotification().frames);
        notification.playSample({1, 0, good});
        QCOMPARE(output.played[4].frames, frames);
        notification.playSample({1, 1, bad});
        QCOMPARE(output.played[5].frames, NotificationTones::longNotification().frames);
        QCOMPARE(log.size(), 2); // told again, as a good file came in between
    }

    void playsThroughTheDefaultDeviceOnItsWorker()
    {
        WorkerLog log;
        AlsaPlayback playback(QStringLiteral("default"), log.callback());
        const SoundClip clip = NotificationTones::shortNotification();
        playback.play(clip);
        QVERIFY(playback.waitUntilIdle(5000));
        QCOMPARE(playback.playedCount(), 1);
        QCOMPARE(readFile(m_played), clip.frames);
        playback.play(SoundClip{});
        QVERIFY(playback.waitUntilIdle(5000));
        QCOMPARE(playback.playedCount(), 1);
        QVERIFY2(log.taken().isEmpty(), qPrintable(log.taken().join(u'\n')));
    }

    void withoutADeviceItStaysSilentAndSaysSoOnce()
    {
        WorkerLog log;
        AlsaPlayback playback(QStringLiteral("nosuchdevice"), log.callback());
        for (int i = 0; i < 3; ++i) {
            playback.play(NotificationTones::shortNotification());
            QVERIFY(playback.waitUntilIdle(5000));
        }
        QCOMPARE(playback.playedCount(), 0);
        QCOMPARE(log.taken().size(), 1);
        QVERIFY(log.taken().constFirst().contains(u"nosuchdevice"));
    }

private:
    QTemporaryDir m_folder;
    QString m_played;
};

QTEST_MAIN(TestSmsSound)
#include "TestSmsSound.moc"
