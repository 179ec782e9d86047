// Making and releasing waves: the constructors, the ways other code asks for a wave, the
// state a wave starts from and what it lets go of.
#include "audio/Wave.h"

#include "audio/AudioFile.h"
#include "audio/PlaybackLink.h"
#include "audio/SampleConversion.h"
#include "audio/SamplerSampleInfo.h"
#include "audio/WaveFactory.h"
#include "audio/WaveMemento.h"
#include "audio/WaveSettings.h"
#include "foundation/CriticalSection.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

namespace {

Wave *activeWave = nullptr;
Wave *currentWave = nullptr;

SamplePattern WorkPattern(int channels, uint32_t rate, int bits) {
    SamplePattern pattern;
    pattern.GetFormat().SetBits(bits, kLittleEndian);
    pattern.SetNumChannels(channels);
    pattern.SetInterleaved(1);
    pattern.SetRate(rate);
    return pattern;
}

bool HasRecords(WaveViewRecords const &views) {
    WaveViewRecords none = {};
    return std::memcmp(&views, &none, sizeof none) != 0;
}

}  // namespace

Wave *GetActiveWave() { return activeWave; }
void SetActiveWave(Wave *wave) { activeWave = wave; }
Wave *GetCurrentWave() { return currentWave; }
void SetCurrentWave(Wave *wave) { currentWave = wave; }

// ---- constructors

Wave::Wave(AudioFile *file, int owner, DocMemento const *memento)
    : Document(_factory, &file->GetName()), AUndoable(INT_MAX), AudioObject(*file), markers_(this),
      savedMarkers_(this) {
    try {
        InitCommon(memento);
        firstFile_ = file;
        fileCount_ = 1;
        if (owner)
            file->SetOwnerWave(this);
        fileType_ = file->GetFileType();
        ResetToFile(1, -1);
    } catch (...) {
        ReleaseResources();
        throw;
    }
}

Wave::Wave(FileName const &name, int frames, int channels, uint32_t rate, int bits)
    : Document(_factory, &name), AUndoable(INT_MAX), AudioObject(WorkPattern(channels, rate, bits)), markers_(this),
      savedMarkers_(this) {
    try {
        InitCommon(nullptr);
        firstFile_ = CreateWorkAudioFile(kAccessUnchosen, this, *this, FramesToBytes(frames, *this, channels));
        fileCount_ = 1;
        fileType_ = firstFile_->GetFileType();
        ResetToFile(0, -1);
    } catch (...) {
        ReleaseResources();
        throw;
    }
}

Wave::Wave(FileName const &name, Wave &source, int whole, int first, int last, int range)
    : Document(_factory, &name), AUndoable(INT_MAX), AudioObject(static_cast<SamplePattern const &>(source)),
      markers_(this), savedMarkers_(this) {
    try {
        InitCommon(nullptr);
        if (whole)
            SetNumChannels(2);
        else if (!range && (source.GetSelectionStart() < 0 || source.GetActiveChannels() != 3))
            SetNumChannels(1);
        firstFile_ = CreateAudioFileForWave(this, kTypeRiff, *this);
        fileCount_ = 1;
        fileType_ = kTypeRiff;
        FillFromSource(source, whole, first, last, range);
        UpdateLength(1);
    } catch (...) {
        ReleaseResources();
        throw;
    }
}

Wave::Wave(SamplePattern const &pattern, int twoFiles)
    : Document(_factory), AUndoable(INT_MAX), AudioObject(pattern), markers_(this), savedMarkers_(this) {
    try {
        InitCommon(nullptr);
        fileType_ = kTypeRiff;
        if (GetNumChannels() == 2 && twoFiles) {
            SamplePattern mono(pattern);
            mono.SetNumChannels(1);
            firstFile_ = CreateAudioFileForWave(this, kTypeRiff, mono);
            fileCount_ = 1;
            secondFile_ = CreateAudioFileForWave(this, kTypeRiff, mono);
            fileCount_ = 2;
        } else {
            firstFile_ = CreateAudioFileForWave(this, kTypeRiff, pattern);
            fileCount_ = 1;
        }
    } catch (...) {
        ReleaseResources();
        throw;
    }
}

