#pragma once

#include "sms/SoundClip.h"

#include <QString>
#include <optional>

// The user's notification sound: a RIFF WAVE file of uncompressed PCM, 8 or 16 bits, one or two channels.
namespace WaveFile {

// The file's sound; nothing, with the reason in error, when it cannot be read or is not such a file.
std::optional<SoundClip> read(const QString& path, QString* error = nullptr);
// The same from the file's bytes.
std::optional<SoundClip> parse(const QByteArray& bytes, QString* error = nullptr);

} // namespace WaveFile
