#include "controls/SpinEdit.h"

#include "controls/Dialog.h"
#include "controls/PopupSlider.h"
#include "controls/Spinner.h"

#include "foundation/MessageCatalogue.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
int const TextMax = 99;
int const MenuCap = SpinMenuLast - SpinMenuFirst + 1;
double const MenuSlack = 1e-7;  // a menu value this far past the end still counts as the end
char const Empty[] = "";
}  // namespace

// ---- TSpinAttr

TSpinAttr::TSpinAttr()
    : format(Empty), decimals(0), increment(1.0), largeIncrement(5.0), low(0), high(100), initial(0),
      matchOnLeaving(1), showMenu(0), initialized(0), sliders(0), horizontalFaders(0), verticalFaders(0),
      sliderAutoCustom(1), fittingRule(0) {}

TSpinAttr::TSpinAttr(TSpinAttr const &other) : sliders(0) { *this = other; }

TSpinAttr &TSpinAttr::operator=(TSpinAttr const &other) {
    if (this == &other)
        return *this;
    format = other.format;
    decimals = other.decimals;
    increment = other.increment;
    largeIncrement = other.largeIncrement;
    low = other.low;
    high = other.high;
    initial = other.initial;
    matchOnLeaving = other.matchOnLeaving;
    showMenu = other.showMenu;
    initialized = other.initialized;
    horizontalFaders = other.horizontalFaders;
    verticalFaders = other.verticalFaders;
    sliderAutoCustom = other.sliderAutoCustom;
    fittingRule = other.fittingRule;
    delete sliders;
    sliders = 0;
    if (other.sliders) {
        sliders = new List<SpinSliderFactory>(1);
        for (SpinSliderFactory *f = other.sliders->GetFirst(); f; f = other.sliders->GetNext(f))
            sliders->Append(new SpinSliderFactory(*f));
    }
    return *this;
}

TSpinAttr::~TSpinAttr() { delete sliders; }

void TSpinAttr::SetFormat(char const *f) {
    if (!f) {
        format = Empty;
        decimals = 0;
        increment = 1.0;
    } else {
        format = f;
        decimals = f[0] == '.' ? std::atoi(f + 1) : 0;
        increment = std::pow(10.0, -decimals);
    }
    largeIncrement = 5 * increment;
}

void TSpinAttr::SetRange(double l, double h) {
    low = l;
    high = h;
    initial = l;
}

void TSpinAttr::AddSlider(int l, int h, double scale, Slider::Color color) {
    if (!sliders)
        sliders = new List<SpinSliderFactory>(1);
    sliders->Prepend(new SpinSliderFactory(l, h, scale, 0, color));
}

void TSpinAttr::ClearSliders() {
    delete sliders;
    sliders = 0;
}

void TSpinAttr::AddMasterSlider(Slider::Color color) {
    double range = high - low, scale = 1;
    long min = long(low), max = long(high);
    if (range > 32767) {
        scale = std::floor(range / 32767 + 1);
        min = long(low / scale) - 1;
        max = long(high / scale) + 1;
    }
    if (!sliders)
        sliders = new List<SpinSliderFactory>(1);
    sliders->Prepend(new SpinSliderFactory(int(min), int(max), scale, 1, color));
}

// ---- TSpinEdit

DEFINE_RESPONSE_TABLE1(TSpinEdit, TEdit)
    EV_WM_CHAR,
    EV_WM_KEYDOWN,
    YRT_ROW(WM_KEYUP, 0, v_U_U_U, EvKeyUp),
    EV_WM_KILLFOCUS,
    EV_WM_RBUTTONDOWN,
    EV_MESSAGE(WM_ENABLE, EvEnable, v_B),
    EV_WM_MOVE,
END_RESPONSE_TABLE;

TSpinEdit::TSpinEdit(TWindow *parent, int id, char const *text, int x, int y, int w, int h, uint textLimit,
                     TModule *module)
    : TEdit(parent, id, text, x, y, w, h, textLimit, 0, module), Spinner(0), HasOrigin(0) {
    MakeSpinner();
}

TSpinEdit::TSpinEdit(TWindow *parent, int resourceId, uint textLimit, TModule *module)
    : TEdit(parent, resourceId, textLimit, module), Spinner(0), HasOrigin(0) {
    MakeSpinner();
}

void TSpinEdit::MakeSpinner() {
    Spinner = new TSpinner(Parent, this, 0, 0, 0, 0, 0, TModule::_commonResourceDLL);
    if (GetId() <= 0)
        Spinner->DisableAutoCreate();  // made in this edit's own set-up
}