Wave::~Wave() {
    if (clipboard_)
        ClipboardGone();
    DeleteViews();
    ReleaseResources();
    if (currentWave == this)
        currentWave = nullptr;
}

void Wave::InitCommon(DocMemento const *memento) {
    InitByteSampleTables();
    if (WaveMemento const *wave = dynamic_cast<WaveMemento const *>(memento))
        ApplyMemento(*wave);
    for (ElementList *lists : {&channels_, &savedChannels_})
        for (int i = 0; i < 2; ++i)
            lists->Append(new VirtualWave(TheSegmentFactory()));
    SetMaxNumOfUndoMementos(TheWaveSettings().undoLimit);
}

void Wave::ApplyMemento(WaveMemento const &memento) {
    level_ = memento.level;
    selectionStart_ = memento.selectionStart;
    selectionEnd_ = memento.selectionEnd;
    activeChannels_ = memento.activeChannels;
    caret_ = memento.caret;
    mementoWord_ = memento.mementoWord;
    if (HasRecords(memento.views)) {
        if (!viewRecords_)
            viewRecords_ = new WaveViewRecords;
        *viewRecords_ = memento.views;
    }
}

// Everything of the wave goes but the framework's document; the uses of the files end
// with the lists and the undo steps, then the files the wave owns go too.
void Wave::ReleaseResources() {
    if (activeWave == this)
        activeWave = nullptr;
    if (IsPlaying())
        ThePlayback().StopAndWait();
    delete viewRecords_;
    viewRecords_ = nullptr;
    delete sampleInfo_;
    sampleInfo_ = nullptr;
    channels_.DeleteAll();
    savedChannels_.DeleteAll();
    ClearUndoMementos();
    for (AudioFile **file : {&firstFile_, &secondFile_}) {
        if (*file && (*file)->GetOwnerWave() == this)
            (*file)->DetachFromWave();
        *file = nullptr;
    }
    fileCount_ = 0;
}

// ---- the file's state

void Wave::ResetToFile(int save, int channel) {
    AutoCriticalSection lock(GetLock());
    ClearUndoMementos();
    if (channel != 1)
        ResetChannel(0, firstFile_, 0);
    if (channel != 0) {
        AudioFile *file = GetNumChannels() == 2 && fileCount_ == 2 ? secondFile_ : firstFile_;
        ResetChannel(1, GetNumChannels() == 2 ? file : nullptr, file && file->GetNumChannels() > 1 ? 1 : 0);
    }
    if (save) {
        UpdateLength(1);
        for (int c = 0; c < 2; ++c)
            if (channel < 0 || channel == c)
                if (VirtualWave *saved = GetSavedChannel(c))
                    *saved = GetChannel(c);
    }
    int length = GetLength();
    if (caret_ > length)
        caret_ = 0;
    if (selectionEnd_ >= length) {
        selectionStart_ = selectionEnd_ = -1;
        level_ = kFullLevel;
        caret_ = 0;
    }
    if (GetNumChannels() < 2 && (activeChannels_ & 2))
        activeChannels_ = 1;
}

void Wave::ResetChannel(int channel, AudioFile *file, int fileChannel) {
    GetChannel(channel).Clear();
    if (VirtualWave *saved = GetSavedChannel(channel))
        saved->Clear();
    if (file && file->GetLength() > 0)
        GetChannel(channel).InsertSegment(new AudioFileSegment(file, 0, file->GetLength(), fileChannel), 0);
}

void Wave::ForgetSavedState() {
    AutoCriticalSection lock(GetLock());
    Type.recordInHistory = 0;
    savedChannels_.DeleteAll();
}

