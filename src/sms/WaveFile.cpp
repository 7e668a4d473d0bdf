#include "sms/WaveFile.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr qsizetype MaxFileBytes = 16 * 1024 * 1024; // a notification, not a concert
constexpr quint16 PcmFormat = 1;
constexpr quint16 ExtensibleFormat = 0xFFFE;

std::optional<SoundClip> fail(QString* error, const QString& reason)
{
    if (error != nullptr) {
        *error = reason;
    }
    return std::nullopt;
}

quint16 word(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 dword(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

} // namespace

std::optional<SoundClip> WaveFile::read(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(error, file.errorString());
    }
    if (file.size() > MaxFileBytes) {
        return fail(error, QStringLiteral("the file is larger than 16 MiB"));
    }
    return parse(file.readAll(), error);
}

// Chunks are walked by their stated sizes, each checked against what is left, so that a cut or lying file ends in
// a reason rather than a read past its end.
std::optional<SoundClip> WaveFile::parse(const QByteArray& bytes, QString* error)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return fail(error, QStringLiteral("not a RIFF WAVE file"));
    }
    std::optional<SoundClip> format;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = dword(bytes, at + 4);
        const qsizetype body = at + 8;
        if (size > quint32(bytes.size() - body)) {
            return fail(error, QStringLiteral("the chunk \"%1\" runs past the end").arg(QString::fromLatin1(id)));
        }
        if (id == "fmt ") {
            if (size < 16) {
                return fail(error, QStringLiteral("the format chunk is too short"));
            }
            const quint16 tag = word(bytes, body);
            SoundClip clip{int(dword(bytes, body + 4)), word(bytes, body + 2), word(bytes, body + 14), {}};
            if (tag != PcmFormat && tag != ExtensibleFormat) {
                return fail(error, QStringLiteral("compressed sound (format %1) is not played").arg(tag));
            }
            if ((clip.channels != 1 && clip.channels != 2) || (clip.bitsPerSample != 8 && clip.bitsPerSample != 16) ||
                clip.rate < 4000 || clip.rate > 192000) {
                return fail(error, QStringLiteral("%1 channels, %2 bits at %3 Hz is not played")
                                       .arg(clip.channels)
                                       .arg(clip.bitsPerSample)
                                       .arg(clip.rate));
            }
            format = clip;
        } else if (id == "data") {
            if (!format) {
                return fail(error, QStringLiteral("the sound comes before its format"));
            }
            const qsizetype usable = qsizetype(size) - qsizetype(size) % format->bytesPerFrame();
            format->frames = bytes.mid(body, usable);
            if (format->isEmpty()) {
                return fail(error, QStringLiteral("the file holds no sound"));
            }
            return format;
        }
        at = body + qsizetype(size) + (size & 1U);
    }
    return fail(error, QStringLiteral("the file holds no sound"));
}
