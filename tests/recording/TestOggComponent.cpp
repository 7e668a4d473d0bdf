#include "recording/EncoderError.h"
#include "recording/OggComponent.h"
#include "recording/OggSamples.h"
#include "recording/OggTestSignals.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <numbers>

namespace {

using namespace OggTestSignals;

constexpr int BufferBytes = 4096;

// A FILE whose writes stop at a closed gate until the test opens it, so that the encoder can be held busy.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = true;
    bool held = false;
    qint64 bytes = 0;

    static ssize_t write(void* cookie, const char* data, size_t size)
    {
        auto* gate = static_cast<Gate*>(cookie);
        std::unique_lock lock(gate->mutex);
        if (!gate->open) {
            gate->held = true;
            gate->changed.notify_all();
            gate->changed.wait(lock, [gate] { return gate->open; });
        }
        gate->bytes += static_cast<qint64>(size);
        Q_UNUSED(data);
        return static_cast<ssize_t>(size);
    }

    std::FILE* file()
    {
        std::FILE* stream = fopencookie(this, "w", {nullptr, &Gate::write, nullptr, nullptr});
        std::setvbuf(stream, nullptr, _IONBF, 0);
        return stream;
    }

    void setOpen(bool value)
    {
        const std::lock_guard lock(mutex);
        open = value;
        changed.notify_all();
    }
};

class Lines final {
public:
    TOggComponent::LogSink sink()
    {
        return [this](const QString& line) {
            const std::lock_guard lock(m_mutex);
            m_lines << line;
        };
    }
    QStringList lines() const
    {
        const std::lock_guard lock(m_mutex);
        return m_lines;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_lines;
};

const QDateTime CallTime(QDate(2024, 3, 5), QTime(14, 7, 9));

} // namespace

