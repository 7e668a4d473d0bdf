#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Compresses one call recording to Ogg Vorbis on its own thread. The recorder opens the file, calls Begin(),
// hands over each captured buffer of 8-bit unsigned PCM at 8000 Hz with Submit() and ends with Finish(). The
// capture never waits for the encoder: a buffer that arrives while the previous one is still being encoded is
// dropped, logged and the encoder's error becomes "too low efficiency".
class TOggComponent final {
public:
    using RandomSource = std::function<quint32()>;
    using Clock = std::function<QDateTime()>;
    using LogSink = std::function<void(const QString&)>;

    struct Environment {
        RandomSource random; // the stream serial; unpredictable by default
        Clock clock;         // the "DATE" tag; the local time by default
        LogSink log;         // diagnostic lines; none by default
    };

    explicit TOggComponent(Environment environment = {});
    ~TOggComponent();
    TOggComponent(const TOggComponent&) = delete;
    TOggComponent& operator=(const TOggComponent&) = delete;

    // Sets up a stream of channels (1 or 2) channels on file and writes the three Vorbis headers. False, with
    // EncoderError() 4, when the codec cannot be set up (nothing is written then); false while a stream is open.
    bool Begin(std::FILE* file, int channels, const QString& party, const QString& number, const QDateTime& callTime);

    // Hands buffer to the encoder thread. False when it was dropped: no stream is open, or the encoder is still
    // busy with the previous buffer.
    bool Submit(const QByteArray& buffer);

    // Waits for the buffer in work, ends the stream with its last page and releases the codec. False when any
    // write of the stream failed (EncoderError() tells why) or no stream was open.
    bool Finish();

    bool isBusy() const { return m_busy.load(); }
    // Blocks until the buffer in work, if any, is encoded and written.
    void waitUntilIdle();
    // The same, for at most timeout; true when the encoder is idle.
    bool waitUntilIdleFor(std::chrono::milliseconds timeout);
    quint32 EncoderError() const;
    QString ErrorMessage() const;
    // The serial number of the current or last stream.
    int serial() const { return m_serial; }
    int droppedBuffers() const { return m_dropped.load(); }

private:
    struct Codec;

    void run();
    void encode(const QByteArray& buffer);
    void writePages();
    void write(const QByteArray& out);
    void setError(quint32 code);

    Environment m_environment;
    std::unique_ptr<Codec> m_codec;
    std::FILE* m_file = nullptr;
    int m_channels = 1;
    int m_serial = 0;
    bool m_streamOpen = false;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    QByteArray m_buffer;
    bool m_hasBuffer = false;
    bool m_quit = false;
    quint32 m_error = 0;
    std::atomic<bool> m_busy{false};
    std::atomic<int> m_dropped{0};
    std::thread m_thread;
};