TSpinEdit::~TSpinEdit() {
    if (Spinner && Spinner->GetSpinEdit() == this)
        Spinner->SpinEdit = 0;
}

String TSpinEdit::GetFormat() {
    char const *f = Attr_.format ? Attr_.format : Empty;
    String result("%");
    if (f[0] == '.') {
        char const *p = f + 1;
        while (std::isdigit((unsigned char)*p))
            p++;
        result += String(f, 0, (unsigned long)(p - f));
        result += "f";
        f = p;
    } else {
        result += "ld";
    }
    // the unit text is printed as it stands: a "%" in it must not read arguments
    for (; *f; f++)
        result += *f == '%' ? "%%" : String(f, 0, 1);
    return result;
}

void TSpinEdit::EnableButton(int button, int enable) {
    if (Spinner)
        Spinner->EnableButton(button, enable);
}

double TSpinEdit::StepFor(int ctrl, int shift) {
    if (ctrl && shift)
        return Attr_.high;
    return ctrl ? Attr_.largeIncrement : GetIncrement();
}

String TSpinEdit::CurrentText() const {
    if (!HWindow)
        return Kept;
    char text[TextMax + 1] = "";
    GetWindowTextA(text, sizeof text);
    return String(text);
}

void TSpinEdit::SetupWindow() {
    TEdit::SetupWindow();
    // (also when the parent's children were made before this edit was added)
    if (Spinner && !Spinner->GetHandle())
        Spinner->Create();
    RECT r;
    ::GetWindowRect(HWindow, &r);
    ::MapWindowPoints(0, GetParentH(), (POINT *)&r, 1);
    LastOrigin = TPoint(r.left, r.top);
    HasOrigin = 1;
}

void TSpinEdit::CleanupWindow() {
    Kept = CurrentText();
    if (GetId() <= 0 && Spinner && Spinner->GetHandle())
        Spinner->Destroy();
    HasOrigin = 0;
    TEdit::CleanupWindow();
}

void TSpinEdit::EvChar(uint key, uint repeatCount, uint flags) {
    TEdit::EvChar(key, repeatCount, flags);
    AssessEnable();
}

void TSpinEdit::EvKeyDown(uint key, uint repeatCount, uint flags) {
    if (key == VK_UP || key == VK_DOWN) {
        double step = StepFor(::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_SHIFT) < 0);
        if (key == VK_UP)
            SpinUp(step);
        else
            SpinDown(step);
        return;
    }
    TEdit::EvKeyDown(key, repeatCount, flags);
    AssessEnable();
}

void TSpinEdit::EvKeyUp(uint, uint, uint) {
    DefaultProcessing();
    AssessEnable();
}

void TSpinEdit::EvKillFocus(WPARAM hWndGetFocus) {
    TEdit::EvKillFocus(hWndGetFocus);
    if (Attr_.matchOnLeaving)
        WhenLeaving();
}

void TSpinEdit::EvRButtonDown(uint, TPoint &) { OpenPopup(::GetKeyState(VK_CONTROL) < 0); }

void TSpinEdit::OpenPopup(int ctrlDown) {
    if (Attr_.showMenu && !ctrlDown) {
        ShowPopupMenu();
    } else if (OnOpen()) {
        int horizontal = Attr_.GetHorizontalFaders() || Attr_.GetVerticalFaders() ? Attr_.GetHorizontalFaders()
                                                                                  : PopupSlider::_horizontal;
        PopupSlider::CreateInstance(this, horizontal, Attr_.GetSliderAutoCustom());
    }
}

void TSpinEdit::EvEnable(int enabled) {
    DefaultProcessing();
    if (Spinner && Spinner->GetHandle())
        ::EnableWindow(Spinner->GetHandle(), enabled);
    AssessEnable();
}

void TSpinEdit::EvMove(TPoint &clientOrigin) {
    DefaultProcessing();
    RECT r;
    ::GetWindowRect(HWindow, &r);
    ::MapWindowPoints(0, GetParentH(), (POINT *)&r, 1);
    TPoint origin(r.left, r.top);
    if (HasOrigin && !Dialog::_preventAutoLinkMove && Spinner)
        Spinner->MoveSpinner(origin.x - LastOrigin.x, origin.y - LastOrigin.y);
    LastOrigin = origin;
    HasOrigin = 1;
    (void)clientOrigin;
}

