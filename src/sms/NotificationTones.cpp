#include "sms/NotificationTones.h"

#include <QtEndian>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

struct Note {
    double frequency;
    int milliseconds;
};

constexpr double Peak = 0.45 * 32767;
constexpr int AttackMs = 8;

// Appends one note: a sine, raised over a few milliseconds and then fading away exponentially.
void appendNote(QByteArray& frames, const Note& note)
{
    const int count = NotificationTones::Rate * note.milliseconds / 1000;
    const int attack = NotificationTones::Rate * AttackMs / 1000;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / NotificationTones::Rate;
        const double rise = i < attack ? double(i) / attack : 1.0;
        const double fall = std::exp(-4.0 * double(i) / count) * (1.0 - double(i) / count);
        const double value = Peak * rise * fall * std::sin(2.0 * std::numbers::pi * note.frequency * t);
        const auto sample = static_cast<qint16>(std::lround(value));
        char bytes[2];
        qToLittleEndian(sample, bytes);
        frames.append(bytes, 2);
    }
}

SoundClip tune(std::initializer_list<Note> notes)
{
    SoundClip clip{NotificationTones::Rate, 1, 16, {}};
    for (const Note& note : notes) {
        appendNote(clip.frames, note);
    }
    return clip;
}

} // namespace

SoundClip NotificationTones::shortNotification()
{
    return tune({{1318.5, 110}, {1760.0, 220}}); // E6, A6
}

SoundClip NotificationTones::longNotification()
{
    return tune({{659.3, 180}, {880.0, 180}, {1108.7, 180}, {1318.5, 520}}); // E5, A5, C#6, E6
}
