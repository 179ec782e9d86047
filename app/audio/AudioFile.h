// One audio file on disk (or one temporary work file) whose samples the edit lists of
// waves refer to: its sample pattern, where the samples start, how many frames there are,
// how its bytes are reached (a memory mapping or the shared file cache) and the peak file
// beside it. Every file open anywhere is in one list, so that a file opened twice is one
// object and a file still in use is never overwritten. Segments count their uses; the
// object goes when the last segment lets go and no wave owns it.
#pragma once

#include "audio/AudioFileChunk.h"
#include "audio/SampleProvider.h"
#include "foundation/FileName.h"
#include "foundation/Lists.h"

#include <cstdint>

class AException;
class File;
class HeaderFile;
class MappedFile;
class MultiFileBuffer;
class VirtualFileIterator;
class Wave;

// File type numbers, kept by audio files and waves.
enum AudioFileType : int32_t {
    kTypeUnknown = 0,
    kTypeRawPcm = 1,  // no header
    kTypeNever = 2,   // never detected; opening it fails
    kTypeRiff = 3,
    kTypeAiff = 4,
    kTypeAu = 5,
    kTypeEditList = 6,  // recognised, not opened
};

// How the samples are reached.
enum AccessKind : int32_t {
    kAccessUnchosen = -1,
    kAccessMapped = 100,         // one mapped window over the sample region
    kAccessMappedWindows = 101,  // mapped windows of 64 KB
    kAccessCached = 102,         // the global file cache, classic buffers
};

// Open flags of audio storage.
enum : int {
    kOpenForReading = 0x20000022,
    kOpenForWriting = 0x20000028,
};

// The side of an audio file that file segments hold: it maps a segment's samples for an
// iterator.
class MPhysicalFileElement {
public:
    // Registers the sample region with the iterator's buffer and points the iterator at
    // its frame. Width 0: the file's own bytes per sample. backward: the window ends at
    // the frame instead of starting there.
    virtual void PrepareBuffer(VirtualFileIterator &iterator, int bytesPerSample, int backward) = 0;

protected:
    ~MPhysicalFileElement() {}
};

class AudioFile : public ASampleProvider, public MPhysicalFileElement, public ListElement {
public:
    AudioFile();
    // Only the type and header of a named file, no storage (the sound database learns
    // format and length so).
    AudioFile(FileName const &name, int interactive, int report);
    // No storage, for a new untitled wave.
    AudioFile(int kind, Wave *wave, int fileType, SamplePattern const &pattern);
    // A file to be written: the given one (size 0: its size), else a temporary file of
    // size bytes in the temporary folder.
    AudioFile(int kind, Wave *wave, int fileType, SamplePattern const &pattern, File *file, int64_t size);
    ~AudioFile() override;
    AudioFile(AudioFile const &) = delete;
    AudioFile &operator=(AudioFile const &) = delete;

    int GetLength() const override { return length_; }
    void PrepareBuffer(VirtualFileIterator &iterator, int bytesPerSample, int backward) override;

    // Reading the header by the file's type (AudioFileType.cpp and one file per container).
    void OpenByType(FileName const &name, int interactive, int report);
    void ReadAu(FileName const &name, int checkSize);
    void ReadRiff(FileName const &name);
    void ReadAiff(FileName const &name);
    void ReadRawPcm(FileName const &name);
    // Writes the headers of a RIFF WAVE file around the kept chunks for frames of data;
    // returns the file size and the position of the data size word.
    static int64_t BuildRiffChunks(FileName const &name, int blockSize, SamplePattern const &pattern,
                                   List<FileChunk> &chunks, int frames, int64_t &dataSizePosition);
    // After the samples are written: the RIFF and data sizes for frames.
    void UpdateRiffSizes(int frames);

    // Storage: the file and, for kinds 100 and 101, its mapping.
    void OpenStorage(int kind, FileName const &name, int openFlags, int64_t size);
    // Tells the playback that the file goes and closes file and peak file (marked to be
    // deleted when deleteFiles is set).
    void CloseStorage(int deleteFiles);
    // Opens the storage again after CloseStorage, under the file's name or another name of
    // it (a second link, or a copy), so that others may rename or delete that name while it
    // is open; a file that cannot be mapped is read through the cache. Without storage its
    // frames read as silence.
    void ReopenStorage(FileName const &name);
    // The file and its peak file go when they are closed.
    void SetDeleteOnClose();
    // The file now has this name (it was moved while open).
    void SetName(FileName const &name) { name_ = name; }
    // 1 when the file has usable peaks (PeakFile.cpp).
    int OpenPeakFile();

    // The open-file list (AudioFileList.cpp).
    void RegisterOpen();
    void UnregisterOpen();
    // Uses by segments; the last release of a file no wave owns deletes it (0 returned).
    void AddUse();
    int ReleaseUse();
    void DetachFromWave();
    void SetOwnerWave(Wave *wave) { ownerWave_ = wave; }

