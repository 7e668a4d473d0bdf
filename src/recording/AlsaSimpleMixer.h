#pragma once

#include "recording/SimpleMixer.h"

struct _snd_mixer;
struct _snd_mixer_elem;

// The ALSA simple mixer (snd_mixer_selem) of one card. The recording source is the card's enumerated capture
// control ("Capture Source", "Input Source") when it has one, else the capture switches of its lines, of which
// the chosen one is switched on and the others off.
class AlsaSimpleMixer final : public SimpleMixer {
public:
    AlsaSimpleMixer() = default;
    ~AlsaSimpleMixer() override;
    AlsaSimpleMixer(const AlsaSimpleMixer&) = delete;
    AlsaSimpleMixer& operator=(const AlsaSimpleMixer&) = delete;

    int cardCount() override;
    int captureDeviceCount() override;
    int playbackDeviceCount() override;
    bool open(int card) override;
    std::optional<Range> volumeRange(const QString& line, Direction direction) override;
    int channelCount(const QString& line, Direction direction) override;
    bool setVolumes(const QString& line, Direction direction, const QList<long>& values) override;
    QStringList captureSources() override;
    bool selectCaptureSource(int lineId) override;

private:
    void close();
    static int deviceCount(bool capture);
    _snd_mixer_elem* element(const QString& line) const;
    _snd_mixer_elem* captureEnum() const;
    QList<_snd_mixer_elem*> captureSwitches() const;

    _snd_mixer* m_mixer = nullptr;
};
