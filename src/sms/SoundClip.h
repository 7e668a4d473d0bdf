#pragma once

#include <QByteArray>

// Sound to play: interleaved PCM frames, unsigned 8-bit or signed 16-bit little-endian.
struct SoundClip {
    int rate = 22050;
    int channels = 1;
    int bitsPerSample = 16;
    QByteArray frames;

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    bool isEmpty() const { return frames.isEmpty(); }
};

// Where the new-message signal plays its sound; the program plays through the sound card, tests listen.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // Starts playing and returns at once; a clip asked for while another plays follows it.
    virtual void play(const SoundClip& clip) = 0;
};
