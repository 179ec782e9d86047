#include "MasterSection.h"

#include "EngineState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

char const kClassName[] = "AudioUI";
char const kTitle[] = "MasterSection";

enum {
    kListId = 101,
    kValueLabelId = 102,
    kValueEditId = 103,
    kPresetsId = 104,
    kApplyId = 105,
    kMeterTimer = 1,
    kMeterMs = 100,
};

enum { kWidth = 296, kHeight = 330 };
RECT const kMeterRect = {8, 240, 272, 270};

HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

ATOM RegisterClassOnce() {
    static ATOM atom = [] {
        WNDCLASSA c = {};
        c.lpfnWndProc = DefWindowProcA;
        c.hInstance = Module();
        c.hCursor = LoadCursor(nullptr, IDC_ARROW);
        c.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        c.lpszClassName = kClassName;
        return RegisterClassA(&c);
    }();
    return atom;
}

// dB of a peak on a scale from -60 dB (0) to 0 dB (1).
double MeterFraction(float peak) {
    if (peak <= 0.001f)
        return 0;
    return std::min(1.0, 1.0 + 20.0 * std::log10(double(peak)) / 60.0);
}

}  // namespace

MasterSection::MasterSection(HWND owner, MasterSectionLayout const &layout) {
    RegisterClassOnce();
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, kTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                              layout.x, layout.y, kWidth, kHeight, owner, nullptr, Module(), nullptr);
    if (!window_)
        return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, LONG_PTR(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, LONG_PTR(&Procedure));
    font_ = HFONT(GetStockObject(DEFAULT_GUI_FONT));
    CreateControls();
    Refill();
    SetTimer(window_, kMeterTimer, kMeterMs, nullptr);
    ShowWindow(window_, SW_SHOWNA);
}

