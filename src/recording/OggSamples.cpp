#include "recording/OggSamples.h"

namespace OggSamples {

void deinterleave(const unsigned char* data, int frames, int channels, float* const* channelSamples)
{
    for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel)
            channelSamples[channel][frame] = sampleValue(*data++);
    }
}

} // namespace OggSamples
