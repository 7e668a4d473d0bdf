#pragma once

#include <QList>
#include <QString>

// A sound card as ALSA numbers and names it, with how many capture and playback devices it has.
struct SoundCard {
    int id = -1;
    QString name;
    int captureDevices = 0;
    int playbackDevices = 0;
};

// The sound cards ALSA knows now, in the order of their numbers.
class AlsaCards final {
public:
    static QList<SoundCard> list();
};