MasterSection::~MasterSection() {
    if (!window_)
        return;
    KillTimer(window_, kMeterTimer);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void MasterSection::CreateControls() {
    auto make = [this](char const *type, char const *text, DWORD style, int x, int y, int w, int h, int id) {
        HWND control = CreateWindowExA(type[0] == 'L' || type[0] == 'E' ? WS_EX_CLIENTEDGE : 0, type, text,
                                       WS_CHILD | WS_VISIBLE | style, x, y, w, h, window_, HMENU(INT_PTR(id)),
                                       Module(), nullptr);
        SendMessageA(control, WM_SETFONT, WPARAM(font_), 0);
        return control;
    };
    make("STATIC", "Plug-ins", 0, 8, 8, 264, 16, -1);
    list_ = make("LISTBOX", "", LBS_EXTENDEDSEL | LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, 8, 26, 264, 140, kListId);
    valueLabel_ = make("STATIC", "", SS_LEFTNOWORDWRAP, 8, 178, 150, 16, kValueLabelId);
    valueEdit_ = make("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 164, 174, 108, 22, kValueEditId);
    make("BUTTON", "Presets...", BS_PUSHBUTTON | WS_TABSTOP, 8, 204, 128, 26, kPresetsId);
    make("BUTTON", "Apply", BS_DEFPUSHBUTTON | WS_TABSTOP, 144, 204, 128, 26, kApplyId);
}

void MasterSection::Refill() {
    filling_ = true;
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (ElementType const &type : TheEngine().Types().Processors())
        SendMessageA(list_, LB_ADDSTRING, 0, LPARAM(type.name.c_str()));
    filling_ = false;
    ShowValueOfCurrent();
}

void MasterSection::Show(bool show) { ShowWindow(window_, show ? SW_SHOWNA : SW_HIDE); }

bool MasterSection::IsVisible() const { return window_ && IsWindowVisible(window_); }

void MasterSection::StorePosition(MasterSectionLayout &layout) const {
    RECT r;
    if (window_ && GetWindowRect(window_, &r)) {
        layout.x = r.left;
        layout.y = r.top;
    }
}

std::vector<std::string> MasterSection::SelectedProcessors() const {
    std::vector<std::string> names;
    int count = int(SendMessageA(list_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageA(list_, LB_GETSEL, WPARAM(i), 0) <= 0)
            continue;
        char name[kPlugInTextSize] = {};
        if (SendMessageA(list_, LB_GETTEXTLEN, WPARAM(i), 0) < kPlugInTextSize)
            SendMessageA(list_, LB_GETTEXT, WPARAM(i), LPARAM(name));
        names.push_back(name);
    }
    return names;
}

std::string MasterSection::CurrentName() const {
    int index = int(SendMessageA(list_, LB_GETCARETINDEX, 0, 0));
    char name[kPlugInTextSize] = {};
    if (index < 0 || SendMessageA(list_, LB_GETTEXTLEN, WPARAM(index), 0) >= kPlugInTextSize)
        return std::string();
    SendMessageA(list_, LB_GETTEXT, WPARAM(index), LPARAM(name));
    return name;
}

// ---- the value of the current processor

void MasterSection::ShowValueOfCurrent() {
    ElementType type;
    bool has = TheEngine().Types().Find(CurrentName(), type) && !type.valueName.empty();
    std::string label = has ? type.valueName + (type.unit.empty() ? "" : " (" + type.unit + ")") : "";
    filling_ = true;
    SetWindowTextA(valueLabel_, label.c_str());
    SetWindowTextA(valueEdit_, has ? std::to_string(type.value).c_str() : "");
    EnableWindow(valueEdit_, has);
    filling_ = false;
}

void MasterSection::TakeTypedValue() {
    std::string name = CurrentName();
    ElementType type;
    if (filling_ || !TheEngine().Types().Find(name, type) || type.valueName.empty())
        return;
    char text[32] = {};
    GetWindowTextA(valueEdit_, text, sizeof text);
    TheEngine().Types().SetValue(name, std::int32_t(std::strtol(text, nullptr, 10)));
}

void MasterSection::ChoosePreset() {
    EngineServiceTable const *services = TheEngine().Services();
    std::string name = CurrentName();
    ElementType type;
    if (!services || !services->choosePlugInPreset || !TheEngine().Types().Find(name, type))
        return;
    PlugInPresetRecord record = {};
    record.size = sizeof record;
    record.maker = type.maker;
    record.value = type.value;
    char chosen[kPlugInTextSize] = {};
    choosingPreset_ = true;
    std::int32_t taken = services->choosePlugInPreset(window_, name.c_str(), &record, chosen);
    choosingPreset_ = false;
    if (taken) {
        TheEngine().Types().SetValue(name, record.value);
        ShowValueOfCurrent();
    }
}

// ---- the meter

void MasterSection::ReadMeter() {
    float peaks[2] = {};
    EngineState &engine = TheEngine();
    bool read = false;
    engine.WithQueue(engine.masterQueue, [&](AudioQueue &queue) { read = queue.TakeOutputPeaks(peaks); });
    if (!read && peaks_[0] == 0 && peaks_[1] == 0)
        return;
    peaks_[0] = peaks[0];
    peaks_[1] = peaks[1];
    InvalidateRect(window_, &kMeterRect, FALSE);
}

void MasterSection::PaintMeter(HDC dc) {
    RECT frame = kMeterRect;
    FillRect(dc, &frame, HBRUSH(GetStockObject(BLACK_BRUSH)));
    int height = (frame.bottom - frame.top - 6) / 2;
    for (int c = 0; c < 2; ++c) {
        RECT bar = {frame.left + 2, frame.top + 2 + c * (height + 2), 0, 0};
        bar.right = bar.left + int(MeterFraction(peaks_[c]) * (frame.right - frame.left - 4));
        bar.bottom = bar.top + height;
        HBRUSH brush = CreateSolidBrush(peaks_[c] >= 1.0f ? RGB(220, 40, 40) : RGB(40, 200, 60));
        FillRect(dc, &bar, brush);
        DeleteObject(brush);
    }
}

// ---- messages

LRESULT CALLBACK MasterSection::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *self = reinterpret_cast<MasterSection *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT MasterSection::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_TIMER: ReadMeter(); return 0;
    case WM_CLOSE: {
        // Closing only hides: the program closes the master section.
        Show(false);
        EngineState &engine = TheEngine();
        engine.WithQueue(engine.masterQueue, [](AudioQueue &queue) { queue.Post(kQueueHidden); });
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        PaintMeter(dc);
        EndPaint(window_, &paint);
        return 0;
    }
    default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void MasterSection::OnCommand(int id, int code) {
    EngineServiceTable const *services = TheEngine().Services();
    switch (id) {
    case kListId:
        if (code == LBN_SELCHANGE && !filling_)
            ShowValueOfCurrent();
        break;
    case kValueEditId:
        if (code == EN_CHANGE)
            TakeTypedValue();
        break;
    case kPresetsId: ChoosePreset(); break;
    case kApplyId:
        if (services && services->postAudioQueueDone)
            services->postAudioQueueDone();
        break;
    default: break;
    }
}
