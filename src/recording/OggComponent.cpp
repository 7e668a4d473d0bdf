#include "recording/OggComponent.h"

#include "recording/EncoderError.h"
#include "recording/OggSamples.h"
#include "recording/RecordingTags.h"
#include "recording/ThreadPriority.h"

#include <cerrno>
#include <ogg/ogg.h>
#include <random>
#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>

namespace {

constexpr long SampleRate = 8000;
constexpr long NominalBitrate = 16000;

quint32 unpredictableSerial()
{
    static std::mutex mutex;
    static std::mt19937 generator{std::random_device{}()};
    const std::lock_guard lock(mutex);
    return static_cast<quint32>(generator());
}

} // namespace

// The libvorbis and libogg state of one stream.
struct TOggComponent::Codec {
    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};
    bool analysing = false;

    Codec() { vorbis_info_init(&info); }
    ~Codec()
    {
        if (analysing) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
            vorbis_comment_clear(&comment);
        }
        vorbis_info_clear(&info);
    }
    Codec(const Codec&) = delete;
    Codec& operator=(const Codec&) = delete;
};

TOggComponent::TOggComponent(Environment environment)
    : m_environment(std::move(environment))
{
    if (!m_environment.random)
        m_environment.random = &unpredictableSerial;
    if (!m_environment.clock)
        m_environment.clock = &QDateTime::currentDateTime;
    if (!m_environment.log)
        m_environment.log = [](const QString&) {
        };
    m_thread = std::thread(&TOggComponent::run, this);
}

TOggComponent::~TOggComponent()
{
    if (m_streamOpen)
        Finish();
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

bool TOggComponent::Begin(std::FILE* file, int channels, const QString& party, const QString& number,
                          const QDateTime& callTime)
{
    if (m_streamOpen)
        return false;
    if (file == nullptr || (channels != 1 && channels != 2)) {
        setError(EncoderError::CodecInitialisation);
        return false;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_error = EncoderError::None;
    }
    auto codec = std::make_unique<Codec>();
    if (vorbis_encode_setup_managed(&codec->info, channels, SampleRate, -1, NominalBitrate, -1) != 0 ||
        vorbis_encode_ctl(&codec->info, OV_ECTL_RATEMANAGE_SET, nullptr) != 0 ||
        vorbis_encode_setup_init(&codec->info) != 0) {
        m_environment.log(QStringLiteral("Vorbis encoder set-up failed"));
        setError(EncoderError::CodecInitialisation);
        return false;
    }

    vorbis_comment_init(&codec->comment);
    const auto tags = RecordingTags::forCall(number, party, callTime, m_environment.clock());
    for (const auto& [tag, value] : tags)
        vorbis_comment_add_tag(&codec->comment, tag.constData(), value.toUtf8().constData());
    vorbis_analysis_init(&codec->dsp, &codec->info);
    vorbis_block_init(&codec->dsp, &codec->block);
    m_serial = static_cast<int>(m_environment.random());
    ogg_stream_init(&codec->stream, m_serial);
    codec->analysing = true;

    ogg_packet identification;
    ogg_packet comment;
    ogg_packet codebooks;
    vorbis_analysis_headerout(&codec->dsp, &codec->comment, &identification, &comment, &codebooks);
    ogg_stream_packetin(&codec->stream, &identification);
    ogg_stream_packetin(&codec->stream, &comment);
    ogg_stream_packetin(&codec->stream, &codebooks);

    m_codec = std::move(codec);
    m_file = file;
    m_channels = channels;
    m_streamOpen = true;

    // The headers go to the file in one write; the first page holds the identification header alone.
    QByteArray out;
    ogg_page page;
    while (ogg_stream_flush(&m_codec->stream, &page) != 0) {
        out.append(reinterpret_cast<const char*>(page.header), page.header_len);
        out.append(reinterpret_cast<const char*>(page.body), page.body_len);
    }
    write(out);
    return true;
}

bool TOggComponent::Submit(const QByteArray& buffer)
{
    if (!m_streamOpen)
        return false;
    bool expected = false;
    if (!m_busy.compare_exchange_strong(expected, true)) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_error == EncoderError::None)
                m_error = EncoderError::TooLowEfficiency;
        }
        const int dropped = ++m_dropped;
        m_environment.log(QStringLiteral("Audio frame droped #%1").arg(dropped));
        return false;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_buffer = buffer;
        m_hasBuffer = true;
    }
    m_wake.notify_one();
    return true;
}

