#include "audio/UndoHistoryFiles.h"

#include "audio/AudioFile.h"
#include "audio/Wave.h"
#include "audio/WaveUndo.h"
#include "foundation/File.h"

#include <windows.h>

namespace {

struct Search {
    Wave const *wave;
    UndoOnlyFiles found;
};

int StepSegmentsOf(AUndoMemento const *step, AudioFile const &file) {
    WaveUndoMemento const *memento = dynamic_cast<WaveUndoMemento const *>(step);
    return memento ? memento->CountSegmentsOf(file) : 0;
}

// Segments of both lists' steps that read the file.
int HistorySegmentsOf(Wave const &wave, AudioFile const &file) {
    int count = 0;
    for (AUndoMemento *step = wave.GetFirstUndoMemento(); step; step = wave.GetNextUndoMemento(step))
        count += StepSegmentsOf(step, file);
    for (AUndoMemento *step = wave.GetFirstRedoMemento(); step; step = wave.GetNextRedoMemento(step))
        count += StepSegmentsOf(step, file);
    return count;
}

// A temporary file all of whose uses are the history's segments.
void Visit(AudioFile &file, void *arg) {
    Search &search = *static_cast<Search *>(arg);
    File *storage = file.GetFile();
    if (!storage || !storage->ShouldBeDeletedOnClose())
        return;
    int uses = HistorySegmentsOf(*search.wave, file);
    if (uses == 0 || uses != file.GetUseCount())
        return;
    ++search.found.count;
    LARGE_INTEGER size;
    if (::GetFileSizeEx(storage->GetHandle(), &size))
        search.found.bytes += size.QuadPart;
}

}  // namespace

UndoOnlyFiles FindUndoOnlyFiles(Wave const &wave) {
    Search search{&wave, {}};
    ForEachOpenAudioFile(&Visit, &search);
    return search.found;
}
