// The frequency analysis of a wave's selection: silence, tones, cancelling channels, short
// and very long selections, a cancel, files written by sox, and the settings it reads.
#include "shell/FFT3DDoc.h"
#include "shell/FFT3DSettings.h"

#include "bars/Progress.h"
#include "foundation/Config.h"
#include "foundation/Exception.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/shell/AnalysisTestKit.h"
#include "audio/WaveFactory.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace analysistest;

namespace {

class FrequencyAnalysis : public ::testing::Test {
protected:
    void SetUp() override {
        apptest::UseEnglishTexts();
        manager.reset(new wavetest::DocumentsScope);
        saved = TheFFT3DFrequencies();
        TheFFT3DFrequencies() = FFT3DFrequencies();
    }
    void TearDown() override {
        TheFFT3DFrequencies() = saved;
        SetProgressCancelAtCheck(0);
        doc.reset();
        wave.reset();
        manager.reset();
    }

    // The analysis of a wave made for the test, which goes with the test.
    FFT3DDoc &Analyse(Wave *made) {
        wave.reset(made);
        return Analyse(*made);
    }
    FFT3DDoc &Analyse(Wave &w) {
        doc.reset(new FFT3DDoc);
        doc->Analyse(w);
        return *doc;
    }

    std::unique_ptr<wavetest::DocumentsScope> manager;
    std::unique_ptr<Wave> wave;
    std::unique_ptr<FFT3DDoc> doc;
    FFT3DFrequencies saved;
};

bool AllZero(std::vector<int> const &levels) {
    return std::all_of(levels.begin(), levels.end(), [](int v) { return v == 0; });
}

}  // namespace

TEST_F(FrequencyAnalysis, SilenceGivesZeroLevels) {
    Wave *w = MakeWave(2, 44100, 44100, [](int, int) { return 0; });
    Select(*w, 0, 44099, 3);
    FFT3DDoc &a = Analyse(w);
    EXPECT_EQ(1.0, a.GetLargestMagnitude());
    EXPECT_TRUE(AllZero(a.GetLinearLevels()));
    EXPECT_TRUE(AllZero(a.GetLogarithmicLevels()));
    EXPECT_EQ(size_t(60 * 61), a.GetLinearLevels().size());
    EXPECT_EQ(1000u, a.GetTotalMilliseconds());
}

TEST_F(FrequencyAnalysis, AFullScaleSinePeaksAtTheTopOfBothScalesInItsBand) {
    Wave *w = SineWave(1, 44100, 44100, 1000, 32767);
    Select(*w, 0, 44099, 1);
    FFT3DDoc &a = Analyse(w);
    int n = a.GetNumBands(), band = BandHolding(a.GetBands(), 1000);
    EXPECT_EQ(1000, Largest(a.GetLinearLevels()));
    EXPECT_EQ(1000, Largest(a.GetLogarithmicLevels()));
    for (int k = 0; k < 60; ++k) {
        EXPECT_EQ(band, PeakBand(a.GetLinearLevels(), n, k)) << "slice " << k;
        EXPECT_GE(a.GetLinearLevels()[size_t(k) * n + band], 990) << "slice " << k;
    }
    // two octaves away the window's leakage lies far below
    EXPECT_LT(a.GetLogarithmicLevels()[size_t(band) + 12], 200);
    // magnitude: the window and a tone between two lines keep well over half of a full-scale sine
    EXPECT_GT(a.GetLargestMagnitude(), 0.5 * 32767);
    EXPECT_LT(a.GetLargestMagnitude(), 32767);
}

TEST_F(FrequencyAnalysis, OppositeChannelsCancelWhenBothAreRead) {
    Wave *w = SineWave(2, 20000, 44100, 3000, 20000, true);
    Select(*w, 0, 19999, 3);
    FFT3DDoc &a = Analyse(w);
    EXPECT_TRUE(AllZero(a.GetLinearLevels())) << "(L + R) / 2 is silence";
    Select(*wave, 0, 19999, 2);
    a.Analyse(*wave);
    EXPECT_EQ(1000, Largest(a.GetLinearLevels())) << "the right channel alone";
    EXPECT_EQ(BandHolding(a.GetBands(), 3000), PeakBand(a.GetLinearLevels(), a.GetNumBands(), 30));
}

