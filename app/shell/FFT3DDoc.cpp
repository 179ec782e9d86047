#include "shell/FFT3DDoc.h"

#include "shell/AnalysisWindows.h"
#include "shell/FFT3DSettings.h"
#include "shell/FFT3DView.h"
#include "shell/HartleyTransform.h"
#include "shell/TaperedWindow.h"

#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "audio/Wave.h"
#include "bars/Progress.h"
#include "foundation/CriticalSection.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <cmath>
#include <memory>

using namespace bands;

namespace {

enum {
    kTextDescription = 11085,
    kTextProgress = 11047,
    kDialogValue = 207,
    kTypeValue = 1001,
};

// Blocks of the selection on the wave's active channels as 16-bit values: both channels
// as their mean, truncated; nothing read without a selection.
class SelectionReader {
public:
    explicit SelectionReader(Wave &wave) : wave_(wave), channels_(wave.HasSelection() ? wave.GetActiveChannels() : 0) {}

    // Frames first..last into the block; the rest of the block stays silent.
    void Read(int64_t first, int64_t last, double *block) {
        std::fill(block, block + kBlockSize, 0.0);
        if (!channels_)
            return;
        AutoCriticalSection lock(wave_.GetLock());
        FileReadBuffer buffer(2);
        std::unique_ptr<WaveInIterator> left, right;
        if (channels_ & 1)
            left.reset(new WaveInIterator(buffer, 0, wave_.GetChannel(0), int(first), int(last)));
        if ((channels_ & 2) && wave_.GetNumChannels() > 1)
            right.reset(new WaveInIterator(buffer, 1, wave_.GetChannel(1), int(first), int(last)));
        for (int i = 0; i < kBlockSize && i <= last - first; ++i)
            block[i] = Next(left.get(), right.get());
    }

private:
    static int Next(WaveInIterator *left, WaveInIterator *right) {
        int l = Take(left), r = Take(right);
        return left && right ? (l + r) / 2 : left ? l : r;
    }
    static int Take(WaveInIterator *it) {
        if (!it || !it->IsValid())
            return 0;
        int value = ReadSampleValue(*it);
        it->Advance(1);
        return value;
    }

    Wave &wave_;
    int channels_;
};

// The magnitudes of lines 1 to kLines - 1 of a windowed block: twice the magnitude of the
// Fourier coefficient over the block size, from the Hartley lines k and N - k.
class BlockMagnitudes {
public:
    BlockMagnitudes() : transform_(kBlockSize), magnitudes_(kLines, 0.0) {}

    // Works on the block in place; the largest magnitude.
    double Compute(double *block) {
        TaperedWindow::Analysis().Apply(block, kWindowHamming);
        transform_.Transform(block);
        double largest = 0;
        for (int k = 1; k < kLines; ++k) {
            double a = block[k] / kBlockSize, b = block[kBlockSize - k] / kBlockSize;
            double s = a + b, d = a - b;
            if (std::fabs(s) < 1e-32)
                s = 1e-32;
            magnitudes_[k] = std::sqrt(s * s + d * d);
            largest = std::max(largest, magnitudes_[k]);
        }
        return largest;
    }
    double const *Magnitudes() const { return magnitudes_.data(); }

private:
    HartleyTransform transform_;
    std::vector<double> magnitudes_;
};

}  // namespace

FFT3DDoc::Type FFT3DDoc::_type;
int FFT3DDoc::_live = 0;

FFT3DDoc::Type::Type() { InitWindowOnlyType(*this, "FrequencyAnalysis", kTextDescription, kDialogValue, kTypeValue); }

FFT3DDoc::FFT3DDoc() : FFT3DDoc(FileName(FindString(kTextDescription))) {}

FFT3DDoc::FFT3DDoc(FileName const &title) : Document(_type, &title) { ++_live; }

FFT3DDoc::~FFT3DDoc() {
    DeleteViews();  // while the analysis they show is whole
    --_live;
}

void FFT3DDoc::Analyse(Wave &wave) {
    FFT3DFrequencies f = TheFFT3DFrequencies();
    ClampFFT3DFrequencies(f);
    rate_ = wave.GetRate();
    bands_ = MakeBandTable(f.LowestFrequency(), f.Octaves(), f.logFreq != 0);
    largest_ = 1.0;
    int64_t first = wave.GetSelectionStart(), last = wave.GetSelectionEnd();
    std::vector<double> values(size_t(kSlices) * bands_.size());
    ComputeSlices(wave, first, last, values);
    ScaleLevels(values);
    int n = GetNumBands();
    positions_.resize(values.size());
    for (size_t i = 0; i < positions_.size(); ++i)
        positions_[i] = n > 1 ? int(i % n) * kLevelTop / (n - 1) : 0;
    totalMilliseconds_ = rate_ ? uint64_t(last - first + 1) * 1000 / rate_ : 0;
    timeLabels_ = TimeLabels(totalMilliseconds_, kSlices);
    frequencyLabels_ = FrequencyLabels(bands_);
}

// Block k starts k / 60 of the way through the selection less a block (in 64 bits: the
// product passes 2^31 after a quarter of an hour); a selection no longer than a block
// gives one block that every slice shows.
void FFT3DDoc::ComputeSlices(Wave &wave, int64_t first, int64_t last, std::vector<double> &values) {
    int64_t length = last - first + 1;
    int n = GetNumBands();
    int computed = length - kBlockSize >= 1 ? kSlices : 1;
    AutoProgressBar progress(long(kSlices) * kBlockSize - 1, kTextProgress, 1);
    SelectionReader reader(wave);
    BlockMagnitudes lines;
    std::vector<double> block(kBlockSize);
    for (int k = 0; k < computed; ++k) {
        int64_t start =
            computed == 1 ? first : std::min(first + k * (length - kBlockSize) / kSlices, last - kBlockSize + 1);
        reader.Read(start, std::min(start + kBlockSize - 1, last), block.data());
        progress.NotifyProgress(long(k + 1) * kBlockSize - 1, StatusBar::ThrowOnCancel);
        largest_ = std::max(largest_, lines.Compute(block.data()));
        ReduceToBands(lines.Magnitudes(), rate_, bands_, &values[size_t(k) * n]);
    }
    for (int k = computed; k < kSlices; ++k)
        std::copy(values.begin(), values.begin() + n, values.begin() + size_t(k) * n);
}

void FFT3DDoc::ScaleLevels(std::vector<double> const &values) {
    linear_.resize(values.size());
    logarithmic_.resize(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        linear_[i] = LinearLevel(values[i], largest_);
        logarithmic_[i] = LogarithmicLevel(values[i], largest_);
    }
}

FFT3DView *FFT3DDoc::OpenWindow() { return OpenView(TheFFT3DStyle(), nullptr); }

FFT3DView *FFT3DDoc::OpenAnotherView(FFT3DView const &view, TRect const &rect) {
    return OpenView(view.GetStyle(), &rect);
}

FFT3DView *FFT3DDoc::OpenView(FFT3DStyle const &style, TRect const *rect) {
    FFT3DView *view = new FFT3DView(*this, style);
    view->OpenChildWindow(rect);
    return view;
}

FFT3DDoc *OpenFrequencyAnalysis(Wave &wave) {
    std::unique_ptr<FFT3DDoc> doc(new FFT3DDoc);
    doc->Analyse(wave);
    doc->OpenWindow();
    return doc.release();
}
