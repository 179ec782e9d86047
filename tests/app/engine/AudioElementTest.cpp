// The element protocol as the engine drives it: commands through the record's entry, the
// meters on either side (delay, clip edge, taking clears), the mute, the bypass, and the
// format limits of the engine's input element.
#include "engine/AudioElement.h"
#include "engine/PlaybackElements.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Halves what comes in; its format is what it is opened with.
class HalvingElement : public ProgramAudioElement {
public:
    HalvingElement() : ProgramAudioElement(nullptr, nullptr, kElementConstruction) { SetIdentity("Halving"); }

    int32_t Process(ElementBlock &block) override {
        ++processed;
        for (int32_t c = 0; c < block.channels; ++c)
            for (int32_t i = 0; i < block.frames; ++i)
                block.channel[c][i] *= 0.5f;
        return block.frames;
    }
    int32_t Open(int32_t rate, int32_t channels, int32_t) override {
        rate_ = rate;
        inputChannels_ = channels;
        outputChannels_ = channels + extraOutputs;
        return 0;
    }
    int32_t Start() override { return 0; }
    int32_t Stop() override { return 0; }
    int32_t CheckFormat(int32_t, int32_t, int32_t, int32_t) override { return 0; }

    int processed = 0;
    int extraOutputs = 0;
};

// The element driven through its record, as the engine does.
class Driven {
public:
    explicit Driven(int channels, int extraOutputs = 0) : element_(new HalvingElement) {
        element_->extraOutputs = extraOutputs;
        record_ = element_->GetRecord();
        ElementCommandRecord format = {};
        format.rate = 44100;
        format.channels = channels;
        EXPECT_EQ(0, Command(kCommandOpen, &format));
        EXPECT_EQ(channels + extraOutputs, format.outChannels);
    }
    ~Driven() { Command(kCommandDestroy, nullptr); }

    int32_t Command(int32_t command, ElementCommandRecord *argument, int32_t value = 0) {
        return record_->command(record_, command, argument, value);
    }
    int32_t Switch(int32_t command) {
        ElementCommandRecord on = {};
        return Command(command, &on);
    }
    // Processes the channels in place.
    int32_t Process(std::vector<std::vector<float>> &channels) {
        ElementBlock block = {};
        block.frames = int32_t(channels[0].size());
        block.capacity = block.frames;
        block.channels = int32_t(channels.size()) - element_->extraOutputs;
        block.rate = 44100;
        for (size_t c = 0; c < channels.size(); ++c)
            block.channel[c] = channels[c].data();
        return record_->process(record_, &block);
    }
    std::vector<float> Peaks(int32_t command) {
        ElementCommandRecord meter = {};
        Command(command, &meter);
        return std::vector<float>(meter.peaks, meter.peaks + meter.count);
    }
    std::vector<int32_t> Clips(int32_t command) {
        ElementCommandRecord meter = {};
        Command(command, &meter);
        return std::vector<int32_t>(meter.clips, meter.clips + meter.count);
    }

    HalvingElement *element_;
    AudioElementRecord *record_;
};

TEST(AudioElement, TheRecordNamesTheElementForTheEngine) {
    Driven driven(1);
    AudioElementRecord const &record = *driven.record_;
    EXPECT_EQ(kElementProgram, record.kind);
    EXPECT_EQ(kElementVersion, record.version);
    EXPECT_EQ(kElementConstruction, record.construction);
    EXPECT_EQ(ElementMaker("Zelk"), record.maker);
    EXPECT_STREQ("Halving", record.name);
    EXPECT_EQ(record.element, record.elementAgain);
    EXPECT_EQ(44100, driven.Command(kCommandRate, nullptr));
    EXPECT_EQ(1, driven.Command(kCommandOutputChannels, nullptr));
    float sample = 0;
    ElementBlock block = {1, 1, 1, 44100, {&sample}};
    EXPECT_EQ(int32_t(kElementNoSecondProcess), record.processWithSource(driven.record_, &block));
}