TEST_F(FrequencyAnalysis, ASelectionShorterThanABlockGivesSixtyEqualSlices) {
    Wave *w = SineWave(1, 5000, 44100, 500, 10000);
    Select(*w, 1000, 2999, 1);  // 2000 frames
    FFT3DDoc &a = Analyse(w);
    std::vector<int> const &levels = a.GetLinearLevels();
    int n = a.GetNumBands();
    EXPECT_EQ(1000, Largest(levels));
    for (int k = 1; k < 60; ++k)
        ASSERT_TRUE(std::equal(levels.begin(), levels.begin() + n, levels.begin() + size_t(k) * n)) << k;
    EXPECT_EQ(45u, a.GetTotalMilliseconds());
}

TEST_F(FrequencyAnalysis, WithoutASelectionEverySliceIsSilent) {
    Wave *w = SineWave(1, 5000, 44100, 500, 10000);
    w->ClearSelection(0);
    EXPECT_TRUE(AllZero(Analyse(w).GetLinearLevels()));
}

// Block starts in 64 bits: slice 59 of two hours lies 59/60 of the way, where the only tone
// is; in 32 bits its start would wrap round and find silence.
TEST_F(FrequencyAnalysis, ATwoHourSelectionFindsItsLastSliceAndLabelsTheHours) {
    int const total = 2 * 3600 * 44100, tone = 8192;
    int const slice59 = int(59LL * (total - 2048) / 60);
    Wave *w = SineWave(1, tone, 44100, 2000, 16000);
    w->GetChannel(0).InsertSilence(0, slice59 - 2048);
    w->GetChannel(0).AppendSilence(total - (slice59 - 2048) - tone);
    ASSERT_EQ(total, w->GetLength());
    Select(*w, 0, total - 1, 1);
    FFT3DDoc &a = Analyse(w);
    int n = a.GetNumBands();
    std::vector<int> const &levels = a.GetLinearLevels();
    for (int k = 0; k < 59; ++k)
        ASSERT_TRUE(std::all_of(levels.begin() + size_t(k) * n, levels.begin() + size_t(k + 1) * n,
                                [](int v) { return v == 0; }))
            << "slice " << k;
    EXPECT_EQ(BandHolding(a.GetBands(), 2000), PeakBand(levels, n, 59));
    EXPECT_EQ(7200000u, a.GetTotalMilliseconds());
    EXPECT_STREQ("900 s", a.GetTimeLabels()[1].Text->c_str());
    EXPECT_STREQ("7200 s", a.GetTimeLabels()[8].Text->c_str());
}

TEST_F(FrequencyAnalysis, ACancelLeavesNoDocument) {
    wave.reset(SineWave(1, 100000, 44100, 500, 10000));
    Select(*wave, 0, 99999, 1);
    int before = FFT3DDoc::GetLiveCount();
    SetProgressCancelAtCheck(5);
    EXPECT_THROW(OpenFrequencyAnalysis(*wave), AException);
    EXPECT_EQ(before, FFT3DDoc::GetLiveCount());
}

// sox writes a 1 kHz tone at three rates: the line frequencies follow the rate, and at
// 22050 Hz nothing lies above the Nyquist frequency.
TEST_F(FrequencyAnalysis, SoxSinesPeakInTheBandOfOneKilohertzAtEveryRate) {
    for (int rate : {22050, 44100, 48000}) {
        std::string path = testsupport::ProgramFolder() + "\\sox-sines\\sine-" + std::to_string(rate) + ".wav";
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "sox did not write " << path;
        Wave *opened = Wave::_factory.OpenWaveDocument(FileName(path.c_str()), nullptr, 0);
        ASSERT_TRUE(opened) << path;
        std::unique_ptr<Wave, void (*)(Wave *)> w(opened, [](Wave *x) { Document::Delete(x); });
        ASSERT_EQ(uint32_t(rate), w->GetRate());
        Select(*w, 0, w->GetLength() - 1, 1);
        FFT3DDoc &a = Analyse(*w);
        int n = a.GetNumBands(), band = BandHolding(a.GetBands(), 1000);
        for (int k = 0; k < 60; k += 10)
            EXPECT_EQ(band, PeakBand(a.GetLinearLevels(), n, k)) << rate << " slice " << k;
        EXPECT_EQ(1000, Largest(a.GetLinearLevels())) << rate;
        for (int j = 0; j < n; ++j) {
            if (rate != 22050 || a.GetBands()[j] <= 11025)
                continue;
            for (int k = 0; k < 60; ++k) {
                ASSERT_EQ(0, a.GetLinearLevels()[size_t(k) * n + j]) << "band " << a.GetBands()[j];
                ASSERT_EQ(0, a.GetLogarithmicLevels()[size_t(k) * n + j]) << "band " << a.GetBands()[j];
            }
        }
    }
}

