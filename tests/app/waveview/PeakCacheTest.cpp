// The peak cache against a model that looks at every frame (and computes the peak bytes
// itself), the source each column is taken from, reuse against a fresh cache, range edits,
// and what may happen while a peak file is built.
#include "audio/AudioFile.h"
#include "audio/Wave.h"
#include "foundation/CriticalSection.h"
#include "foundation/File.h"
#include "manager/View.h"
#include "waveview/PeakCache.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

static bool operator==(PeakEntry const &a, PeakEntry const &b) {
    return a.maximum == b.maximum && a.minimum == b.minimum;
}

namespace {

using namespace audiotest;
using Samples = std::vector<int16_t>;

std::string Text(PeakEntry const &e) {
    return "{" + std::to_string(e.maximum) + ", " + std::to_string(e.minimum) + "}";
}

// The bytes of a peak file, computed apart: per block of 128 frames every fourth frame,
// -32768 as 32767, over 128.
std::vector<uint8_t> PeakBytes(Samples const &s) {
    std::vector<uint8_t> bytes;
    for (size_t block = 0; block + 128 <= s.size(); block += 128) {
        int peak = 0;
        for (size_t f = block; f < block + 128; f += 4)
            peak = std::max(peak, std::min(std::abs(int(s[f])), 32767));
        bytes.push_back(uint8_t(peak >> 7));
    }
    return bytes;
}

// One channel of one file as the model knows it: its samples and, when the cache is to find
// a peak file, the bytes it must hold.
struct FileChannel {
    Samples samples;
    std::vector<uint8_t> peaks;  // empty: none
};

// Where a frame of a wave's channel comes from: a frame of a file's channel, or silence.
struct Origin {
    FileChannel const *file;  // null: silence
    int frame;
};

std::vector<Origin> WholeFile(FileChannel const &file) {
    std::vector<Origin> frames;
    for (int f = 0; f < int(file.samples.size()); ++f)
        frames.push_back({&file, f});
    return frames;
}

// The channels of one file; with peaks, the bytes its peak file must hold.
std::vector<FileChannel> FileChannels(std::vector<Samples> const &channels, bool peaks) {
    std::vector<FileChannel> files;
    for (Samples const &s : channels)
        files.push_back({s, peaks ? PeakBytes(s) : std::vector<uint8_t>()});
    return files;
}

// One channel of a wave as the cache must show it, frame by frame.
struct ChannelModel {
    std::vector<Origin> frames;

    PeakEntry Column(int zoom, int64_t column) const {
        zoom = zoom == -1 ? -2 : zoom;
        int width = zoom < -1 ? -zoom : 1;
        int64_t first = zoom > 1 ? column / zoom : column * width;
        int64_t last = std::min(first + width - 1, int64_t(frames.size()) - 1);
        if (first > last)
            return {0, 0};
        if (zoom >= -8)
            return {Sample(frames[size_t(first)]), 0};
        std::vector<int64_t> spread;
        for (int k = 0, reads = std::min(width / 4, 64); k < reads; ++k)
            spread.push_back(first + int64_t(k) * width / reads);
        int high = 0, low = 0;
        auto take = [&](int v) { high = std::max(high, v), low = std::min(low, v); };
        for (int64_t f = first; f <= last; ++f) {
            Origin const &o = frames[size_t(f)];
            if (!o.file)
                continue;
            bool longFile = o.file->samples.size() >= 64000;
            bool fromPeaks = width >= 128 && longFile && !o.file->peaks.empty();
            size_t block = size_t(o.frame / 128);
            if (fromPeaks && block < o.file->peaks.size())
                take(o.file->peaks[block] * 128), take(-o.file->peaks[block] * 128);
            else if (fromPeaks || width < 128 || !longFile || std::count(spread.begin(), spread.end(), f))
                take(Sample(o));  // with peaks: the frames after the last whole block
        }
        return {int16_t(high), int16_t(low)};
    }

