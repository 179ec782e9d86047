#include "tests/app/waveview/WaveWindowTestKit.h"

#include "audio/WaveFactory.h"
#include "audio/WaveLinks.h"
#include "core/MessageBoxSeam.h"
#include "manager/MainFrame.h"
#include "manager/MdiDocumentWindows.h"
#include "waveview/WaveWindow.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace wavewindowtest {

namespace {

char const kSettings[] = "system\\wavewindowtest.set";

// The texts the windows show (sizes, rates) are looked up once and kept: they must be there
// from the first window on.
char const *Prepared() {
    apptest::UseEnglishTexts();
    CreateDirectoryA((testsupport::ProgramFolder() + "\\system").c_str(), nullptr);
    TApplication::SetWinMainParams(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    return kSettings;
}

int CountBox(HWND, char const *, char const *, unsigned) {
    ++WindowsScope::boxes;
    return IDOK;
}

std::string NewFolder() {
    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    std::string folder = std::string(path) + "wavewindowtest" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

int WindowsScope::boxes = 0;

WindowsScope::WindowsScope() : DocumentManager("TessaroTests", Prepared(), 0, 0, 0, 0), folder_(NewFolder()) {
    SetMessageBoxAnswerer(CountBox);
    previousLink_ = RegisterWaveWindow();
    InitInstance();
    GetMainWindow()->ShowWindow(SW_SHOWMAXIMIZED);
    SetForegroundWindow(GetMainWindow()->GetHandle());
    Settle();
}

WindowsScope::~WindowsScope() {
    CloseAll();
    SetWaveWindowLink(previousLink_);
    SetMessageBoxAnswerer(nullptr);
    std::string system = testsupport::ProgramFolder() + "\\system\\";
    DeleteFileA((system + "wavewindowtest.set").c_str());
}

void WindowsScope::InitMainWindow() { SetMainWindow(new FrameWindow("Wave window test", 0, *new MDIClient, 1)); }

Wave *WindowsScope::OpenWave(std::string const &name, int channels, int frames, SampleFunction const &sample) {
    std::string samples;
    for (int frame = 0; frame < frames; ++frame)
        for (int channel = 0; channel < channels; ++channel)
            samples += audiotest::Le16(uint16_t(sample(channel, frame)));
    std::string path = folder_ + "\\" + name;
    testsupport::WriteBytes(path, audiotest::SimpleWave(channels, 16, 44100, samples));
    return Wave::_factory.OpenWaveDocument(FileName(path.c_str()), nullptr, 0);
}

DoubleView *WindowsScope::OpenWindow(Wave *wave, WaveViewGlobalMemento const *memento) {
    DoubleView *view = OpenWaveWindow(wave, memento);
    view->GetParentO()->ShowWindow(SW_SHOWMAXIMIZED);
    Settle();
    return view;
}

void WindowsScope::CloseAll() {
    if (!GetMainWindow() || !GetMainWindow()->GetHandle())
        return;
    CanClose();
    if (GetMDIClient())
        GetMDIClient()->CloseChildren();
    while (Document *doc = FindFirstDoc())
        Document::Delete(doc);
    Settle();
}

void Settle() {
    MSG msg;
    for (int round = 0; round < 10; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (_docManager)
            _docManager->DoOneIdleAction();
        Sleep(2);
    }
}

// ---- Pixels

Pixels::Pixels(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    width_ = r.right;
    height_ = r.bottom;
    pixels_.resize(size_t(width_) * height_);
    if (!width_ || !height_)
        return;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB};
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    GdiFlush();
    uint32_t const *p = static_cast<uint32_t const *>(bits);
    for (size_t i = 0; i < pixels_.size(); ++i)
        pixels_[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
}

std::string Pixels::FirstDifference(Pixels const &other) const {
    if (width_ != other.width_ || height_ != other.height_)
        return "sizes differ";
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (At(x, y) != other.At(x, y)) {
                char text[80];
                snprintf(text, sizeof text, "(%d, %d): %06lx vs %06lx", x, y, At(x, y), other.At(x, y));
                return text;
            }
    return "";
}

// ---- PaintRecorder

std::map<HWND, std::vector<RECT>> PaintRecorder::painted_;
PaintRecorder *PaintRecorder::current_ = nullptr;

PaintRecorder::PaintRecorder(std::vector<HWND> const &windows) {
    current_ = this;
    painted_.clear();
    for (HWND w : windows)
        original_[w] = WNDPROC(SetWindowLongPtrA(w, GWLP_WNDPROC, LONG_PTR(&Record)));
}

PaintRecorder::~PaintRecorder() {
    for (auto const &w : original_)
        SetWindowLongPtrA(w.first, GWLP_WNDPROC, LONG_PTR(w.second));
    current_ = nullptr;
}

LRESULT CALLBACK PaintRecorder::Record(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_PAINT) {
        RECT r;
        if (GetUpdateRect(window, &r, FALSE))
            painted_[window].push_back(r);
    }
    return CallWindowProcA(current_->original_[window], window, message, wp, lp);
}

}  // namespace wavewindowtest