class TestOggComponent final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void sampleConversion()
    {
        QCOMPARE(OggSamples::sampleValue(128), 0.0f);
        QCOMPARE(OggSamples::sampleValue(0), -1.0f);
        QCOMPARE(OggSamples::sampleValue(255), 0.9921875f);
        QCOMPARE(OggSamples::sampleValue(129), 0.0078125f);

        QByteArray stereo(BufferBytes, '\0');
        for (int i = 0; i < stereo.size(); ++i)
            stereo[i] = static_cast<char>(i % 2 == 0 ? 255 : 0);
        const int frames = OggSamples::frameCount(static_cast<std::size_t>(stereo.size()), 2);
        QCOMPARE(frames, 2048);
        std::vector<float> left(frames, 5.0f);
        std::vector<float> right(frames, 5.0f);
        float* channels[] = {left.data(), right.data()};
        OggSamples::deinterleave(reinterpret_cast<const unsigned char*>(stereo.constData()), frames, 2, channels);
        QVERIFY(std::all_of(left.begin(), left.end(), [](float v) { return v == 0.9921875f; }));
        QVERIFY(std::all_of(right.begin(), right.end(), [](float v) { return v == -1.0f; }));
        QCOMPARE(OggSamples::frameCount(4096, 1), 4096);
        QCOMPARE(OggSamples::frameCount(4095, 2), 2047);
    }

    void writeErrnoMeaning_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<quint32>("code");
        QTest::newRow("no such file") << ENOENT << quint32(EncoderError::FileMissing);
        QTest::newRow("no such folder") << ENOTDIR << quint32(EncoderError::FolderUnavailable);
        QTest::newRow("too many open files") << EMFILE << quint32(EncoderError::TooManyOpenFiles);
        QTest::newRow("too many files in system") << ENFILE << quint32(EncoderError::TooManyOpenFiles);
        QTest::newRow("access denied") << EACCES << quint32(EncoderError::AccessDenied);
        QTest::newRow("not permitted") << EPERM << quint32(EncoderError::AccessDenied);
        QTest::newRow("no space") << ENOSPC << quint32(EncoderError::DiscFull);
        QTest::newRow("quota") << EDQUOT << quint32(EncoderError::DiscFull);
        QTest::newRow("read-only") << EROFS << quint32(EncoderError::ReadOnlyFileSystem);
        QTest::newRow("input/output") << EIO << quint32(EncoderError::OperationFailed);
        QTest::newRow("none given") << 0 << quint32(EncoderError::OperationFailed);
    }

    void writeErrnoMeaning()
    {
        QFETCH(int, error);
        QFETCH(quint32, code);
        QCOMPARE(EncoderError::fromWriteErrno(error), code);
        QVERIFY(!EncoderError::message(code).isEmpty());
    }

    void toneRoundTrip_data()
    {
        QTest::addColumn<int>("channels");
        QTest::newRow("mono") << 1;
        QTest::newRow("stereo") << 2;
    }

    // A 1 kHz tone survives the codec: the decoded file lasts as long as the input, at 8 kHz, and its strongest
    // frequency is still 1 kHz.
    void toneRoundTrip()
    {
        QFETCH(int, channels);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("temp.ogg"));
        std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "w+b");
        QVERIFY(file);

        TOggComponent encoder({{}, [] { return QDateTime(QDate(2026, 1, 31), QTime(9, 0)); }, {}});
        QVERIFY(encoder.Begin(file, channels, QStringLiteral("Jan Łoś"), QStringLiteral("+48123"), CallTime));
        const int buffers = 8;
        const int framesPerBuffer = BufferBytes / channels;
        const QByteArray signal = tone(1000.0, buffers * framesPerBuffer, channels);
        for (int i = 0; i < buffers; ++i) {
            QVERIFY(encoder.Submit(signal.mid(i * BufferBytes, BufferBytes)));
            encoder.waitUntilIdle();
        }
        QVERIFY(encoder.Finish());
        QCOMPARE(encoder.EncoderError(), quint32(EncoderError::None));
        std::fclose(file);

        const Decoded decoded = decode(path);
        QCOMPARE(decoded.rate, 8000L);
        QCOMPARE(decoded.channels, channels);
        const long expectedFrames = long(buffers) * framesPerBuffer;
        QVERIFY2(std::abs(long(decoded.firstChannel.size()) - expectedFrames) <= 256,
                 qPrintable(QString::number(decoded.firstChannel.size())));
        const double atTone = powerAt(decoded.firstChannel, 1000.0);
        for (const double other : {250.0, 500.0, 750.0, 1250.0, 1500.0, 2000.0, 3000.0, 3900.0})
            QVERIFY2(atTone > 100.0 * powerAt(decoded.firstChannel, other), qPrintable(QString::number(other)));

        QCOMPARE(decoded.tags.value(QStringLiteral("TITLE")), QStringLiteral("Connecting number: +48123"));
        QCOMPARE(decoded.tags.value(QStringLiteral("ARTIST")), QStringLiteral("Caller: Jan Łoś"));
        QCOMPARE(decoded.tags.value(QStringLiteral("ALBUM")), QStringLiteral("The Norvel Tervo Telephone calls"));
        QCOMPARE(decoded.tags.value(QStringLiteral("GENRE")), QStringLiteral("Speak"));
        QCOMPARE(decoded.tags.value(QStringLiteral("ENCODER")),
                 QStringLiteral("Norvel Tervo with vorbisenc.dll v 1.0.1"));
        QCOMPARE(decoded.tags.value(QStringLiteral("DATE")), QStringLiteral("2026-01-31"));
        QCOMPARE(decoded.tags.value(QStringLiteral("COMMENT")),
                 QStringLiteral("Records dated on 5.03.2024 (Tuesday) 14:07:09"));
        QVERIFY(!decoded.tags.value(QStringLiteral("WWW")).isEmpty());
        QCOMPARE(decoded.tags.size(), 8);
    }

    // Recordings in a row, even within one second, are separate streams; the serial comes from the random source.
    void serials()
    {
        QTemporaryDir folder;
        TOggComponent encoder;
        QList<long> serials;
        for (const QString& name : {QStringLiteral("a.ogg"), QStringLiteral("b.ogg")}) {
            std::FILE* file = std::fopen(QFile::encodeName(folder.filePath(name)).constData(), "w+b");
            QVERIFY(encoder.Begin(file, 1, QStringLiteral("x"), QStringLiteral("1"), CallTime));
            QVERIFY(encoder.Submit(tone(440.0, BufferBytes, 1)));
            QVERIFY(encoder.Finish());
            std::fclose(file);
            serials << decode(folder.filePath(name)).serial;
        }
        QVERIFY(serials[0] != serials[1]);

        TOggComponent chosen({[] { return quint32(4242); }, {}, {}});
        std::FILE* file = std::fopen(QFile::encodeName(folder.filePath(QStringLiteral("c.ogg"))).constData(), "w+b");
        QVERIFY(chosen.Begin(file, 2, QStringLiteral("x"), QStringLiteral("1"), CallTime));
        QVERIFY(chosen.Finish());
        std::fclose(file);
        QCOMPARE(decode(folder.filePath(QStringLiteral("c.ogg"))).serial, 4242L);
        QCOMPARE(chosen.serial(), 4242);
    }

    // The capture never waits: a buffer handed over while the previous one is still being written is dropped,
    // logged, and the encoder reports that the computer is too slow. Encoding goes on with the next buffer.
    void bufferWhileBusyIsDropped()
    {
        Gate gate;
        std::FILE* file = gate.file();
        Lines log;
        TOggComponent encoder({{}, {}, log.sink()});
        QVERIFY(encoder.Begin(file, 1, QStringLiteral("x"), QStringLiteral("1"), CallTime));
        gate.setOpen(false);
        const QByteArray buffer = tone(700.0, BufferBytes, 1);
        bool held = false;
        for (int i = 0; i < 64 && !held; ++i) {
            QVERIFY(encoder.Submit(buffer));
            std::unique_lock lock(gate.mutex);
            while (!gate.held && encoder.isBusy())
                gate.changed.wait_for(lock, std::chrono::milliseconds(5));
            held = gate.held;
        }
        QVERIFY(held);
        QVERIFY(encoder.isBusy());
        QVERIFY(!encoder.Submit(buffer));
        QVERIFY(!encoder.Submit(buffer));
        QCOMPARE(encoder.droppedBuffers(), 2);
        QCOMPARE(encoder.EncoderError(), quint32(EncoderError::TooLowEfficiency));
        QCOMPARE(encoder.ErrorMessage(), QStringLiteral("too low efficiency (call compression cannot be used)"));
        QVERIFY(log.lines().contains(QStringLiteral("Audio frame droped #1")));
        QVERIFY(log.lines().contains(QStringLiteral("Audio frame droped #2")));

        gate.setOpen(true);
        encoder.waitUntilIdle();
        QVERIFY(encoder.Submit(buffer));
        QVERIFY(!encoder.Finish());
        QCOMPARE(encoder.EncoderError(), quint32(EncoderError::TooLowEfficiency));
        std::fclose(file);
        QVERIFY(!encoder.Submit(buffer));
        QCOMPARE(encoder.droppedBuffers(), 2);
    }

    void fullDiscIsReported()
    {
        std::FILE* file = std::fopen("/dev/full", "wb");
        QVERIFY(file);
        Lines log;
        TOggComponent encoder({{}, {}, log.sink()});
        QVERIFY(encoder.Begin(file, 1, QStringLiteral("x"), QStringLiteral("1"), CallTime));
        QCOMPARE(encoder.EncoderError(), quint32(EncoderError::DiscFull));
        QCOMPARE(encoder.ErrorMessage(), QStringLiteral("disc is full."));
        QVERIFY(encoder.Submit(tone(1000.0, BufferBytes, 1)));
        QVERIFY(!encoder.Finish());
        QCOMPARE(encoder.EncoderError(), quint32(EncoderError::DiscFull));
        QVERIFY(!log.lines().isEmpty());
        std::fclose(file);
    }

    void refusedSetUp()
    {
        TOggComponent encoder;
        QVERIFY(!encoder.Begin(nullptr, 1, QString(), QString(), CallTime));
        QCOMPARE(encoder.EncoderError(), quint32(EncoderError::CodecInitialisation));
        std::FILE* file = std::tmpfile();
        QVERIFY(!encoder.Begin(file, 3, QString(), QString(), CallTime));
        QCOMPARE(std::ftell(file), 0L);
        QVERIFY(!encoder.Submit(tone(1000.0, 16, 1)));
        QVERIFY(!encoder.Finish());
        QVERIFY(encoder.Begin(file, 1, QString(), QString(), CallTime));
        QVERIFY(!encoder.Begin(file, 1, QString(), QString(), CallTime));
        QVERIFY(encoder.Finish()); // the refused second set-up leaves the open stream alone
        std::fclose(file);
    }
};

QTEST_GUILESS_MAIN(TestOggComponent)
#include "TestOggComponent.moc"