    static int16_t Sample(Origin const &o) { return o.file ? o.file->samples[size_t(o.frame)] : 0; }
};

// The column of frame first at zoom, counted from frame 0.
int64_t ColumnOfFrame(int zoom, int frame) {
    return WavePeakCache::ColumnCount(zoom, 0, frame) - (zoom > 1 ? zoom : 1);
}

// Fills frames first..last piece by piece and hands every column to check(channel, column
// from frame 0, entry); the first mismatch of each channel is reported with what.
template <class Check>
void ForEachColumn(WavePeakCache &cache, Wave &wave, int zoom, int first, int last, Check check) {
    for (int from = first;;) {
        PeakEntry *c0 = nullptr, *c1 = nullptr;
        int served = cache.Fill(wave, zoom, from, last, &c0, &c1);
        ASSERT_TRUE(c0 && c1);
        ASSERT_GE(served, from);
        int64_t columns = WavePeakCache::ColumnCount(zoom, from, served);
        ASSERT_LE(columns, cache.GetCapacity()) << "a piece fits the arrays";
        ASSERT_TRUE(cache.GuardsIntact()) << "nothing written behind the arrays";
        int64_t base = ColumnOfFrame(zoom, from);
        for (int64_t k = 0; k < columns; ++k) {
            check(0, base + k, c0[k]);
            if (wave.GetNumChannels() > 1)
                check(1, base + k, c1[k]);
        }
        if (served >= last)
            return;
        from = served + 1;
    }
}

void ExpectModel(WavePeakCache &cache, Wave &wave, std::vector<ChannelModel> const &model, int zoom, int first,
                 int last, std::string const &what) {
    int wrong[2] = {0, 0};
    ForEachColumn(cache, wave, zoom, first, last, [&](int c, int64_t column, PeakEntry const &e) {
        PeakEntry expected = model[size_t(c)].Column(zoom, column);
        if (!(e == expected) && wrong[c]++ == 0)
            ADD_FAILURE() << what << " zoom " << zoom << " channel " << c << " column " << column << ": " << Text(e)
                          << ", model " << Text(expected);
    });
}

// Every column of both channels, in order.
std::vector<PeakEntry> Columns(WavePeakCache &cache, Wave &wave, int zoom, int first, int last) {
    std::vector<PeakEntry> all;
    ForEachColumn(cache, wave, zoom, first, last, [&](int, int64_t, PeakEntry const &e) { all.push_back(e); });
    return all;
}

std::string Interleaved(std::vector<Samples> const &channels) {
    std::string bytes;
    for (size_t f = 0; f < channels[0].size(); ++f)
        for (Samples const &s : channels)
            bytes += Le16(uint16_t(s[f]));
    return bytes;
}

enum Signal { kSilence, kSquare, kRamp, kSpike };

// Channel 1 differs from channel 0: the square's other phase, a falling ramp, a negative
// spike on a frame the peak file does not look at.
Samples Make(Signal signal, int channel, int frames) {
    Samples s(size_t(frames), 0);
    for (int f = 0; f < frames; ++f) {
        if (signal == kSquare)
            s[size_t(f)] = (f / 100 + channel) % 2 ? 32767 : -32768;
        if (signal == kRamp)
            s[size_t(f)] = int16_t(channel ? 32767 - f % 65536 : f % 65536 - 32768);
    }
    if (signal == kSpike)
        s[size_t(frames / 2 + 3 * channel)] = channel ? -30000 : 30000;
    return s;
}

// A wave decides whether a view is a pane's by what it tells it: here the cache hears all.
class CacheView : public View {
public:
    CacheView(Wave &wave, WavePeakCache &cache) : View("CacheView", wave, nullptr), cache_(cache) {}
    int Handler(int code, long, long) override {
        cache_.OnWaveNotification(code);
        return 1;
    }

private:
    WavePeakCache &cache_;
};

class PeakCache : public ::testing::Test {
protected:
    PeakCache() { apptest::UseEnglishTexts(); }

