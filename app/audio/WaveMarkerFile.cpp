// The wave's marker file: read when the wave is opened from its file, written with every
// save of the wave and on its own when only the markers changed.
#include "audio/Wave.h"

#include "audio/AudioFile.h"
#include "audio/MarkerFile.h"
#include "foundation/CriticalSection.h"

int Wave::ReadMarkerFile() {
    AutoCriticalSection lock(GetLock());
    if (!IsRememberedAsOpened() || !GetSavedChannel(0) || GetFileNames().IsEmpty())
        return 0;
    return LoadMarkerFile(GetFileName(0), markers_, savedMarkers_);
}

int Wave::WriteMarkerFile(FileName const &name, int force, int onlyIfAny) {
    AutoCriticalSection lock(GetLock());
    bool ownName = IsAttachedTo(name) || !IsNewFileName(name);
    StoreMarkerFile(name, markers_, savedMarkers_, force, onlyIfAny, ownName);
    if (ownName)
        ClearUndoMementos();
    return 1;
}

int Wave::WriteMarkerFileNow() { return GetFileNames().IsEmpty() ? 0 : WriteMarkerFile(GetFileName(0), 1, 0); }

int Wave::SaveDoc(int ask) {
    if (!ask && ListsEqualSaved() && markers_.DiffersFromSaved() && !GetFileNames().IsEmpty())
        return WriteMarkerFile(GetFileName(0), 0, 0);
    return Document::SaveDoc(ask);
}
