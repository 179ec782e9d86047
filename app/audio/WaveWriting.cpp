// Writing a wave to an audio file without ever risking the file it replaces. The new file
// is written whole under a temporary name in the target's folder; one replacing move then
// puts it under the target name, so that a complete file, the old or the new one, stands
// there at every moment. Files of this wave that the move replaces first get a second,
// temporary name (a hard link where the file system has them, else a copy), through which
// whatever still reads them (the undo history of other waves, the clipboard, the playback)
// reads on after the move; they go once nothing uses them. No handle may hold a replaced
// file during the move, so their storage closes for it, under the wave's lock. The peak
// file follows the audio file.
#include "audio/Wave.h"

#include "audio/AudioFile.h"
#include "audio/AudioFileIo.h"
#include "audio/PeakBlocks.h"
#include "audio/WaveFileWriter.h"
#include "core/MessageBoxSeam.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

#include <memory>
#include <vector>

namespace {

enum : unsigned {
    kTextWriteProtected = 10051,
    kTextFileInUse = 10070,
    kTextNoEditLists = 10071,
};

enum : int { kPeaksFromFrames = 64000 };

bool SameName(FileName const &a, FileName const &b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

[[noreturn]] void ThrowWithName(unsigned id, FileName const &name) {
    throw Exception(String(BuildString(int(id), name.c_str())));
}

// The write times of the two files; the second dated like the first when it is older.
void DateNotBefore(FileName const &later, FileName const &audio) {
    FILETIME audioTime, laterTime;
    File::GetDateTime(audio, nullptr, nullptr, &audioTime);
    File::GetDateTime(later, nullptr, nullptr, &laterTime);
    if (CompareFileTime(&laterTime, &audioTime) < 0)
        File::SetDateTime(later, nullptr, nullptr, &audioTime);
}

// A new empty file in the folder, its name kept for the caller to fill and remove.
FileName NewEmptyFile(FileName const &folder) {
    File file(folder, File::kTempInDirectory | File::kReadWrite | File::kShareNone);
    return file.GetName();
}

}  // namespace

// One save of a wave: the new file, the names it exchanges, and what is undone when the
// save fails before the move that commits it.
class WaveFileExchange {
public:
    WaveFileExchange(Wave &wave, FileName const &target, int channel, int mode);
    ~WaveFileExchange();
    WaveFileExchange(WaveFileExchange const &) = delete;
    WaveFileExchange &operator=(WaveFileExchange const &) = delete;

    void Run();

private:
    // A file of the wave closed for the move, with the second name it is read through after
    // it (none yet when making it failed).
    struct Aside {
        AudioFile *file;
        FileName link;
    };

    void FindReplacedFiles(int channel);
    void RefuseFilesInUse() const;
    AudioFile *SourceFile() const;
    void WriteNewFile();
    void ReplaceTarget();
    void SetAside(AudioFile *file);
    void Adopt();
    void InstallPeakFile();
    void RollBack();

