#pragma once

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>
#include <cmath>
#include <numbers>
#include <vector>
#include <vorbis/vorbisfile.h>

// Test signals at 8000 Hz and the decoding of the Ogg Vorbis files made from them.
namespace OggTestSignals {

// Captured bytes of a tone: 8000 Hz, 8-bit unsigned, the same sample on every channel.
inline QByteArray tone(double frequency, int frames, int channels)
{
    QByteArray bytes;
    bytes.reserve(frames * channels);
    for (int frame = 0; frame < frames; ++frame) {
        const double value = 128.0 + 90.0 * std::sin(2.0 * std::numbers::pi * frequency * frame / 8000.0);
        for (int channel = 0; channel < channels; ++channel)
            bytes.append(static_cast<char>(static_cast<unsigned char>(std::lround(value))));
    }
    return bytes;
}

// The power of one frequency in samples taken at 8000 Hz (Goertzel).
inline double powerAt(const std::vector<float>& samples, double frequency)
{
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / 8000.0);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (const float sample : samples) {
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

struct Decoded {
    long rate = 0;
    int channels = 0;
    long serial = 0;
    std::vector<float> firstChannel;
    QMap<QString, QString> tags;
};

inline Decoded decode(const QString& path)
{
    Decoded result;
    OggVorbis_File file;
    if (ov_fopen(QFile::encodeName(path).constData(), &file) != 0)
        return result;
    const vorbis_info* info = ov_info(&file, -1);
    result.rate = info->rate;
    result.channels = info->channels;
    result.serial = ov_serialnumber(&file, -1);
    const vorbis_comment* comment = ov_comment(&file, -1);
    for (int i = 0; i < comment->comments; ++i) {
        const QString entry = QString::fromUtf8(comment->user_comments[i], comment->comment_lengths[i]);
        result.tags.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    }
    float** pcm = nullptr;
    int section = 0;
    for (long frames; (frames = ov_read_float(&file, &pcm, 1024, &section)) > 0;)
        result.firstChannel.insert(result.firstChannel.end(), pcm[0], pcm[0] + frames);
    ov_clear(&file);
    return result;
}

// The frequency among 100 Hz steps up to 3900 Hz with the most power in samples.
inline double strongestFrequency(const std::vector<float>& samples)
{
    double best = 0.0;
    double bestPower = -1.0;
    for (double frequency = 100.0; frequency < 4000.0; frequency += 100.0) {
        const double power = powerAt(samples, frequency);
        if (power > bestPower) {
            bestPower = power;
            best = frequency;
        }
    }
    return best;
}

// Writes into folder a raw tone of seconds at 1 kHz (8-bit unsigned, 8000 Hz, mono) and an ALSA configuration
// whose PCM pcmName (e.g. "tone", or "!default" to replace the default device) is ALSA's file plugin reading that
// tone over the null plugin. The configuration's path, or empty when a file could not be written.
inline QString writeToneAlsaConfig(const QString& folder, const QString& pcmName, int seconds)
{
    QFile tone(folder + QStringLiteral("/tone.raw"));
    QFile config(folder + QStringLiteral("/asound.conf"));
    const QByteArray samples = OggTestSignals::tone(1000.0, 8000 * seconds, 1);
    const QByteArray text = QStringLiteral("pcm.%1 {\n"
                                           "    type file\n"
                                           "    slave { pcm { type null } }\n"
                                           "    file \"/dev/null\"\n"
                                           "    infile \"%2\"\n"
                                           "    format \"raw\"\n"
                                           "}\n")
                                .arg(pcmName, tone.fileName())
                                .toUtf8();
    const bool written = tone.open(QIODevice::WriteOnly) && tone.write(samples) == samples.size() &&
                         config.open(QIODevice::WriteOnly) && config.write(text) == text.size();
    return written ? config.fileName() : QString();
}

} // namespace OggTestSignals