    // A 16-bit wave over a new file of the channels.
    std::unique_ptr<Wave> OpenWave(char const *name, std::vector<Samples> const &channels, int kind = kAccessMapped) {
        std::string path = dir.File(name);
        testsupport::WriteBytes(path, SimpleWave(int(channels.size()), 16, 44100, Interleaved(channels)));
        AudioFile *file = OpenAudioFile(kind, FileName(path.c_str()), 1, 1);
        EXPECT_TRUE(file) << name;
        return std::unique_ptr<Wave>(Wave::CreateWaveFromFile(file, nullptr, 1, nullptr, 0));
    }

    testsupport::TempDir dir;
    SettingsScope settings{dir.Path()};
    wavetest::RecordingPoster poster;
};

// Short files are drawn from their samples, long ones from the peak file the cache has built
// for columns of 128 frames or more; past the end columns are {0, 0}.
TEST_F(PeakCache, ColumnsMatchTheModelAtEveryZoom) {
    int const zooms[] = {-4096, -200, -128, -127, -9, -8, -2, -1, 1, 2, 5, 32};
    for (int frames : {20000, 70001})
        for (Signal signal : {kSilence, kSquare, kRamp, kSpike}) {
            std::vector<Samples> channels = {Make(signal, 0, frames), Make(signal, 1, frames)};
            std::string name = "s" + std::to_string(signal) + "-" + std::to_string(frames) + ".wav";
            std::unique_ptr<Wave> wave = OpenWave(name.c_str(), channels);
            std::vector<FileChannel> files = FileChannels(channels, true);
            std::vector<ChannelModel> model = {{WholeFile(files[0])}, {WholeFile(files[1])}};
            WavePeakCache cache;
            for (int zoom : zooms)
                ExpectModel(cache, *wave, model, zoom, 0, frames + 5000, name);
            EXPECT_EQ(frames >= 64000, wave->GetFirstFile()->GetPeakData() != nullptr) << name;
        }
}

// A peak file beside the file that does not match its samples shows which columns come from
// it: only those of 128 frames or more of a file of 64000 frames or more. A file whose peak
// file cannot be had is read 64 times a column, and not asked again.
TEST_F(PeakCache, EachColumnTakesItsOwnSource) {
    std::mt19937 random(7);
    auto noise = [&](int frames) {
        Samples s(static_cast<size_t>(frames));
        for (int16_t &v : s)
            v = int16_t(random() % 60000 - 30000);
        return s;
    };
    struct Case {
        int frames;
        bool usesPeakFile;
    } const cases[] = {{63999, false}, {64000, true}};
    for (Case const &c : cases) {
        Samples samples = noise(c.frames);
        std::string name = "doctored" + std::to_string(c.frames);
        std::unique_ptr<Wave> wave = OpenWave((name + ".wav").c_str(), {samples});
        std::vector<uint8_t> doctored(size_t(c.frames / 128));
        for (size_t b = 0; b < doctored.size(); ++b)
            doctored[b] = uint8_t(10 + b % 100);
        testsupport::WriteBytes(dir.File((name + ".gpk").c_str()), std::string(doctored.begin(), doctored.end()));
        FileChannel withPeaks = {samples, doctored}, withoutPeaks = {samples, {}};
        std::vector<ChannelModel> fromPeaks = {{WholeFile(withPeaks)}}, fromSamples = {{WholeFile(withoutPeaks)}};
        WavePeakCache cache;
        ExpectModel(cache, *wave, c.usesPeakFile ? fromPeaks : fromSamples, -256, 0, c.frames - 1, name);
        ExpectModel(cache, *wave, fromSamples, -64, 0, c.frames - 1, name);
        EXPECT_EQ(c.usesPeakFile, wave->GetFirstFile()->GetPeakData() != nullptr) << name;
    }

    static int asked;
    asked = 0;
    auto previous = WavePeakCache::SetPeakFileOpener([](AudioFile &) { return ++asked, 0; });
    FileChannel file = {noise(90000), {}};
    std::unique_ptr<Wave> wave = OpenWave("nopeaks.wav", {file.samples});
    WavePeakCache cache;
    for (int zoom : {-1024, -300, -1024}) {
        ExpectModel(cache, *wave, {{WholeFile(file)}}, zoom, 0, 89999, "no peak file");
        cache.ClearRange();
    }
    WavePeakCache::SetPeakFileOpener(previous);
    EXPECT_EQ(1, asked) << "a file that could not have one is not asked again";
    EXPECT_EQ(0, wave->GetFirstFile()->WantsPeakFile());
}

// Scrolling and zooming at random over a wave of two files, silence and cut columns, with
// the swap cache now and then in use elsewhere, give the model's columns and what a fresh
// cache gives.
TEST_F(PeakCache, RandomRequestsAgreeWithAFreshCache) {
    std::vector<FileChannel> a = FileChannels({Make(kRamp, 0, 70000), Make(kSquare, 1, 70000)}, true);
    std::vector<FileChannel> b = FileChannels({Make(kSquare, 0, 66000), Make(kRamp, 1, 66000)}, true);
    std::unique_ptr<Wave> wave = OpenWave("a.wav", {a[0].samples, a[1].samples});
    std::unique_ptr<Wave> other = OpenWave("b.wav", {b[0].samples, b[1].samples}, kAccessCached);
    std::vector<ChannelModel> model(2);
    for (int c = 0; c < 2; ++c) {
        VirtualWave &list = wave->GetChannel(c);
        std::vector<Origin> &m = model[size_t(c)].frames;
        m = WholeFile(a[size_t(c)]);
        list.Remove(5001, 6999);
        m.erase(m.begin() + 5001, m.begin() + 7000);
        list.InsertSilence(20003, 3000);
        m.insert(m.begin() + 20003, 3000, Origin{nullptr, 0});
        list.Insert(other->GetChannel(c), 40000);
        std::vector<Origin> inserted = WholeFile(b[size_t(c)]);
        m.insert(m.begin() + 40000, inserted.begin(), inserted.end());
        list.Silence(90001, 90100);
        std::fill(m.begin() + 90001, m.begin() + 90101, Origin{nullptr, 0});
    }
    int const length = wave->GetLength();
    ASSERT_EQ(model[0].frames.size(), size_t(length));
    int const zooms[] = {-65536, -3000, -512, -129, -16, -9, -4, 1, 3, 8};
    std::mt19937 random(21);
    WavePeakCache cache;
    int capacity = cache.GetCapacity();
    for (int step = 0; step < 300; ++step) {
        int zoom = zooms[random() % (sizeof zooms / sizeof *zooms)];
        int64_t span = int64_t(random() % (3 * capacity)) * (zoom < 0 ? -zoom : 1) / (zoom > 1 ? zoom : 1);
        int first = int(random() % (length + 2000));
        int last = int(std::min<int64_t>(first + span, INT32_MAX));
        std::string what =
            "step " + std::to_string(step) + " frames " + std::to_string(first) + ".." + std::to_string(last);
        WavePeakCache *swap = random() % 5 == 0 ? WavePeakCache::TakeSwap() : nullptr;
        ExpectModel(cache, *wave, model, zoom, first, last, what);
        if (swap)
            WavePeakCache::GiveBackSwap();
        WavePeakCache fresh;
        ASSERT_TRUE(Columns(cache, *wave, zoom, first, last) == Columns(fresh, *wave, zoom, first, last)) << what;
    }
}

// A range edit notifies 1000-1002 and the next fill shows the new samples; other
// notifications keep the columns.
TEST_F(PeakCache, NewSamplesShowAfterARangeEdit) {
    std::vector<FileChannel> files = FileChannels({Make(kRamp, 0, 30000), Make(kSquare, 1, 30000)}, false);
    std::unique_ptr<Wave> wave = OpenWave("edit.wav", {files[0].samples, files[1].samples});
    std::vector<ChannelModel> model = {{WholeFile(files[0])}, {WholeFile(files[1])}};
    WavePeakCache cache;
    new CacheView(*wave, cache);
    ExpectModel(cache, *wave, model, -64, 0, 29999, "before");

    wave->NotifyViews(kNotifyHideCaret);
    EXPECT_EQ(0, cache.GetFirst()) << "the columns stay";

    std::unique_ptr<Wave> patch(wavetest::DistinctWave(9, 2, 1000));
    wave->ReplaceFrom(1000, 2, *patch, 0);
    wave->NotifyViews(kNotifyRightRange, 1000, 1999);
    FileChannel patched;  // one channel asked: the source's first
    for (int32_t v : wavetest::DistinctSamples(9, 0, 0, 1000))
        patched.samples.push_back(int16_t(v >> 8));
    for (int f = 0; f < 1000; ++f)
        model[1].frames[size_t(1000 + f)] = {&patched, f};
    ExpectModel(cache, *wave, model, -64, 0, 29999, "after");
}

// Building a peak file runs a message loop: there the wave's lock is free, an edit and
// another fill may run and windows may close; the fill then reads the lists as they are, and
// what closed goes only once the fill (or the paint holding it) is over.
TEST_F(PeakCache, APeakBuildLoopSeesEditsAndDefersClosing) {
    std::vector<Samples> channels = {Make(kSquare, 0, 80000), Make(kRamp, 1, 80000)};
    static Wave *wave;
    static ViewPeakCache *holder;
    static std::vector<std::string> *events;
    static std::thread checker;  // takes the wave's lock during the loop
    static std::atomic<bool> locked;
    locked = false;
    std::unique_ptr<Wave> owned = OpenWave("loop.wav", channels);
    ViewPeakCache view;
    std::vector<std::string> told;
    wave = owned.get(), holder = &view, events = &told;

    auto previous = WavePeakCache::SetPeakFileOpener([](AudioFile &file) {
        events->push_back("loop");
        checker = std::thread([] {
            AutoCriticalSection lock(wave->GetLock());
            locked = true;
        });
        for (int ms = 0; ms < 5000 && !locked; ++ms)
            Sleep(1);
        EXPECT_TRUE(locked) << "the wave's lock is free during the loop";
        for (int c = 0; c < 2; ++c)
            wave->GetChannel(c).Silence(0, 9999);
        WavePeakCache::AfterFill([] { events->push_back("closed"); });
        WavePeakCache nested;
        PeakEntry *c0, *c1;
        EXPECT_EQ(2000, nested.Fill(*wave, -16, 0, 2000, &c0, &c1));
        EXPECT_TRUE(c0[0] == PeakEntry({0, 0})) << "the nested fill sees the edit";
        holder->Release();
        events->push_back("opened");
        return file.OpenPeakFile();
    });
    WavePeakCache *cache = view.Get();
    {
        WavePeakCache::FillScope paint;
        PeakEntry *c0, *c1;
        EXPECT_EQ(79999, cache->Fill(*wave, -256, 0, 79999, &c0, &c1));
        EXPECT_TRUE(c0[0] == PeakEntry({0, 0}) && c1[38] == PeakEntry({0, 0})) << "the edit is drawn";
        EXPECT_TRUE(c0[40] == PeakEntry({32640, -32640}) && c1[40].maximum > 0);
        EXPECT_EQ(nullptr, view.Current());
        EXPECT_EQ(std::vector<std::string>({"loop", "opened"}), told) << "nothing closed during the paint";
    }
    checker.join();
    EXPECT_EQ(std::vector<std::string>({"loop", "opened", "closed"}), told);
    WavePeakCache::SetPeakFileOpener(previous);

    WavePeakCache::AfterFill([] { events->push_back("now"); });
    EXPECT_EQ("now", told.back()) << "outside a fill at once";
}

}  // namespace
