#pragma once

#include <cstddef>

// The conversion of captured 8-bit unsigned PCM into the float samples of the Vorbis analysis: byte 128 is
// silence (0.0), 0 is -1.0 and 255 is 0.9921875; the bytes of a stereo frame come left first.
namespace OggSamples {

constexpr float sampleValue(unsigned char byte)
{
    return static_cast<float>(static_cast<int>(byte) - 128) * 0.0078125f;
}

// The whole frames (one byte per channel) that bytes hold.
constexpr int frameCount(std::size_t bytes, int channels)
{
    return channels > 0 ? static_cast<int>(bytes / static_cast<std::size_t>(channels)) : 0;
}

// Writes frames frames of data into one float array per channel.
void deinterleave(const unsigned char* data, int frames, int channels, float* const* channelSamples);

} // namespace OggSamples
