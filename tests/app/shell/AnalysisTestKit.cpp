#include "tests/app/shell/AnalysisTestKit.h"

#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "core/Module.h"
#include "foundation/File.h"
#include "manager/MainFrame.h"
#include "manager/MdiDocumentWindows.h"
#include "shell/WFrameWindow.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace analysistest {

Wave *MakeWave(int channels, int frames, uint32_t rate, std::function<int(int, int)> const &sample) {
    std::unique_ptr<Wave> wave(Wave::CreateTempWave(frames, channels, rate, 16));
    FileWriteBuffer buffer(channels);
    for (int c = 0; c < channels; ++c)
        for (WaveOutIterator it(buffer, c, wave->GetChannel(c), 0, -1); it.IsValid(); it.Advance(1))
            WriteSample24(it, sample(c, it.GetPosition()) * 256);
    long bytes = long(Wave::FramesToBytes(frames, *wave, channels));
    unsigned long const workFile = File::kSequentialScan | File::kDeleteOnClose | File::kShareNone | File::kReadWrite;
    for (int c = 0; c < channels; ++c)
        buffer.ValidateWriting(bytes, bytes, workFile, c);
    return wave.release();
}

Wave *SineWave(int channels, int frames, uint32_t rate, double hz, double amplitude, bool opposite) {
    return MakeWave(channels, frames, rate, [=](int c, int i) {
        double v = amplitude * std::sin(2 * 3.14159265358979323846 * hz * i / rate);
        return int(std::lround(c == 1 && opposite ? -v : v));
    });
}

void Select(Wave &wave, int first, int last, int channels) { wave.SetSelection(first, last, channels, 0); }

int BandHolding(std::vector<int> const &bands, double hz) {
    int n = int(bands.size());
    for (int j = n - 1; j > 0; --j)
        if ((bands[j - 1] + bands[j]) / 2 <= hz)
            return j;
    return 0;
}

int PeakBand(std::vector<int> const &levels, int n, int k) {
    auto slice = levels.begin() + size_t(k) * n;
    return int(std::max_element(slice, slice + n) - slice);
}

int Largest(std::vector<int> const &levels) { return *std::max_element(levels.begin(), levels.end()); }

namespace {

class FrameManager : public DocumentManager {
public:
    FrameManager(MDIClient *client, bool programFrame)
        : DocumentManager("AnalysisTests", "system\\analysistest.set", 0, 0, 0, 0), client_(client),
          programFrame_(programFrame) {}
    void InitMainWindow() override {
        if (client_)
            SetMDIClient(client_);  // made before the manager was there
        MDIClient &client = client_ ? *client_ : *new MDIClient;
        if (programFrame_)
            SetMainWindow(new WFrameWindow("Analysis test", client));
        else
            SetMainWindow(new FrameWindow("Analysis test", 0, client, 1));
    }

private:
    MDIClient *client_;
    bool programFrame_;
};

char const kSettings[] = "\\system\\analysistest.set";

}  // namespace

FrameScope::FrameScope(MDIClient *client, bool programFrame) {
    apptest::UseEnglishTexts();
    CreateDirectoryA((testsupport::ProgramFolder() + "\\system").c_str(), 0);
    TApplication::SetWinMainParams(GetModuleHandleA(0), 0, "", SW_SHOWNORMAL);
    common_ = ::LoadLibraryA((apptest::ProgramFolder() + "\\system\\CommonRscTs.dll").c_str());
    // the manager takes the modules as the program's common resources and its language, and
    // deletes them
    TModule::_commonResourceDLL = new TModule("CommonRscTs", common_);
    TModule::_localizedResourceDLL = new TModule("EnglishTs", apptest::UseEnglishTexts());
    app_ = new FrameManager(client, programFrame);
    app_->InitInstance();
    Pump();
}

FrameScope::~FrameScope() {
    delete app_;
    apptest::UseEnglishTexts();  // the manager let go of the language module it was given
    ::DeleteFileA((testsupport::ProgramFolder() + kSettings).c_str());
}

void Pump() {
    MSG msg;
    for (int n = 0; n < 5000 && ::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE); ++n) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace analysistest
