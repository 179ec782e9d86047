// The two ends of a background queue: AE_FileReader reads the request's range of the
// audio object (its last frame included), AE_FileWriter writes what the chain made into a
// RecordingFile that replaces the range when the job ends well, and tells the GUI thread
// when the job starts and ends.
#pragma once

#include "engine/AudioElement.h"

#include <cstdint>
#include <memory>

class MessOnEndOfBackgroundQueue;
class RecordingFile;
class SampleCollector;
struct QueueElementRecord;

class AE_FileReader : public ProgramAudioElement {
public:
    AE_FileReader(ElementEngineCallback callback, void *engineValue, QueueElementRecord &record);
    ~AE_FileReader() override;

    int32_t Process(ElementBlock &block) override;
    int32_t Open(int32_t rate, int32_t channels, int32_t extra) override;
    int32_t Close() override;
    int32_t Start() override { return 0; }
    int32_t Stop() override { return 0; }
    // Refuses another channel count than the object's.
    int32_t CheckFormat(int32_t value, int32_t channels, int32_t rate, int32_t extra) override;

    static AudioElementRecord *WQ_CALL Factory(ElementEngineCallback callback, void *engineValue, void *element);

private:
    QueueElementRecord &job_;
    std::unique_ptr<SampleCollector> collector_;
};

class AE_FileWriter : public ProgramAudioElement {
public:
    AE_FileWriter(ElementEngineCallback callback, void *engineValue, QueueElementRecord &record);
    // Keeps the file only when nothing failed and nothing was cancelled; then posts the end.
    ~AE_FileWriter() override;

    int32_t Process(ElementBlock &block) override;
    // Adds the dry signal of the range before writing.
    int32_t ProcessWithSource(ElementBlock &block) override;
    int32_t Open(int32_t rate, int32_t channels, int32_t extra) override;
    int32_t Start() override;
    int32_t Stop() override { return 0; }
    // Refuses another rate or channel count than it was opened with.
    int32_t CheckFormat(int32_t value, int32_t channels, int32_t rate, int32_t extra) override;

    static AudioElementRecord *WQ_CALL Factory(ElementEngineCallback callback, void *engineValue, void *element);

private:
    // Waits while the task is paused and, in the background, while the user works; false
    // once the task is cancelled.
    bool MayGoOn();
    int32_t Write(ElementBlock &block, bool addSource);
    // frames of the dry signal added into the channels.
    void AddSource(float *const *channels, int32_t frames);
    int32_t ExpectedFrames();
    bool KeepsResult() const;

    QueueElementRecord &job_;
    std::unique_ptr<RecordingFile> file_;
    std::unique_ptr<SampleCollector> source_;  // the dry signal, read by this element alone
    std::unique_ptr<MessOnEndOfBackgroundQueue> end_;
    int32_t drop_ = 0;
    int32_t abort_ = 0;
};