TEST(AudioElement, MetersMeasureEachSideAndCountOnlyWhatLiesBeyondFullScale) {
    Driven driven(2);
    EXPECT_EQ(0, driven.Switch(kCommandInputMeterOn)) << "the previous state";
    driven.Switch(kCommandInputClipOn);
    driven.Switch(kCommandOutputMeterOn);
    driven.Switch(kCommandOutputClipOn);
    driven.Command(kCommandMeterDelay, nullptr, 0);
    std::vector<std::vector<float>> block = {{-1.0f, 0.25f, 1.5f, 0.0f}, {-2.0f, 0.0f, 0.0f, 0.5f}};
    ASSERT_EQ(4, driven.Process(block));
    EXPECT_EQ(std::vector<float>({1.5f, 2.0f}), driven.Peaks(kCommandInputPeaks));
    EXPECT_EQ(std::vector<int32_t>({1, 1}), driven.Clips(kCommandInputClips)) << "-1.0 exactly is no clip";
    EXPECT_EQ(std::vector<float>({0.75f, 1.0f}), driven.Peaks(kCommandOutputPeaks));
    EXPECT_EQ(std::vector<int32_t>({0, 0}), driven.Clips(kCommandOutputClips));
    EXPECT_EQ(std::vector<float>({0.0f, 0.0f}), driven.Peaks(kCommandInputPeaks)) << "taking clears";
    EXPECT_EQ(std::vector<int32_t>({0, 0}), driven.Clips(kCommandInputClips));
    driven.Command(kCommandInputMeterOff, nullptr);
    ASSERT_EQ(4, driven.Process(block));
    EXPECT_EQ(std::vector<float>({0.0f, 0.0f}), driven.Peaks(kCommandInputPeaks)) << "switched off";
}

TEST(AudioElement, AMeterDelayMeasuresWhatLeavesTheRing) {
    Driven driven(1);
    driven.Switch(kCommandInputMeterOn);
    EXPECT_EQ(1, driven.Command(kCommandMeterDelay, nullptr, 2));
    std::vector<std::vector<float>> loud = {{0.9f, 0.1f}}, quiet = {{0.0f, 0.0f}};
    driven.Process(loud);
    EXPECT_EQ(std::vector<float>({0.0f}), driven.Peaks(kCommandInputPeaks)) << "still in the ring";
    driven.Process(quiet);
    EXPECT_EQ(std::vector<float>({0.9f}), driven.Peaks(kCommandInputPeaks));
}

TEST(AudioElement, SwitchingOnWithAValueKeepsTheMeterOn) {
    Driven driven(1);
    ElementCommandRecord kept = {};
    kept.parameters[0] = 1;
    driven.Command(kCommandOutputMeterOn, &kept);
    EXPECT_EQ(-1, driven.Command(kCommandOutputMeterOff, nullptr));
    EXPECT_EQ(-1, driven.Switch(kCommandOutputMeterOn)) << "the off did not take";
}

TEST(AudioElement, TheMuteClearsTheOutputAndTheBypassPassesTheBlockWithTheFirstChannelCopied) {
    {
        Driven driven(2);
        ElementCommandRecord parameters = {};
        parameters.parameters[1] = 1;
        driven.Command(kCommandSetParameters, &parameters);
        EXPECT_EQ(2, driven.Command(kCommandGetParameters, &parameters));
        std::vector<std::vector<float>> block = {{0.5f, -0.5f}, {0.25f, 0.25f}};
        ASSERT_EQ(2, driven.Process(block));
        EXPECT_EQ(std::vector<std::vector<float>>({{0, 0}, {0, 0}}), block);
        EXPECT_EQ(0, driven.element_->processed);
    }
    Driven driven(1, 1);
    EXPECT_EQ(0, driven.Command(kCommandBypass, nullptr, 1));
    std::vector<std::vector<float>> block = {{0.5f, -0.5f}, {9.0f, 9.0f}};
    ASSERT_EQ(2, driven.Process(block));
    EXPECT_EQ(std::vector<std::vector<float>>({{0.5f, -0.5f}, {0.5f, -0.5f}}), block);
    EXPECT_EQ(0, driven.element_->processed);
    EXPECT_EQ(1, driven.Command(kCommandBypass, nullptr, 0)) << "the previous flag";
}

TEST(AudioElement, TheEnginesInputHoldsItsFormatToTwoChannelsAndFortyEightKilohertz) {
    AE_Micro micro(nullptr, nullptr);
    struct Case {
        int32_t channels, rate, refusal;
    } const cases[] = {
        {2, 44100, 0},
        {1, 48000, 0},
        {3, 44100, int32_t(kRefuseChannels)},
        {0, 44100, int32_t(kRefuseChannels)},
        {2, 96000, int32_t(kRefuseRate)},
        {2, 0, int32_t(kRefuseRate)},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.refusal, micro.CheckFormat(0, c.channels, c.rate, 0)) << c.channels << " " << c.rate;
    ElementCommandRecord format = {};
    format.rate = 96000;
    format.channels = 6;
    AudioElementRecord *record = micro.GetRecord();
    ASSERT_EQ(0, record->command(record, kCommandOpen, &format, 0));
    EXPECT_EQ(44100, format.rate) << "without a play request";
    EXPECT_EQ(2, format.channels);
    record->command(record, kCommandClose, nullptr, 0);
}

}  // namespace
