// Opening waves: the document type of waves, a file opened as a wave document with its
// markers, open options and window, two mono files opened together paired into one stereo
// wave, and the wave's part of the window layout.
#include "audio/WaveFactory.h"

#include "audio/AudioFile.h"
#include "audio/WaveLinks.h"
#include "audio/WaveMemento.h"
#include "audio/WaveSettings.h"
#include "bars/StatusBar.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"
#include "manager/View.h"

#include <windows.h>

#include <cstring>
#include <memory>

namespace {

enum : int {
    kTextDescription = 11089,
    kTextOpenFilter = 11092,
    kTextSaveFilter = 11093,
    kTextOpened = 11094,
    kDialogIcon = 12,
};

// What a packed block may hold of a wave: the defaults stand for anything else.
bool IsWaveState(uint32_t reserved, WaveLayoutState const &s) {
    bool selection = (s.selectionStart == -1 && s.selectionEnd == -1) ||
                     (s.selectionStart >= 0 && s.selectionStart <= s.selectionEnd);
    return reserved == 0 && s.level >= 1 && s.level <= AudioObject::kFullLevel && s.activeChannels >= 1 &&
           s.activeChannels <= 3 && s.caret >= 0 && selection;
}

}  // namespace

// ---- the wave's part of the layout

WaveMemento *UnpackWaveMemento(PackedMemento const *packed) {
    std::unique_ptr<WaveMemento> memento(new WaveMemento);
    if (PackedMemento::GetLength(packed) != sizeof(PackedWaveMemento))
        return memento.release();
    PackedWaveMemento p;
    std::memcpy(static_cast<void *>(&p), packed, sizeof p);
    if (IsWaveState(p.reserved, p.state))
        static_cast<WaveLayoutState &>(*memento) = p.state;
    return memento.release();
}

PackedMemento *PackWaveMemento(WaveMemento const &memento) {
    PackedWaveMemento p = {sizeof p, 0, memento};
    void *block = PackedMemento::Allocate(sizeof p);
    std::memcpy(block, &p, sizeof p);
    return static_cast<PackedMemento *>(block);
}

PackedMemento *Wave::CreatePackedMemento() {
    WaveMemento memento;
    memento.level = level_;
    memento.selectionStart = selectionStart_;
    memento.selectionEnd = selectionEnd_;
    memento.activeChannels = activeChannels_;
    memento.caret = caret_;
    memento.mementoWord = mementoWord_;
    if (viewRecords_)
        memento.views = *viewRecords_;
    return PackWaveMemento(memento);
}

// ---- pairing

void Wave::PairWith(AudioFile *right) {
    AutoCriticalSection lock(GetLock());
    right->SetOwnerWave(this);
    secondFile_ = right;
    fileCount_ = 2;
    SetNumChannels(2);
    SetInterleaved(0);
    AddFileName(right->GetName());
    ResetToFile(1, -1);
}

// ---- the document type

Wave::Factory Wave::_factory;

Wave::Factory::Factory() {
    name = "Wave";
    descriptionId = kTextDescription;
    dialogIcon = kDialogIcon;
    openFilterId = kTextOpenFilter;
    saveFilterId = kTextSaveFilter;
    defExtension = "wav";
    fileSelectorHook = &ComplementSelectOpenFile;
    multiSelect = 1;
    livesWithViews = 1;
    recordInHistory = 1;
    hasInfo = 1;
    acceptsOpenOptions = 1;
}

Document *Wave::Factory::OpenDoc(FileName const &name, DocMemento const *memento, int createView, int) {
    return OpenWaveDocument(name, memento, createView);
}

int Wave::Factory::OnBeginMultiOpen(int count) {
    pairMode_ = TheWaveSettings().openDualMono && count == 2;
    pending_ = nullptr;
    return 1;
}

// A first file whose partner never came stays open on its own: the caller may have
// counted it among the documents opened.
void Wave::Factory::OnEndMultiOpen() {
    ReleasePending();
    pairMode_ = 0;
}

