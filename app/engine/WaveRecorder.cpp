#include "engine/WaveRecorder.h"

#include "audio/AudioFile.h"
#include "audio/MarkerSet.h"
#include "audio/SampleConversion.h"
#include "engine/AudioMessages.h"
#include "engine/AudioState.h"
#include "engine/PlayerSettings.h"
#include "engine/RecordingFile.h"
#include "engine/WaveDevice.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "malvane/Malvane.h"

#include <algorithm>

namespace {

enum { kTextBlockRefused = 10042, kTextNoWaveIn = 10043 };
enum { kTakeBackMs = 3000, kPollMs = 10 };

[[noreturn]] void Fail(unsigned text) { throw Exception(String(FindString(text))); }

}  // namespace

// ---- AudioBlock

AudioBlock::AudioBlock(NH_Heap &heap, int size) : header(), data(static_cast<char *>(heap.AllocMem(size))) {
    header.lpData = data;
    header.dwBufferLength = DWORD(size);
    header.dwUser = reinterpret_cast<DWORD_PTR>(this);
}

AudioBlock::~AudioBlock() { NH_Heap::FreeMem(data); }

// ---- WaveRecorder

WaveRecorder::WaveRecorder(NH_Heap &heap) : heap_(heap) {}

WaveRecorder::~WaveRecorder() { Close(); }

int WaveRecorder::Start(SamplePattern const &pattern, int monitor) {
    if (file_)
        return 0;
    Close();
    ThePlaybackEngine().StopAndWait();
    PlayerSettings const &settings = ThePlayerSettings();
    // A recording must not drop blocks: it keeps twice as many in the device.
    blockCount_ = settings.inBufferCount * (monitor ? 1 : 2);
    stopping_ = 0;
    monitor_ = monitor;
    recordedFrames_ = 0;
    pattern_ = pattern;
    pattern_.SetInterleaved(1);
    queued_ = 0;
    levels_[0] = levels_[1] = 0;
    ClearPeaks();
    try {
        OpenDevice();
        if (!monitor)
            file_.reset(new RecordingFile(pattern_, pattern_, -1, kAccessCached));
        AddBlocks(monitor ? kMeterBlockBytes : settings.inBufferSize);
        if (waveInStart(device_) != MMSYSERR_NOERROR)
            Fail(kTextNoWaveIn);
    } catch (AException const &e) {
        file_.reset();
        Close();
        WarnAudioFileUser(e);
        return 0;
    }
    return 1;
}