    FileName const &GetName() const { return name_; }
    Wave *GetOwnerWave() const { return ownerWave_; }
    int IsRegistered() const { return registered_; }
    int GetUseCount() const { return useCount_; }
    File *GetFile() const { return file_; }
    MappedFile *GetMapping() const { return mapping_; }
    int GetAccessKind() const { return accessKind_; }
    uint8_t const *GetPeakData() const { return peakData_; }
    int GetPeakEntries() const { return peakEntries_; }
    // Whether a peak file is still worth opening or building: cleared for good once that
    // failed, so that drawing falls back to the samples without asking again.
    int WantsPeakFile() const { return wantsPeakFile_; }
    void GiveUpPeakFile() { wantsPeakFile_ = 0; }
    int GetFileType() const { return fileType_; }
    int64_t GetDataSizePosition() const { return dataSizePosition_; }
    int64_t GetDataOffset() const { return dataOffset_; }
    int GetAlignment() const { return alignment_; }
    List<FileChunk> &GetChunks() { return chunks_; }

private:
    friend AudioFile *CreateAudioFileOnFile(File *, File *, int, MappedFile *, SamplePattern const &, int);
    friend AudioFile *CreateAudioFileForWriting(FileName const &, int, int, int, SamplePattern const &,
                                                List<FileChunk> &, int, int64_t &);

    void CreateTemporaryStorage(int64_t size);
    void MapStorage(int64_t size);
    void DeleteStorage();
    // The sample region from frame first registered as channel of the buffer.
    void RegisterSampleRegion(MultiFileBuffer &buffer, int channel, int first, int sampleBytes, long window) const;
    // Peaks (PeakFile.cpp).
    int OpenValidPeakFile(FileName const &peakName, int64_t expected);
    void BuildPeakFile(FileName const &peakName, int64_t expected);
    void MapPeakFile(File *peakFile, int64_t expected);
    void WritePeaks(File &peakFile);
    void ClosePeakFile();
    // Clears what a header reader fills, for a file of the type.
    void BeginHeader(int fileType);
    // Appends a chunk that a later save writes back, with its data from the position.
    void KeepChunk(FileChunk *chunk, HeaderFile &file, int64_t position);
    // Riff reading (RiffFile.cpp).
    void ReadRiffChunks(HeaderFile &file, int64_t start, int64_t end, int level);
    void ReadRiffFormat(HeaderFile &file, int64_t position, uint32_t size);
    void ReadRiffData(int64_t position, uint32_t size, int64_t fileSize);
    // Aiff reading (AiffFile.cpp): the frames "COMM" gives.
    int64_t ReadAiffCommon(HeaderFile &file, int64_t position, uint32_t size);
    int64_t ReadAiffSound(HeaderFile &file, int64_t position, uint32_t size);

    Wave *ownerWave_ = nullptr;
    int32_t registered_ = 0;
    int32_t useCount_ = 0;
    File *file_ = nullptr;
    MappedFile *mapping_ = nullptr;
    int32_t accessKind_ = kAccessUnchosen;
    File *peakFile_ = nullptr;
    MappedFile *peakMapping_ = nullptr;
    uint8_t const *peakData_ = nullptr;
    int32_t peakEntries_ = 0;
    int32_t wantsPeakFile_ = 1;
    int32_t fileType_ = kTypeUnknown;
    int64_t dataSizePosition_ = -1;
    int64_t dataOffset_ = 0;
    int32_t length_ = 0;
    // For RIFF the data start that a "PAD " chunk made, for AIFF the block size: a re-saved
    // file keeps its alignment.
    int32_t alignment_ = 0;
    List<FileChunk> chunks_;
    FileName name_;
};

// A registered file with its header read and storage open; null after telling the user why
// not (with report; without, nothing is told). A raw file is asked about only when
// interactive and report are set.
AudioFile *OpenAudioFile(int kind, FileName const &name, int interactive, int report);
// The open file of that name (letter case aside), else a newly opened one (opened set to 1).
AudioFile *FindOrOpenAudioFile(FileName const &name, int kind, int &opened, int report);
int IsAudioFileOpen(FileName const &name);
// The registered file of that name (letter case aside), null when none.
AudioFile *FindOpenAudioFile(FileName const &name);
// Calls f with each open file and arg, holding the open-file list's lock (uses do not
// change meanwhile).
void ForEachOpenAudioFile(void (*f)(AudioFile &file, void *arg), void *arg);
// A registered temporary raw file of size bytes for a wave's new samples.
AudioFile *CreateWorkAudioFile(int kind, Wave *wave, SamplePattern const &pattern, int64_t size);
// A registered file without storage.
AudioFile *CreateAudioFileForWave(Wave *wave, int fileType, SamplePattern const &pattern);
// A registered file over files the caller opened (the recorder); null after telling the
// user why not, the caller's files untouched.
AudioFile *CreateAudioFileOnFile(File *file, File *peakFile, int kind, MappedFile *mapping,
                                 SamplePattern const &pattern, int frames);
// Writes the header of a new file of the type for frames and reads it back; size: the
// complete file. The caller opens its storage and writes the samples.
AudioFile *CreateAudioFileForWriting(FileName const &name, int kind, int fileType, int blockSize,
                                     SamplePattern const &pattern, List<FileChunk> &chunks, int frames, int64_t &size);
// The type of a file by its first bytes and, for headerless files, its extension.
int GetAudioFileType(FileName const &name);
// Tells the user of a failure (the document manager's warning, else a plain box).
void WarnAudioFileUser(AException const &e);
