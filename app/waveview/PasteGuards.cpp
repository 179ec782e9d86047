#include "waveview/PasteGuards.h"

#include "audio/Wave.h"
#include "core/Application.h"
#include "core/MessageBoxSeam.h"
#include "foundation/MessageCatalogue.h"

namespace {

enum { kTextSizeLimit = 10049, kTextDifferentRates = 10054 };

int64_t const kSizeLimit = 1000000000;

int Ask(int message, unsigned style) {
    return ShowMessageBox(0, String(FindString(message)).c_str(), GetApplicationObject()->GetName(), style);
}

int64_t WholeBytes(Wave const &wave) { return Wave::FramesToBytes(wave.GetLength(), wave, wave.GetNumChannels()); }

}  // namespace

int ConfirmDifferentSampleRates(Wave const *target, Wave const *source) {
    if (target->GetRate() == source->GetRate())
        return 1;
    return Ask(kTextDifferentRates, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int64_t CombinedBytes(Wave const *target, Wave const *source, int64_t count) {
    int64_t frames = source->GetLength();
    if (!source->IsClipboard() && source->GetSelectionStart() >= 0 && source->GetSelectionLength() > 0)
        frames = source->GetSelectionLength();
    return WholeBytes(*target) + count * Wave::FramesToBytes(frames, *source, source->GetNumChannels());
}

int CheckCombinedSize(int64_t bytes) {
    if (bytes < kSizeLimit)
        return 1;
    Ask(kTextSizeLimit, MB_OK | MB_ICONHAND);
    return 0;
}

int CheckWavesCompatible(Wave const *target, Wave const *source, int checkRate, int checkSize) {
    if (checkRate && !ConfirmDifferentSampleRates(target, source))
        return 0;
    return !checkSize || CheckCombinedSize(CombinedBytes(target, source, 1));
}