void TSpinEdit::AppendMenuItem(HMENU menu, int index, char const *text, int checked) {
    int perColumn = ::GetSystemMetrics(SM_CYSCREEN) / ::GetSystemMetrics(SM_CYCAPTION);
    uint flags = MF_STRING | (checked ? MF_CHECKED : 0);
    if (perColumn > 0 && index && index % perColumn == 0)
        flags |= MF_MENUBARBREAK;
    ::AppendMenuA(menu, flags, SpinMenuFirst + index, text);
}

void TSpinEdit::TrackMenu(HMENU menu) {
    POINT p;
    ::GetCursorPos(&p);
    ::TrackPopupMenu(menu, TPM_CENTERALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, HWindow, 0);
    ::DestroyMenu(menu);
}

// ---- TRangeSpinEdit

TRangeSpinEdit::TRangeSpinEdit(TWindow *parent, int id, char const *text, int x, int y, int w, int h,
                               uint textLimit, TModule *module)
    : TSpinEdit(parent, id, text, x, y, w, h, textLimit, module) {}

TRangeSpinEdit::TRangeSpinEdit(TWindow *parent, int resourceId, uint textLimit, TModule *module)
    : TSpinEdit(parent, resourceId, textLimit, module) {}

void TRangeSpinEdit::SetupWindow() {
    TSpinEdit::SetupWindow();
    SetValue(Attr_.initial, 0);
    Attr_.initialized = 1;
}

double TRangeSpinEdit::Parse(char const *text) { return std::atof(text); }

String TRangeSpinEdit::GetValueText(double value) {
    String format = GetFormat();
    char text[TextMax + 1] = "";
    if (format.GetLength() > 1 && format.c_str()[1] == '.')
        std::snprintf(text, sizeof text, format.c_str(), value);
    else
        std::snprintf(text, sizeof text, format.c_str(), long(value));
    return String(text);
}

double TRangeSpinEdit::GetCurrentValue(int *inRange) {
    double value = Parse(CurrentText().c_str());
    if (inRange) {
        *inRange = Attr_.low <= value && value <= Attr_.high;
        return value;
    }
    return value < Attr_.low ? Attr_.low : value > Attr_.high ? Attr_.high : value;
}

void TRangeSpinEdit::GetValue(double *v) { *v = GetCurrentValue(); }

void TRangeSpinEdit::SetValue(double value, int select) {
    String text = GetValueText(value);
    if (HWindow) {
        SetWindowTextA(text.c_str());
        if (select)
            SetSelection(0, UINT_MAX);
    } else {
        Kept = text;  // shown when the window comes
    }
    AssessEnable();
}

void TRangeSpinEdit::SpinUp(double step) { StepBy(step, 1); }

void TRangeSpinEdit::SpinDown(double step) { StepBy(step, 0); }

// Steps from the typed value: a value outside the range first comes back to its end.
void TRangeSpinEdit::StepBy(double step, int up) {
    int inRange;
    double cur = GetCurrentValue(&inRange);
    if (cur < Attr_.low)
        SetValue(Attr_.low, 1);
    else if (cur > Attr_.high)
        SetValue(Attr_.high, 1);
    else if (cur == (up ? Attr_.high : Attr_.low))
        AssessEnable();
    else if (up)
        SetValue(cur + step < Attr_.high ? cur + step : Attr_.high, 1);
    else
        SetValue(cur - step > Attr_.low ? cur - step : Attr_.low, 1);
}

void TRangeSpinEdit::AssessEnable() {
    double cur = GetCurrentValue();
    Attr_.initial = cur;
    int enabled = HWindow && IsWindowEnabled();
    EnableButton(1, enabled && Attr_.high > cur);
    EnableButton(0, enabled && cur > Attr_.low);
}

void TRangeSpinEdit::WhenLeaving() { SetValue(GetCurrentValue(), 1); }

HMENU TRangeSpinEdit::BuildPopupMenu() {
    HMENU menu = ::CreatePopupMenu();
    double inc = GetIncrement(), half = inc / 2, cur = GetCurrentValue();
    if (inc <= 0)
        return menu;
    // each value computed afresh: summed steps drift and would add a choice past the end;
    // the end is the one the menu command accepts, so that every item can be chosen
    for (int index = 0; index < MenuCap; index++) {
        double v = Attr_.low + inc * index;
        if (v > Attr_.high + MenuSlack)
            break;
        AppendMenuItem(menu, index, GetValueText(v).c_str(), cur - half < v && v < cur + half);
    }
    return menu;
}

void TRangeSpinEdit::ShowPopupMenu() { TrackMenu(BuildPopupMenu()); }