    Wave &wave_;
    FileName target_;
    int channel_;
    bool copy_;
    std::vector<AudioFile *> replaced_;
    std::vector<VirtualFile *> lists_;
    SamplePattern format_;
    int frames_ = 0;
    FileName tempName_, tempPeakName_;
    std::unique_ptr<AudioFile> written_;
    std::vector<Aside> aside_;
    bool committed_ = false;
};

WaveFileExchange::WaveFileExchange(Wave &wave, FileName const &target, int channel, int mode)
    : wave_(wave), target_(target), channel_(channel), copy_(mode == smSaveCopy || (channel >= 0 && wave.fileCount_ == 1)),
      format_(wave) {
    FindReplacedFiles(channel);
    if (channel >= 0) {
        lists_.push_back(&wave.GetChannel(channel));
        format_.SetNumChannels(1);
    } else {
        for (int c = 0; c < wave.GetNumChannels() && c < 2; ++c)
            lists_.push_back(&wave.GetChannel(c));
    }
    format_.SetInterleaved(1);
    frames_ = lists_[0]->GetLength();
}

void WaveFileExchange::FindReplacedFiles(int channel) {
    if (copy_)
        return;
    if (channel != 1)
        replaced_.push_back(wave_.firstFile_);
    if (wave_.fileCount_ == 2 && channel != 0)
        replaced_.push_back(wave_.secondFile_);
}

// A file that anything else reads is never written over; this save moves its own aside.
void WaveFileExchange::RefuseFilesInUse() const {
    AudioFile *open = FindOpenAudioFile(target_);
    if (!open)
        return;
    for (AudioFile *file : replaced_)
        if (file == open)
            return;
    ThrowWithName(kTextFileInUse, target_);
}

// The file whose chunks and alignment the new one keeps: the written channel's own.
AudioFile *WaveFileExchange::SourceFile() const {
    return channel_ == 1 && wave_.fileCount_ == 2 ? wave_.secondFile_ : wave_.firstFile_;
}

WaveFileExchange::~WaveFileExchange() {
    if (!committed_)
        RollBack();
}

void WaveFileExchange::Run() {
    RefuseFilesInUse();
    WriteNewFile();
    AutoCriticalSection lock(wave_.GetLock());
    ReplaceTarget();
    if (copy_)
        written_.reset();
    else
        Adopt();
    InstallPeakFile();
}

// The one move that commits the save. The files set aside read on through their second
// names; one that cannot be opened there reads as silence (its second name goes at once),
// and the user is told.
void WaveFileExchange::ReplaceTarget() {
    if (!copy_)
        written_->OpenStorage(kAccessUnchosen, tempName_, kOpenForReading | File::kShareDelete, 0);
    for (AudioFile *file : replaced_)
        if (file && SameName(file->GetName(), target_))
            SetAside(file);
    File::Move(target_, tempName_);
    committed_ = true;
    tempName_.Clear();
    for (Aside &set : aside_) {
        try {
            set.file->ReopenStorage(set.link);
        } catch (AException const &e) {
            WarnAudioFileUser(e);
            File::Delete(set.link, 0, 1);
        }
    }
}

void WaveFileExchange::WriteNewFile() {
    int type = Wave::SaveTypeFromExtension(target_);
    if (type == kTypeEditList)
        ThrowWithName(kTextNoEditLists, target_);
    // A name no file has yet: a file the header writer truncates would be written back to
    // disk whole when it is closed.
    FileName folder(target_.GetPath());
    tempName_ = File::GetTempName(folder);
    AudioFile *source = SourceFile();
    List<FileChunk> none;
    List<FileChunk> &chunks = source && source->GetFileType() == type ? source->GetChunks() : none;
    int64_t size = 0;
    written_.reset(CreateAudioFileForWriting(tempName_, kAccessUnchosen, type, source ? source->GetAlignment() : 0,
                                             format_, chunks, frames_, size));
    int drive = tempName_.GetDriveIndex();
    if (drive >= 0 && size + size / 100 * 5 + 65536 >= File::GetDiskSpace64(drive))
        File::CheckDiskFull(tempName_, ERROR_DISK_FULL);
    std::unique_ptr<File> peaks;
    if (frames_ >= kPeaksFromFrames) {
        tempPeakName_ = NewEmptyFile(folder);
        peaks.reset(new File(tempPeakName_, File::kReadWrite | File::kShareNone | File::kSequentialScan));
    }
    {
        File file(tempName_, File::kReadWrite | File::kShareNone | File::kSequentialScan);
        file.Seek(long(written_->GetDataOffset()), File::kFromStart);
        WaveFileWriter(lists_.data(), int(lists_.size()), frames_, *written_).Write(file, peaks.get());
        int64_t tail = size - written_->GetDataOffset() - int64_t(frames_) * written_->GetBytesPerFrame();
        std::vector<char> zeros(size_t(tail > 0 ? tail : 0));
        file.Write(zeros.data(), static_cast<unsigned long>(zeros.size()));
    }
    if (peaks) {
        peaks.reset();
        DateNotBefore(tempPeakName_, tempName_);
    }
}

// An own file of the target's name closes, so that nothing holds it during the move, and
// gets a second name to be read through after it.
void WaveFileExchange::SetAside(AudioFile *file) {
    aside_.push_back({file, FileName()});
    file->CloseStorage(0);
    FileName link = File::GetTempName(FileName(target_.GetPath()));
    if (!File::Link(target_, link))
        File::Copy(link, target_);
    aside_.back().link = link;
}

// The wave takes the new file; what it replaced goes once nothing reads it.
void WaveFileExchange::Adopt() {
    AudioFile *file = written_.release();
    file->SetName(target_);
    file->RegisterOpen();
    file->SetOwnerWave(&wave_);
    for (Aside &set : aside_)
        set.file->SetDeleteOnClose();
    std::vector<AudioFile *> old = replaced_;
    if (channel_ == 1)
        wave_.secondFile_ = file;
    else
        wave_.firstFile_ = file;
    if (channel_ < 0) {
        wave_.secondFile_ = nullptr;
        wave_.fileCount_ = 1;
        wave_.SetInterleaved(1);
        wave_.SetFlags(file->GetFlags());
    }
    wave_.fileType_ = wave_.firstFile_->GetFileType();
    wave_.ResetToFile(1, wave_.fileCount_ == 2 ? channel_ : -1);
    for (AudioFile *gone : old) {
        gone->GetChunks().DeleteAll();
        if (gone->GetOwnerWave() == &wave_)
            gone->DetachFromWave();
    }
}

// The peak file follows the audio file; it is only a help, so a failure here leaves the
// saved file without one (it is built again when needed) instead of failing the save.
void WaveFileExchange::InstallPeakFile() {
    FileName peakName = PeakFileName(target_);
    try {
        if (!tempPeakName_.IsEmpty()) {
            File::Move(peakName, tempPeakName_);
            tempPeakName_.Clear();
        } else {
            File::Delete(peakName, 1, 1);
        }
    } catch (AException const &) {
        File::Delete(peakName, 0, 1);
    }
    if (!tempPeakName_.IsEmpty())
        File::Delete(tempPeakName_, 0, 1);
}

// The wave's own files read under their names again, and nothing of the save is left.
void WaveFileExchange::RollBack() {
    if (written_)
        written_->CloseStorage(0);
    written_.reset();
    {
        AutoCriticalSection lock(wave_.GetLock());
        for (auto set = aside_.rbegin(); set != aside_.rend(); ++set) {
            if (!set->link.IsEmpty())
                File::Delete(set->link, 0, 1);
            try {
                set->file->ReopenStorage(target_);
            } catch (AException const &e) {
                WarnAudioFileUser(e);
            }
        }
    }
    for (FileName const *name : {&tempName_, &tempPeakName_})
        if (!name->IsEmpty())
            File::Delete(*name, 0, 1);
}

// ---- the wave's side

int Wave::WriteAudioFile(FileName const &name, int channel, int mode) {
    FileName target = GetFullName(name);
    if (File::IsWriteProtected(target) || File::IsWriteProtected(PeakFileName(target))) {
        ShowMessageBox(0, String(BuildString(kTextWriteProtected, target.c_str())).c_str(),
                       _docManager ? _docManager->GetName() : "", MB_ICONHAND | MB_TASKMODAL);
        return 0;
    }
    WaveFileExchange(*this, target, channel, mode).Run();
    return 1;
}

int Wave::SaveTypeFromExtension(FileName const &name) {
    String extension(name.GetExtension());
    struct Known {
        char const *extension;
        int type;
    } const known[] = {{"wav", kTypeRiff}, {"aif", kTypeAiff}, {"aiff", kTypeAiff}, {"au", kTypeAu},
                       {"snd", kTypeAu},   {"raw", kTypeRawPcm}, {"pcm", kTypeRawPcm}, {"edl", kTypeEditList}};
    for (Known const &k : known)
        if (_stricmp(extension.c_str(), k.extension) == 0)
            return k.type;
    return kTypeRiff;
}
