#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One sound card's mixer as the recorder sets it: volume controls of named lines and the choice of the line that
// feeds the recording input. The ALSA simple mixer implements it; tests plug in a fake.
class SimpleMixer {
public:
    enum class Direction { Capture, Playback };
    struct Range {
        long minimum = 0;
        long maximum = 0;
    };

    virtual ~SimpleMixer() = default;

    virtual int cardCount() = 0;
    virtual int captureDeviceCount() = 0;
    virtual int playbackDeviceCount() = 0;
    // Opens the mixer of card (a negative card: the default device's); false when it cannot be opened.
    virtual bool open(int card) = 0;

    // The volume range and channel count of line's control in direction; nothing when the line has none.
    virtual std::optional<Range> volumeRange(const QString& line, Direction direction) = 0;
    virtual int channelCount(const QString& line, Direction direction) = 0;
    // Writes one raw value per channel; false when the mixer refused them.
    virtual bool setVolumes(const QString& line, Direction direction, const QList<long>& values) = 0;

    // The lines that can feed the recording input, in the order of their line identifiers.
    virtual QStringList captureSources() = 0;
    // Makes the source with identifier lineId the only recording source; false when the mixer refused it.
    virtual bool selectCaptureSource(int lineId) = 0;
};