void WaveRecorder::OpenDevice() {
    window_ = GetAudioMessageWindow();
    if (!window_ || pattern_.GetBytesPerFrame() <= 0)
        Fail(kTextNoWaveIn);
    WAVEFORMATEX format = PcmFormat(pattern_);
    HWAVEIN opened = nullptr;
    if (waveInOpen(&opened, ThePlayerSettings().inDevice, &format, DWORD_PTR(window_), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR)
        Fail(kTextNoWaveIn);
    device_ = opened;
}

void WaveRecorder::AddBlocks(int size) {
    int frameBytes = pattern_.GetBytesPerFrame();
    size = size / frameBytes * frameBytes;
    if (size <= 0)
        Fail(kTextBlockRefused);
    for (int i = 0; i < blockCount_; ++i) {
        AudioBlock *block = blocks_.Append(new AudioBlock(heap_, size));
        if (!block->data || !QueueBlock(*block))
            Fail(kTextBlockRefused);
    }
}

bool WaveRecorder::QueueBlock(AudioBlock &block) {
    WAVEHDR &header = block.header;
    header.dwBytesRecorded = 0;
    header.dwFlags = 0;
    header.lpNext = nullptr;
    header.reserved = 0;
    if (waveInPrepareHeader(device_, &header, sizeof header) != MMSYSERR_NOERROR)
        return false;
    if (waveInAddBuffer(device_, &header, sizeof header) != MMSYSERR_NOERROR) {
        waveInUnprepareHeader(device_, &header, sizeof header);
        return false;
    }
    block.queued = 1;
    ++queued_;
    return true;
}

AudioBlock *WaveRecorder::BlockOf(WAVEHDR const *header) const {
    for (AudioBlock *block = blocks_.GetFirst(); block; block = static_cast<AudioBlock *>(block->GetNext()))
        if (&block->header == header)
            return block;
    return nullptr;
}

void WaveRecorder::OnBlockNotice(HWAVEIN device, WAVEHDR *header) {
    if (!device_ || device != device_ || !BlockOf(header))
        return;
    if (BlockDone(header))
        return;
    Halt();
    if (callback_)
        callback_();
}

int WaveRecorder::BlockDone(WAVEHDR *header) {
    AudioBlock &block = *reinterpret_cast<AudioBlock *>(header->dwUser);
    if (block.queued) {
        block.queued = 0;
        --queued_;
    }
    waveInUnprepareHeader(device_, header, sizeof *header);
    int frames = int(header->dwBytesRecorded) / pattern_.GetBytesPerFrame();
    if (frames > 0) {
        Measure(block, frames);
        if (file_ && !file_->WriteDeviceBlock(block.data, unsigned(frames)))
            return 0;
        recordedFrames_ += uint32_t(frames);
        if (callback_)
            callback_();
    }
    return stopping_ ? 1 : int(QueueBlock(block));
}

void WaveRecorder::Measure(AudioBlock const &block, int frames) {
    float peaks[2] = {};
    ComputeBlockPeak(block.data, pattern_.GetNumChannels(), frames, peaks, pattern_.GetFlags());
    for (int c = 0; c < 2; ++c) {
        levels_[c] = int(peaks[c] * kFullLevel);
        // The second peak only for a stereo input.
        if (c == 0 || pattern_.GetStandardLayout() == 3)
            peaks_[c] = std::min<int>(kFullLevel, std::max(peaks_[c], levels_[c]));
    }
}

RecordingFile *WaveRecorder::Stop() {
    // Inside a block's call-back while the device closes: the closing goes on.
    if (stopping_ && device_)
        return nullptr;
    Halt();
    return file_.release();
}

void WaveRecorder::Halt() {
    Close();
    if (file_ && file_->HasError())
        file_.reset();
}

void WaveRecorder::Close() {
    HWAVEIN device = device_;
    if (device) {
        stopping_ = 1;
        waveInReset(device);
        TakeBackBlocks(device);
        for (AudioBlock *block = blocks_.GetFirst(); block; block = static_cast<AudioBlock *>(block->GetNext()))
            if (block->header.dwFlags & WHDR_PREPARED)
                waveInUnprepareHeader(device, &block->header, sizeof block->header);
        if (waveInClose(device) != MMSYSERR_NOERROR) {
            waveInReset(device);
            waveInClose(device);
        }
        device_ = nullptr;
    }
    queued_ = 0;
    blocks_.DeleteAll();
}

// The blocks come back as notices to the window: each one waiting there is handled now,
// so that what they recorded is kept and no block is freed while the device holds it.
void WaveRecorder::TakeBackBlocks(HWAVEIN device) {
    DWORD start = GetTickCount();
    while (queued_ > 0 && GetTickCount() - start < DWORD(kTakeBackMs)) {
        MSG msg;
        bool any = false;
        while (PeekMessageA(&msg, window_, MM_WIM_DATA, MM_WIM_DATA, PM_REMOVE)) {
            any = true;
            WAVEHDR *header = reinterpret_cast<WAVEHDR *>(msg.lParam);
            if (reinterpret_cast<HWAVEIN>(msg.wParam) == device && BlockOf(header))
                BlockDone(header);
        }
        if (!any)
            Sleep(kPollMs);
    }
}

// ---- the main window's part

int RouteWaveInMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != MM_WIM_DATA)
        return 0;
    try {
        TheWaveRecorder().OnBlockNotice(reinterpret_cast<HWAVEIN>(wParam), reinterpret_cast<WAVEHDR *>(lParam));
    } catch (...) {
        PostCurrentFailure();
    }
    return 1;
}

int FinishRecording(WaveRecorder &recorder, std::vector<int32_t> const &markerPositions) {
    std::unique_ptr<RecordingFile> file(recorder.Stop());
    if (!file)
        return 1;
    std::unique_ptr<MarkerSet> markers;
    if (!markerPositions.empty()) {
        markers.reset(new MarkerSet);
        for (size_t i = 0; i < markerPositions.size(); ++i) {
            String name;
            name.LongToString(long(i + 1));
            markers->InsertSorted(new Marker(name, markerPositions[i], Marker::kPlain, 0));
        }
    }
    return file->Finish(1, 0, 0, markers.release());
}