TEST_F(FrequencyAnalysis, TheFrequencySettingsChooseTheBands) {
    TheFFT3DFrequencies().lowFreq = 3;
    TheFFT3DFrequencies().highFreq = 7;
    TheFFT3DFrequencies().logFreq = 0;
    Wave *w = SineWave(1, 30000, 48000, 1000, 8000);
    Select(*w, 0, 29999, 1);
    FFT3DDoc &a = Analyse(w);
    ASSERT_EQ(61, a.GetNumBands());  // 4 octaves of 15 bands
    EXPECT_EQ(160, a.GetBands().front());
    EXPECT_EQ(2560, a.GetBands().back());
    EXPECT_EQ(BandHolding(a.GetBands(), 1000), PeakBand(a.GetLinearLevels(), 61, 0));
    EXPECT_EQ(0, a.GetBandPositions()[0]);
    EXPECT_EQ(500, a.GetBandPositions()[30]);
    EXPECT_EQ(1000, a.GetBandPositions()[61 + 60]);
    EXPECT_STREQ("2560 Hz", a.GetFrequencyLabels()[8].Text->c_str());
}

TEST(FFT3DSettings, ValuesAreHeldToTheirRangesAsTheyAreRead) {
    struct Case {
        int in[8];  // ColorMode Style Back AmpScale Angle LowFreq HighFreq LogFreq
        int out[8];
    } const cases[] = {
        {{1, 2, 0, 0, 30, 0, 10, 1}, {1, 2, 0, 0, 30, 0, 10, 1}},
        {{0, 0, 1, 1, 330, 7, 10, 0}, {0, 0, 1, 1, 330, 7, 10, 0}},
        {{5, 9, -1, 2, 45, 2, 2, 7}, {1, 2, 0, 1, 60, 2, 5, 1}},  // HighFreq = LowFreq would divide by 0
        {{-3, -1, 3, -9, 360, 9, 4, -1}, {0, 0, 1, 0, 0, 7, 10, 0}},
        {{1, 1, 0, 0, -30, -2, 1, 1}, {1, 1, 0, 0, 330, 0, 3, 1}},
        {{1, 1, 0, 0, 14, 4, 12, 1}, {1, 1, 0, 0, 0, 4, 10, 1}},
        {{1, 1, 0, 0, 735, 1, 3, 1}, {1, 1, 0, 0, 30, 1, 4, 1}},  // 750 is two turns and 30
    };
    char const *const keys[8] = {"ColorMode", "Style", "Back", "AmpScale", "Angle", "LowFreq", "HighFreq", "LogFreq"};
    FFT3DStyle savedStyle = TheFFT3DStyle();
    FFT3DFrequencies savedFrequencies = TheFFT3DFrequencies();
    for (Case const &c : cases) {
        Config config("Tessaro");
        config.MoveDown("FFT3D");
        for (int i = 0; i < 8; ++i)
            config.SetValue(c.in[i], keys[i]);
        config.MoveUp();
        LoadFFT3DSettings(config);
        FFT3DStyle const &s = TheFFT3DStyle();
        FFT3DFrequencies const &f = TheFFT3DFrequencies();
        int got[8] = {s.colorMode, s.style, s.back, s.ampScale, s.angle, f.lowFreq, f.highFreq, f.logFreq};
        EXPECT_EQ(std::vector<int>(c.out, c.out + 8), std::vector<int>(got, got + 8)) << "angle in " << c.in[4];

        // a preset: the same keys where the configuration stands, into the records given
        config.MoveDown("FFT3D");
        FFT3DStyle preset;
        FFT3DFrequencies presetFrequencies;
        LoadFFT3DSettings(config, &preset, &presetFrequencies);
        EXPECT_EQ(s.angle, preset.angle);
        EXPECT_EQ(f.highFreq, presetFrequencies.highFreq);
    }
    Config empty("Tessaro");
    LoadFFT3DSettings(empty);
    EXPECT_EQ(30, TheFFT3DStyle().angle) << "defaults";
    EXPECT_EQ(2, TheFFT3DStyle().style);
    EXPECT_EQ(10, TheFFT3DFrequencies().highFreq);

    TheFFT3DStyle().angle = 240;
    TheFFT3DFrequencies().lowFreq = 5;
    Config written("Tessaro");
    SaveFFT3DSettings(written);
    TheFFT3DStyle() = FFT3DStyle();
    TheFFT3DFrequencies() = FFT3DFrequencies();
    LoadFFT3DSettings(written);
    EXPECT_EQ(240, TheFFT3DStyle().angle);
    EXPECT_EQ(5, TheFFT3DFrequencies().lowFreq);
    TheFFT3DStyle() = savedStyle;
    TheFFT3DFrequencies() = savedFrequencies;
}
