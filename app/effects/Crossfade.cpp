#include "effects/Crossfade.h"

#include "audio/Wave.h"
#include "effects/EffectDialogs.h"
#include "effects/EffectFrame.h"
#include "effects/Fade.h"
#include "foundation/MessageCatalogue.h"
#include "waveview/PasteGuards.h"

#include <memory>

namespace {

enum : int {
    kTextCrossfade = 11067,
    kTextClipboardTooShort = 10022,
};

[[noreturn]] void ThrowTooShort() { throw Exception(String(FindString(kTextClipboardTooShort))); }

}  // namespace

// The fades, the mix and the paste inside record nothing of their own: the frame's one step
// (markers included, since the paste moves them) undoes all of it, and its snapshot puts
// the wave back when any of them fails.
void ApplyCrossfade(Wave &wave, int channels, int first, int last, XFadeOpcodes const &record, Wave &second,
                    int secondFirst, int secondLast, int recordUndo) {
    if (first >= last)
        return;
    int n = last - first + 1;
    if (secondLast - secondFirst + 1 < n)
        ThrowTooShort();
    EffectFrame frame(wave, channels, first, last, recordUndo,
                      EffectAction{kTextCrossfade, WaveUndoMemento::kSamplesAndMarkers});
    channels = frame.GetChannels();
    std::unique_ptr<Wave> copy(
        Wave::CreateWaveFromSelection(second, FileName("$xfade"), channels == 3, secondFirst, secondLast, 1));
    int copyChannels = AllChannelsMask(copy->GetNumChannels());
    if (!record.noFade[1])
        ApplyFade(wave, channels, first, last, record.Curve(1), 0, 0);
    if (!record.noFade[0])
        ApplyFade(*copy, copyChannels, 0, n - 1, record.Curve(0), 0, 0);
    wave.MixPaste(channels, first, -1, *copy, copyChannels, 0, n - 1, -1, 0, 0);
    if (secondLast >= secondFirst + n)
        wave.Paste(last + 1, channels, 0, second, secondFirst + n, secondLast, copyChannels, 0, 0, 0, 0);
    wave.UpdateLength(1);
    frame.Finish(1);
}

bool ClipboardHoldsAudio() {
    Wave *clipboard = Wave::GetClipboardWave();
    return clipboard && clipboard->GetLength() > 0;
}

void CrossfadeFromClipboard(XFadeOpcodes const &record) {
    Wave *clipboard = Wave::GetClipboardWave();
    if (!clipboard || clipboard->GetLength() <= 0)
        return;
    ApplyToActiveWave([&](Wave &wave, int channels, int first, int last) {
        if (clipboard->GetLength() < last - first + 1)
            ThrowTooShort();
        if (!CheckWavesCompatible(&wave, clipboard, 1, 1))
            return;
        ApplyCrossfade(wave, channels, first, last, record, *clipboard, 0, clipboard->GetLength() - 1, 1);
    });
}
