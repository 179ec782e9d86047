#include "audio/WaveConversion.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <atomic>

namespace {

enum : unsigned { kTextNoConversion = 10072 };

std::atomic<WaveConversionLink *> conversionLink{nullptr};

}  // namespace

WaveConversionLink *SetWaveConversionLink(WaveConversionLink *link) { return conversionLink.exchange(link); }

Wave *ConvertWave(Wave &wave, SamplePattern const &format) {
    WaveConversionLink *link = conversionLink.load();
    if (!link)
        throw Exception(String(FindString(kTextNoConversion)));
    return link->ConvertWave(wave, format);
}
