#include "tests/app/effects/EffectTestKit.h"

#include "audio/AudioFile.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "effects/EffectSamples.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <memory>

namespace effecttest {

// The work waves of the wave tests take values on the 24-bit scale.
Wave *WaveOf(std::vector<Samples> const &channels, int bits) {
    std::vector<Samples> values = channels;
    if (bits <= 16)
        for (Samples &channel : values)
            for (int32_t &v : channel)
                v *= 256;
    return wavetest::WaveOfValues(values, bits);
}

Wave *BigEndianWaveOf(std::string const &folder, std::vector<Samples> const &channels) {
    std::string samples;
    for (size_t i = 0; i < channels[0].size(); ++i)
        for (Samples const &channel : channels)
            samples += audiotest::Be16(uint32_t(channel[i]) & 0xFFFF);
    std::string path = folder + "\\big.aif";
    testsupport::WriteBytes(path, audiotest::SimpleAiff(int(channels.size()), 16, 44100, samples));
    AudioFile *file = OpenAudioFile(kAccessMapped, FileName(path.c_str()), 1, 1);
    return Wave::CreateWaveFromFile(file, nullptr, 1, nullptr, 0);
}

Samples SamplesOf(Wave &wave, int channel) {
    Samples samples;
    FileReadBuffer buffer(1);
    bool wide = wave.GetBits() > 16;
    for (WaveInIterator it(buffer, 0, wave.GetChannel(channel), 0, -1); it.IsValid(); it.Advance(1))
        samples.push_back(wide ? ConvertSampleTo24(it) : ReadSampleValue(it));
    return samples;
}

std::string Fingerprint(Wave &wave) {
    std::string text = std::to_string(wave.GetLength()) + " undo " + std::to_string(wave.GetNumUndoMementos()) +
                       " markers " + std::to_string(wave.GetMarkers().GetCount());
    for (int c = 0; c < wave.GetNumChannels(); ++c)
        for (int32_t v : SamplesOf(wave, c))
            text += " " + std::to_string(v);
    return text;
}

Samples Noise(int count, int amplitude, uint32_t seed) {
    Samples values;
    uint32_t state = seed * 2654435761u + 1;
    for (int i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        values.push_back(int32_t(int64_t(state >> 8) % (2 * amplitude + 1)) - amplitude);
    }
    return values;
}

}  // namespace effecttest
