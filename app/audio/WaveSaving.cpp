// Saving a wave document: which channels go to which file in each save mode, the marker
// file beside them, saving in another format, and the checks of a name chosen for saving.
#include "audio/Wave.h"

#include "audio/AudioFile.h"
#include "audio/WaveConversion.h"
#include "core/MessageBoxSeam.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

#include <memory>

namespace {

enum : unsigned { kTextNotTheOtherFile = 10000 };

char const *const kSaveExtensions[] = {"wav", "aif", "aiff", "au", "snd", "raw", "pcm", "edl"};

// The save dialog's file types, in the order a name without a known extension takes the
// extension of the one chosen.
struct FilterExtension {
    char const *pattern;
    char const *extension;
} const kFilterExtensions[] = {{"*.wav", "wav"}, {"*.aif", "aif"}, {"*.au", "au"}, {"*.pcm", "pcm"}, {"*.edl", "edl"}};

bool SameName(FileName const &a, FileName const &b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

bool HasSaveExtension(FileName const &name) {
    String extension(name.GetExtension());
    for (char const *known : kSaveExtensions)
        if (_stricmp(extension.c_str(), known) == 0)
            return true;
    return false;
}

char const *ExtensionOfFilter(String const *filter) {
    if (filter)
        for (FilterExtension const &f : kFilterExtensions)
            if (filter->FindFirst(f.pattern) >= 0)
                return f.extension;
    return "wav";
}

// The marker file follows a saved file; a failure there is told, the samples stay saved.
void WriteMarkersAfterSave(Wave &wave, FileName const &name, int force, int onlyIfAny) {
    try {
        wave.WriteMarkerFile(name, force, onlyIfAny);
    } catch (AException const &e) {
        WarnAudioFileUser(e);
    }
}

int SaveConverted(Wave &wave, FileName const &name, SamplePattern const &format) {
    std::unique_ptr<Wave> converted(ConvertWave(wave, format));
    if (!converted->WriteAudioFile(name, -1, smSaveCopy))
        return 0;
    converted.reset();
    WriteMarkersAfterSave(wave, name, 1, 1);
    return 1;
}

// A two-file wave saved plainly: each changed channel into its own file.
int SaveChangedFiles(Wave &wave) {
    FileName names[2] = {wave.GetFirstFile()->GetName(), wave.GetSecondFile()->GetName()};
    for (int c = 0; c < 2; ++c) {
        VirtualWave const *saved = wave.GetSavedChannel(c);
        if ((!saved || !wave.GetChannel(c).IsEqual(*saved)) && !wave.WriteAudioFile(names[c], c, smSave))
            return 0;
    }
    WriteMarkersAfterSave(wave, names[0], 0, 0);
    return 1;
}

int SaveInOwnFormat(Wave &wave, FileName const &name, SaveMode mode, int part) {
    bool twoFiles = wave.GetFileCount() == 2;
    if (twoFiles && mode == smSave)
        return SaveChangedFiles(wave);
    if (part == 1 || part == 2)
        return wave.WriteAudioFile(name, part - 1, mode);
    if (twoFiles && part != 0)
        return 1;
    if (!wave.WriteAudioFile(name, -1, mode))
        return 0;
    int force = twoFiles || mode != smSave;
    WriteMarkersAfterSave(wave, name, force, force);
    return 1;
}

}  // namespace

// A failure is told here, so that no caller of a save meets an exception.
int Wave::Save(FileName const &name, SaveMode mode, int part, void *data) {
    if (!CheckNotBusy(1))
        return 0;
    BusyHold busy(*this, BusyHold::kJoin);
    try {
        if (mode == SaveMode(kSaveOtherFormat))
            return data && SaveConverted(*this, name, *static_cast<SamplePattern const *>(data));
        return SaveInOwnFormat(*this, name, mode, part);
    } catch (AException const &e) {
        WarnAudioFileUser(e);
        return 0;
    }
}

int Wave::ValidateFileNameForSaving(FileName &name, SaveMode mode, String const *filter, int part) {
    if (!HasSaveExtension(name))
        name.SetExtension(ExtensionOfFilter(filter));
    if (mode == SaveMode(kSaveOtherFormat) && IsAttachedTo(name)) {
        AlertNotSaveUnderThatName();
        return 0;
    }
    if (part <= 0)
        return 1;
    if (fileCount_ == 2) {
        AudioFile const *other = part == 1 ? secondFile_ : firstFile_;
        if (other && SameName(name, other->GetName())) {
            ShowMessageBox(0, String(FindString(kTextNotTheOtherFile)).c_str(),
                           _docManager ? _docManager->GetName() : "", MB_ICONHAND | MB_TASKMODAL);
            return 0;
        }
    } else if (!GetFileNames().IsEmpty() && SameName(name, GetFileName(0))) {
        AlertNotSaveUnderThatName();
        return 0;
    }
    return 1;
}
