// The 3-D frequency analysis of a wave's selection: 60 short-time spectra taken at even
// steps through the selection, each reduced to frequency bands and scaled to levels 0 to
// 1000, with the labels of the time and the frequency axis. The document is computed once,
// when it is made, and shown by analysis views (FFT3DView).
#pragma once

#include "shell/FrequencyBands.h"

#include "core/Curve3D.h"
#include "core/Geometry.h"
#include "manager/Document.h"
#include "manager/DocumentModel.h"

#include <cstdint>
#include <vector>

class Wave;
class FFT3DView;
struct FFT3DStyle;

class FFT3DDoc : public Document {
public:
    enum { kSlices = 60 };

    // The type of analysis documents: never read from files, gone with their last view.
    class Type : public DocumentFactory<FFT3DDoc> {
    public:
        Type();
    };
    static Type _type;

    FFT3DDoc();
    ~FFT3DDoc() override;

    // Fills the document from the wave's selection on its active channels, with the global
    // frequency settings; throws when the user cancels.
    void Analyse(Wave &wave);
    // A view with the global display settings in a new document window.
    FFT3DView *OpenWindow();
    // A further view with the display settings of view, in a window at rect (MDI client
    // coordinates).
    FFT3DView *OpenAnotherView(FFT3DView const &view, TRect const &rect);

    uint32_t GetRate() const { return rate_; }
    int GetNumSlices() const { return kSlices; }
    int GetNumBands() const { return int(bands_.size()); }
    std::vector<int> const &GetBands() const { return bands_; }
    // Slice by slice, band by band: levels 0 to 1000 and each band's place across the plot.
    std::vector<int> const &GetLinearLevels() const { return linear_; }
    std::vector<int> const &GetLogarithmicLevels() const { return logarithmic_; }
    std::vector<int> const &GetBandPositions() const { return positions_; }
    double GetLargestMagnitude() const { return largest_; }
    uint64_t GetTotalMilliseconds() const { return totalMilliseconds_; }
    // Each ends with an entry without a text.
    Legend const *GetTimeLabels() const { return timeLabels_.data(); }
    Legend const *GetFrequencyLabels() const { return frequencyLabels_.data(); }

    // Documents alive, for the tests that ask that a failed analysis leaves none.
    static int GetLiveCount() { return _live; }

private:
    explicit FFT3DDoc(FileName const &title);
    FFT3DView *OpenView(FFT3DStyle const &style, TRect const *rect);
    // The band values of every slice, from the frames of the selection.
    void ComputeSlices(Wave &wave, int64_t first, int64_t last, std::vector<double> &values);
    void ScaleLevels(std::vector<double> const &values);

    uint32_t rate_ = 0;
    std::vector<int> bands_;
    std::vector<int> positions_;
    std::vector<int> linear_;
    std::vector<int> logarithmic_;
    double largest_ = 1.0;
    uint64_t totalMilliseconds_ = 0;
    std::vector<Legend> timeLabels_;
    std::vector<Legend> frequencyLabels_;

    static int _live;
};

// The analysis command of the wave window: a new analysis of the wave's selection in its
// window. A failed or cancelled analysis leaves no document behind and passes its
// exception on.
FFT3DDoc *OpenFrequencyAnalysis(Wave &wave);
