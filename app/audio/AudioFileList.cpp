// The list of every open audio file, the uses that keep a file alive, and the ways files
// are made and registered.
#include "audio/AudioFile.h"

#include "audio/AudioFileIo.h"
#include "audio/AudioFileSettings.h"
#include "core/MessageBoxSeam.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/MappedFile.h"
#include "manager/DocumentManager.h"

#include <memory>

namespace {

// The one lock of the open-file list and of the files' uses.
CriticalSection &OpenFilesLock() {
    static CriticalSection lock;
    return lock;
}

List<AudioFile> &OpenFiles() {
    static List<AudioFile> files(0);
    return files;
}

int SameName(CollectionElement const &element, void const *name) {
    AudioFile const &file = static_cast<AudioFile const &>(static_cast<ListElement const &>(element));
    return !file.GetName().IsEmpty() && _stricmp(file.GetName().c_str(), static_cast<char const *>(name)) == 0;
}

AudioFile *FindOpen(FileName const &fullName) { return OpenFiles().FindFirstThat(&SameName, fullName.c_str()); }

// Header read and storage open, not yet registered.
std::unique_ptr<AudioFile> OpenUnregistered(int kind, FileName const &name, int interactive, int report) {
    std::unique_ptr<AudioFile> file(new AudioFile);
    file->OpenByType(name, interactive, report);
    file->OpenStorage(kind, name, kOpenForReading, 0);
    return file;
}

}  // namespace

void WarnAudioFileUser(AException const &e) {
    if (_docManager) {
        _docManager->WarnUser(e, 0);
        return;
    }
    // Every exception without a plain text is an Exception.
    String text = !e.why().IsEmpty() ? e.why() : DocumentManager::ComposeWarning(static_cast<Exception const &>(e));
    if (!text.IsEmpty())
        ShowMessageBox(0, text.c_str(), "", MB_ICONHAND | MB_TASKMODAL);
}

// ---- the list

void AudioFile::RegisterOpen() {
    AutoCriticalSection lock(OpenFilesLock());
    if (!registered_)
        OpenFiles().Append(this);
    registered_ = 1;
}

void AudioFile::UnregisterOpen() {
    AutoCriticalSection lock(OpenFilesLock());
    if (registered_)
        OpenFiles().Detach(this);
    registered_ = 0;
}

int IsAudioFileOpen(FileName const &name) { return FindOpenAudioFile(name) != nullptr; }

AudioFile *FindOpenAudioFile(FileName const &name) {
    FileName fullName = GetFullName(name);
    AutoCriticalSection lock(OpenFilesLock());
    return FindOpen(fullName);
}

void ForEachOpenAudioFile(void (*f)(AudioFile &file, void *arg), void *arg) {
    AutoCriticalSection lock(OpenFilesLock());
    for (AudioFile *file = OpenFiles().GetFirst(); file; file = OpenFiles().GetNext(file))
        f(*file, arg);
}

// ---- uses

void AudioFile::AddUse() {
    AutoCriticalSection lock(OpenFilesLock());
    ++useCount_;
}

int AudioFile::ReleaseUse() {
    bool last;
    {
        AutoCriticalSection lock(OpenFilesLock());
        last = --useCount_ == 0 && !ownerWave_;
    }
    if (!last)
        return 1;
    delete this;
    return 0;
}

void AudioFile::DetachFromWave() {
    bool unused;
    {
        AutoCriticalSection lock(OpenFilesLock());
        ownerWave_ = nullptr;
        unused = useCount_ == 0;
    }
    if (unused)
        delete this;
}

// ---- making files

AudioFile *OpenAudioFile(int kind, FileName const &name, int interactive, int report) {
    try {
        AudioFile *file = OpenUnregistered(kind, name, interactive, report).release();
        file->RegisterOpen();
        return file;
    } catch (AException const &e) {
        if (report)
            WarnAudioFileUser(e);
        return nullptr;
    }
}

// Two threads opening one name end with one object: the second registration gives way.
AudioFile *FindOrOpenAudioFile(FileName const &name, int kind, int &opened, int report) {
    FileName fullName = GetFullName(name);
    opened = 0;
    {
        AutoCriticalSection lock(OpenFilesLock());
        if (AudioFile *open = FindOpen(fullName))
            return open;
    }
    std::unique_ptr<AudioFile> file;
    try {
        file = OpenUnregistered(kind, fullName, 1, report);
    } catch (AException const &e) {
        if (report)
            WarnAudioFileUser(e);
        return nullptr;
    }
    AutoCriticalSection lock(OpenFilesLock());
    if (AudioFile *open = FindOpen(fullName))
        return open;
    file->RegisterOpen();
    opened = 1;
    return file.release();
}

AudioFile *CreateWorkAudioFile(int kind, Wave *wave, SamplePattern const &pattern, int64_t size) {
    AudioFile *file = new AudioFile(kind, wave, kTypeRawPcm, pattern, nullptr, size);
    file->RegisterOpen();
    return file;
}

AudioFile *CreateAudioFileForWave(Wave *wave, int fileType, SamplePattern const &pattern) {
    AudioFile *file = new AudioFile(kAccessUnchosen, wave, fileType, pattern);
    file->RegisterOpen();
    return file;
}

AudioFile *CreateAudioFileOnFile(File *file, File *peakFile, int kind, MappedFile *mapping,
                                 SamplePattern const &pattern, int frames) {
    std::unique_ptr<AudioFile> audio(new AudioFile(kind, nullptr, kTypeRawPcm, pattern));
    audio->SetInterleaved(1);
    audio->file_ = file;
    audio->name_ = file->GetName();
    audio->length_ = frames;
    try {
        int64_t size = int64_t(frames) * audio->GetBytesPerFrame();
        CheckAudioFileSize(size, file->GetName());
        if (audio->accessKind_ == kAccessUnchosen)
            audio->accessKind_ = ChooseFileAccessKind(size);
        if (audio->accessKind_ != kAccessCached && mapping)
            audio->mapping_ = mapping;
        else if (audio->accessKind_ != kAccessCached && size > 0)
            audio->mapping_ = new MappedFile(*file, 0, static_cast<unsigned long>(size));
        if (peakFile)
            audio->MapPeakFile(peakFile, GetFileSize64(*peakFile));
    } catch (AException const &e) {
        // The caller's files stay the caller's.
        if (audio->mapping_ == mapping)
            audio->mapping_ = nullptr;
        if (audio->peakFile_ == peakFile)
            audio->peakFile_ = nullptr;
        audio->file_ = nullptr;
        WarnAudioFileUser(e);
        return nullptr;
    }
    audio->RegisterOpen();
    return audio.release();
}