// ---- the ways to make a wave

Wave *Wave::CreateWaveFromFile(AudioFile *file, MarkerSet *markers, int owner, DocMemento const *memento, int copy) {
    std::unique_ptr<MarkerSet> given(markers);
    if (!copy)
        return new Wave(file, owner, memento);
    std::unique_ptr<Wave> over(new Wave(file, owner, nullptr));
    over->ForgetSavedState();
    std::unique_ptr<Wave> wave(CreateEmptyWave(*file));
    wave->ReplaceFrom(0, 3, *over, 0);
    wave->UpdateLength(1);
    if (given) {
        wave->markers_ = *given;
        wave->markers_.Validate(1, 1);
        wave->markers_.CopyToSaved(wave->savedMarkers_);
    }
    return wave.release();
}

Wave *Wave::CreateWaveFromSelection(Wave &source, FileName const &name, int whole, int first, int last, int range) {
    return new Wave(name, source, whole, first, last, range);
}

Wave *Wave::CreateEmptyWave(SamplePattern const &pattern) {
    return new Wave(pattern, pattern.GetMask() == 3 && !pattern.IsInterleaved());
}

Wave *Wave::CreateEmptyWaveLike(Wave const &wave) {
    return new Wave(static_cast<SamplePattern const &>(wave), wave.fileCount_ == 2);
}

Wave *Wave::CreateTempWave(int frames, int channels, uint32_t rate, int bits) {
    Wave *wave = new Wave(FileName("$temp"), frames, channels, rate, bits);
    wave->ForgetSavedState();
    return wave;
}

int64_t Wave::FramesToBytes(int64_t frames, Wave const &wave, int channels) {
    return frames * wave.GetBytesPerSample() * channels;
}

// Constructor 3: the source's frames first..last with range (first below 0: all of it),
// else its selection, on the channels the flags and its active channels name.
void Wave::FillFromSource(Wave &source, int whole, int first, int last, int range) {
    AutoCriticalSection lock(GetLock());
    AutoCriticalSection sourceLock(source.GetLock());
    auto copyInto = [&](int channel, int from, int a, int b) {
        GetChannel(channel).InsertWith(source.GetChannel(from).Copy(a, b), 0);
    };
    int start = source.GetSelectionStart(), end = source.GetSelectionEnd();
    if (range) {
        if (first < 0) {
            first = 0;
            last = source.GetLength() - 1;
        }
        copyInto(0, 0, first, last);
        if (GetNumChannels() == 2)
            copyInto(1, source.GetNumChannels() == 2 ? 1 : 0, first, last);
    } else if (whole && start >= 0) {
        // Both channels of a stereo source each give their own; one channel gives both.
        int from = source.IsChannelActive(0) ? 0 : 1;
        copyInto(0, from, start, end);
        copyInto(1, source.AreBothChannelsActive() ? 1 : from, start, end);
    } else {
        int next = 0;
        for (int c = 0; c < 2 && next < GetNumChannels(); ++c)
            if (source.IsChannelActive(c))
                copyInto(next++, c, start, end);
    }
}

// ---- odds and ends

SamplerSampleInfo &Wave::EnsureSampleInfo() {
    if (!sampleInfo_)
        sampleInfo_ = new SamplerSampleInfo;
    return *sampleInfo_;
}

int Wave::FileTypeFromExtension(FileName const &name) {
    String extension(name.GetExtension());
    struct Known {
        char const *extension;
        int type;
    } const known[] = {
        {"aif", kTypeAiff}, {"edl", kTypeEditList}, {"wav", kTypeRiff}, {"au", kTypeAu}, {"snd", kTypeAu}};
    for (Known const &k : known)
        if (_stricmp(extension.c_str(), k.extension) == 0)
            return k.type;
    return kTypeRawPcm;
}

int Wave::HasActiveWaveData() { return activeWave && activeWave->GetLength() > 0; }