bool TOggComponent::Finish()
{
    if (!m_streamOpen)
        return false;
    waitUntilIdle();
    // The encoder thread is idle and the busy mark keeps further buffers out while the stream is closed.
    m_busy.store(true);
    vorbis_analysis_wrote(&m_codec->dsp, 0);
    writePages();
    m_codec.reset();
    m_file = nullptr;
    m_streamOpen = false;
    m_busy.store(false);
    return EncoderError() == EncoderError::None;
}

quint32 TOggComponent::EncoderError() const
{
    const std::lock_guard lock(m_mutex);
    return m_error;
}

QString TOggComponent::ErrorMessage() const
{
    return EncoderError::message(EncoderError());
}

void TOggComponent::run()
{
    ThreadPriority::raiseCurrentThread();
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_hasBuffer || m_quit; });
        if (m_quit)
            return;
        const QByteArray buffer = std::exchange(m_buffer, QByteArray());
        m_hasBuffer = false;
        lock.unlock();
        encode(buffer);
        lock.lock();
        m_busy.store(false);
        m_idle.notify_all();
    }
}

void TOggComponent::encode(const QByteArray& buffer)
{
    const int frames = OggSamples::frameCount(static_cast<std::size_t>(buffer.size()), m_channels);
    if (frames > 0) {
        float** samples = vorbis_analysis_buffer(&m_codec->dsp, frames);
        OggSamples::deinterleave(reinterpret_cast<const unsigned char*>(buffer.constData()), frames, m_channels,
                                 samples);
        vorbis_analysis_wrote(&m_codec->dsp, frames);
    }
    writePages();
}

void TOggComponent::writePages()
{
    ogg_packet packet;
    ogg_page page;
    bool endOfStream = false;
    while (vorbis_analysis_blockout(&m_codec->dsp, &m_codec->block) == 1) {
        vorbis_analysis(&m_codec->block, nullptr);
        vorbis_bitrate_addblock(&m_codec->block);
        while (vorbis_bitrate_flushpacket(&m_codec->dsp, &packet) == 1) {
            ogg_stream_packetin(&m_codec->stream, &packet);
            while (!endOfStream && ogg_stream_pageout(&m_codec->stream, &page) != 0) {
                QByteArray out(reinterpret_cast<const char*>(page.header), page.header_len);
                out.append(reinterpret_cast<const char*>(page.body), page.body_len);
                write(out);
                endOfStream = ogg_page_eos(&page) != 0;
            }
        }
    }
}

void TOggComponent::write(const QByteArray& out)
{
    errno = 0;
    const std::size_t written = std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), m_file);
    // Each page reaches the file at once, so that a full disc shows at the page that did not fit.
    const bool flushed = std::fflush(m_file) == 0;
    if (written == static_cast<std::size_t>(out.size()) && flushed)
        return;
    const int error = errno;
    const quint32 code = EncoderError::fromWriteErrno(error);
    m_environment.log(
        QStringLiteral("Recording write failed: %1 (errno %2)").arg(EncoderError::message(code)).arg(error));
    setError(code);
}

void TOggComponent::setError(quint32 code)
{
    const std::lock_guard lock(m_mutex);
    m_error = code;
}

void TOggComponent::waitUntilIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_busy.load(); });
}

bool TOggComponent::waitUntilIdleFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_idle.wait_for(lock, timeout, [this] { return !m_busy.load(); });
}
