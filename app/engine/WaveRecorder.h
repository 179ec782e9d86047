// The recording engine the record dialog drives: the wave-in device opened with the GUI
// thread's message window as its callback, so that recorded blocks come back as
// MM_WIM_DATA to the main window, which hands them here (RouteWaveInMessage). Each block
// is measured for the level meters and, while recording, written to a RecordingFile; while
// metering the input is only measured. Everything here runs on the GUI thread.
#pragma once

#include "audio/SamplePattern.h"
#include "foundation/Lists.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class NH_Heap;
class RecordingFile;

// One buffer of the device: its header (the user word points back to the block) over data
// from the audio heap.
class AudioBlock : public ListElement {
public:
    // No data when the heap has no room.
    AudioBlock(NH_Heap &heap, int size);
    ~AudioBlock() override;
    AudioBlock(AudioBlock const &) = delete;
    AudioBlock &operator=(AudioBlock const &) = delete;

    WAVEHDR header;
    int32_t queued = 0;  // in the device
    char *data;
};

class WaveRecorder {
public:
    // Metering needs short blocks, whatever the settings say.
    enum { kMeterBlockBytes = 4096, kFullLevel = 32767 };

    explicit WaveRecorder(NH_Heap &heap);
    ~WaveRecorder();
    WaveRecorder(WaveRecorder const &) = delete;
    WaveRecorder &operator=(WaveRecorder const &) = delete;

    // Records (monitor 0) or meters the input (monitor 1) in the pattern's format, made
    // interleaved. A metering run ends first; a recording is never cut short (0). 1 when
    // the device runs; otherwise the user was told why not.
    int Start(SamplePattern const &pattern, int monitor);
    // Ends the run. The recording (the caller finishes and deletes it), or none: none
    // while metering, and none after a failed write.
    RecordingFile *Stop();
    // A block the device gave back: measured, written, queued again. 0 when the run must
    // end (a write failed, or the disk is full).
    int BlockDone(WAVEHDR *header);
    // The notice of a block of the device: BlockDone, and when that asks for it the device
    // closes; a recording stays to be taken by Stop (unless its write failed). Notices of
    // another device or of blocks gone are old news.
    void OnBlockNotice(HWAVEIN device, WAVEHDR *header);

    bool IsOpen() const { return device_ != nullptr; }
    // Recording, or ended by itself with the recording not taken yet.
    bool IsRecording() const { return file_ != nullptr; }
    bool IsMonitoring() const { return device_ && monitor_; }
    // The recording ended by itself (disk full) and waits for Stop.
    bool IsHalted() const { return file_ && !device_; }
    // 0..32767: the last block's peak, and the highest since the peaks were cleared.
    int GetLevel(int channel) const { return levels_[channel & 1]; }
    int GetPeak(int channel) const { return peaks_[channel & 1]; }
    void ClearPeaks() { peaks_[0] = peaks_[1] = 0; }
    uint32_t GetRecordedFrames() const { return recordedFrames_; }
    SamplePattern const &GetInputPattern() const { return pattern_; }
    int GetBlockCount() const { return blockCount_; }
    int GetQueued() const { return queued_; }
    RecordingFile const *GetFile() const { return file_.get(); }
    // Runs after every recorded block, and when a recording ended by itself.
    void SetCallback(std::function<void()> callback) { callback_ = std::move(callback); }

private:
    void OpenDevice();
    void AddBlocks(int size);
    bool QueueBlock(AudioBlock &block);
    AudioBlock *BlockOf(WAVEHDR const *header) const;
    void Measure(AudioBlock const &block, int frames);
    // Resets the device, takes back every block (at most 3 s), unprepares what is still
    // prepared, closes the device and frees the blocks.
    void Close();
    void TakeBackBlocks(HWAVEIN device);
    // Close, dropping a recording whose write failed.
    void Halt();

    NH_Heap &heap_;
    HWAVEIN device_ = nullptr;
    HWND window_ = nullptr;
    int32_t stopping_ = 0;
    std::unique_ptr<RecordingFile> file_;
    int32_t monitor_ = 0;
    uint32_t recordedFrames_ = 0;
    int32_t queued_ = 0;
    int32_t blockCount_ = 0;
    int32_t levels_[2] = {};
    int32_t peaks_[2] = {};
    SamplePattern pattern_;
    std::function<void()> callback_;
    List<AudioBlock> blocks_;
};

// The main window's routing of the wave-in device's notices: MM_WIM_DATA (960) goes to
// the recorder. 1 when the message was one. Nothing thrown leaves it.
int RouteWaveInMessage(UINT message, WPARAM wParam, LPARAM lParam);

// Ends the recorder's run. A recording becomes a new wave whose markers are the positions
// dropped during it, named "1", "2", ... in order: the finishing step's result. 1 when
// nothing was recorded.
int FinishRecording(WaveRecorder &recorder, std::vector<int32_t> const &markerPositions);