LRESULT TRangeSpinEdit::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (id >= SpinMenuFirst && id <= SpinMenuLast) {
        double v = Attr_.low + GetIncrement() * (id - SpinMenuFirst);
        if (Attr_.low <= v && v <= Attr_.high + MenuSlack) {
            SetValue(v, 1);
            return 0;
        }
    }
    return TSpinEdit::EvCommand(id, hWndCtl, notifyCode);
}

// ---- TListSpinEdit

TListSpinEdit::TListSpinEdit(TWindow *parent, int id, char const *text, int x, int y, int w, int h,
                             uint textLimit, TModule *module)
    : TSpinEdit(parent, id, text, x, y, w, h, textLimit, module), Entries(19, 0, 20), Table(0) {
    Attr_.showMenu = 1;
}

TListSpinEdit::TListSpinEdit(TWindow *parent, int resourceId, uint textLimit, TModule *module)
    : TSpinEdit(parent, resourceId, textLimit, module), Entries(19, 0, 20), Table(0) {
    Attr_.showMenu = 1;
}

void TListSpinEdit::SetupWindow() {
    TSpinEdit::SetupWindow();
    SetValue(int(Attr_.initial), 0);
    Attr_.initialized = 1;
}

void TListSpinEdit::AddString(int messageId) { AddString(String(FindString(unsigned(messageId))).c_str()); }

void TListSpinEdit::AddString(char const *text) { Entries.Add(String(text ? text : "")); }

void TListSpinEdit::RegisterEntries(SpinListData const *table) {
    Table = table;
    for (SpinListData const *row = table; row && row->text; row++)
        AddString(row->text);
}

int TListSpinEdit::GetCurrentValue(int *exact) {
    String text = CurrentText();
    char upper[TextMax + 1];
    lstrcpynA(upper, text.c_str(), sizeof upper);
    ::CharUpperA(upper);
    int count = GetNumItems();
    for (int i = 0; i < count; i++)
        if (lstrcmpiA(Entries[i].c_str(), upper) == 0) {
            if (exact)
                *exact = 1;
            return i;
        }
    if (exact)
        *exact = 0;
    for (int i = 0; i < count; i++) {
        char entry[TextMax + 1];
        lstrcpynA(entry, Entries[i].c_str(), sizeof entry);
        ::CharUpperA(entry);
        if (std::strstr(entry, upper))
            return i;
    }
    return 0;
}

int TListSpinEdit::GetIndexedValue(int *exact) {
    int isExact;
    int index = GetCurrentValue(&isExact);
    if (exact)
        *exact = isExact;
    if (!Table)
        return 0;
    int rows = 0;
    while (Table[rows].text)
        rows++;
    if (!isExact)
        index = 0;
    return index < rows ? Table[index].value : 0;
}

void TListSpinEdit::SetValue(int index, int select, int) {
    if (index >= 0 && index < GetNumItems()) {
        if (HWindow) {
            SetWindowTextA(Entries[index].c_str());
            if (select)
                SetSelection(0, UINT_MAX);
        } else {
            Kept = Entries[index];
        }
    }
    AssessEnable();
}

void TListSpinEdit::SpinUp(double step) {
    int index = GetCurrentValue(), count = GetNumItems();
    if (index < count - 1) {
        int next = index + int(step);
        SetValue(next < count - 1 ? next : count - 1, 1);
    } else {
        AssessEnable();
    }
}

void TListSpinEdit::SpinDown(double step) {
    int index = GetCurrentValue();
    if (index > 0) {
        int next = index - int(step);
        SetValue(next > 0 ? next : 0, 1);
    } else {
        AssessEnable();
    }
}

void TListSpinEdit::AssessEnable() {
    int exact;
    int index = GetCurrentValue(&exact);
    Attr_.initial = exact ? index : -1;
    int enabled = HWindow && IsWindowEnabled() && exact;
    EnableButton(0, enabled && index > 0);
    EnableButton(1, enabled && index + 1 < GetNumItems());
}

HMENU TListSpinEdit::BuildPopupMenu() {
    HMENU menu = ::CreatePopupMenu();
    int current = GetCurrentValue();
    for (int i = 0; i < GetNumItems() && i < MenuCap; i++)
        AppendMenuItem(menu, i, Entries[i].c_str(), i == current);
    return menu;
}

void TListSpinEdit::ShowPopupMenu() { TrackMenu(BuildPopupMenu()); }

LRESULT TListSpinEdit::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (id >= SpinMenuFirst && id <= SpinMenuLast && int(id - SpinMenuFirst) < GetNumItems()) {
        SetValue(int(id - SpinMenuFirst), 1);
        return 0;
    }
    return TSpinEdit::EvCommand(id, hWndCtl, notifyCode);
}