void Wave::Factory::ReleasePending() {
    Wave *wave = pending_;
    pending_ = nullptr;
    if (wave && pendingWindow_ && !wave->GetNumViews())
        OpenWindow(*wave, nullptr, GetTickCount());
}

View *Wave::Factory::CreateView(Document &document, ViewMemento const *memento) {
    Wave *wave = dynamic_cast<Wave *>(&document);
    return wave ? TheWaveWindowLink().CreateView(*wave, memento) : nullptr;
}

ViewMemento *Wave::Factory::CreateUnpackedViewMemento(PackedMemento const *packed) {
    return packed ? TheWaveWindowLink().CreateUnpackedViewMemento(packed) : nullptr;
}

DocMemento *Wave::Factory::CreateUnpackedDocMemento(PackedMemento const *packed) {
    return packed ? UnpackWaveMemento(packed) : nullptr;
}

Wave *Wave::Factory::OpenWaveDocument(FileName const &name, DocMemento const *memento, int openWindow) {
    String const *options = memento ? memento->openOptions : nullptr;
    DocMemento const *layout = options ? nullptr : memento;
    if (!quiet_)
        return OpenFile(name, layout, options, openWindow);
    try {
        return OpenFile(name, layout, options, openWindow);
    } catch (...) {
        return nullptr;
    }
}

Wave *Wave::Factory::OpenFile(FileName const &name, DocMemento const *layout, String const *options, int openWindow) {
    unsigned long start = GetTickCount();
    ViewMemento const *view = layout ? layout->viewMemento : nullptr;
    int opened;
    AudioFile *file = FindOrOpenAudioFile(name, kAccessUnchosen, opened, !quiet_);
    if (!file)
        return nullptr;
    if (pending_) {
        if (Wave *paired = TryPairing(file, openWindow, view))
            return paired;
        ReleasePending();
        pairMode_ = 0;
    }
    // A use held while the wave is made: a file opened here goes again when that fails.
    file->AddUse();
    std::unique_ptr<Wave> wave;
    try {
        wave.reset(CreateWaveFromFile(file, nullptr, 1, layout, 0));
    } catch (...) {
        file->ReleaseUse();
        throw;
    }
    file->ReleaseUse();
    wave->ReadMarkerFile();
    if (options)
        wave->ExecuteOpenOptions(*options, 0);
    if (pairMode_) {
        pending_ = wave.release();
        pendingWindow_ = openWindow;
        return pending_;
    }
    if (openWindow)
        OpenWindow(*wave, view, start);
    return wave.release();
}

// Only two different mono files of one rate and sample format make a stereo wave.
Wave *Wave::Factory::TryPairing(AudioFile *file, int openWindow, ViewMemento const *view) {
    Wave *wave = pending_;
    AudioFile const *left = wave->GetFirstFile();
    if (wave->GetFileCount() != 1 || wave->GetNumChannels() != 1 || file->GetNumChannels() != 1 || file == left ||
        file->GetOwnerWave() || file->GetRate() != left->GetRate() || file->GetFlags() != left->GetFlags())
        return nullptr;
    unsigned long start = GetTickCount();
    pending_ = nullptr;
    pairMode_ = 0;
    wave->PairWith(file);
    if (openWindow)
        OpenWindow(*wave, view, start);
    return wave;
}

// While the layout comes back, nothing is said of each window.
void Wave::Factory::OpenWindow(Wave &wave, ViewMemento const *view, unsigned long start) {
    View *opened = TheWaveWindowLink().CreateView(wave, view);
    if (!opened || !_docManager || _docManager->IsNowRestoringLayout())
        return;
    if (TWindow *window = opened->GetWindow())
        window->UpdateWindow();
    if (StatusBar *bar = _docManager->GetStatusBar())
        bar->NotifyCompletedOperation(String(FindString(kTextOpened)), long(GetTickCount() - start));
}
