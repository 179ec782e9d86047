#include "controls/PopupSlider.h"

#include "controls/SpinEdit.h"

#include "core/DrawHelpers.h"
#include "core/FloatingFrame.h"
#include "core/WindowFlags.h"

#include "foundation/Config.h"

#include <cmath>
#include <cstdlib>

int PopupSlider::_horizontal = 0;

DEFINE_RESPONSE_TABLE1(PopupSlider, TWindow)
    EV_WM_KEYDOWN,
    YRT_ROW(WM_SYSKEYDOWN, 0, v_U_U_U, EvSysKeyDown),
    EV_WM_KILLFOCUS,
    EV_CHILD_NOTIFY_ALL_CODES(10000, UpdateSpinControl0),
    EV_CHILD_NOTIFY_ALL_CODES(10001, UpdateSpinControl),
    EV_CHILD_NOTIFY_ALL_CODES(10002, UpdateSpinControl),
    EV_CHILD_NOTIFY_ALL_CODES(10003, UpdateSpinControl),
    EV_CHILD_NOTIFY_ALL_CODES(10004, UpdateSpinControl),
    EV_CHILD_NOTIFY_ALL_CODES(10005, UpdateSpinControl),
    EV_CHILD_NOTIFY_ALL_CODES(10006, UpdateSpinControl),
    EV_CHILD_NOTIFY_ALL_CODES(10007, UpdateSpinControl),
    EV_CHILD_NOTIFY_ALL_CODES(10008, UpdateSpinControl),
    EV_CHILD_NOTIFY_ALL_CODES(10009, UpdateSpinControl),
    EV_CHILD_NOTIFY_ALL_CODES(10010, UpdateSpinControl),
END_RESPONSE_TABLE;

namespace {
// Thumb bitmaps by colour: vertical, horizontal.
int ThumbBitmap(SpinSliderFactory const *d, int vertical) {
    int v = 22014, h = 22020;
    if (d) {
        switch (d->color) {
        case 1: v = 22013, h = 22019; break;
        case 2: v = 22014, h = 22020; break;
        case 3: v = 22016, h = 22022; break;
        case 4: v = 22015, h = 22021; break;
        case 5: v = 22017, h = 22023; break;
        case 6: v = 22018, h = 22024; break;
        default:
            if (d->master)
                v = 22015, h = 22021;
            else if (d->scale < 1)
                v = 22016, h = 22022;
        }
    }
    return vertical ? v : h;
}
}  // namespace

PopupSlider::PopupSlider(TSpinEdit *spinEdit, int horizontal, int autoCustom)
    : TWindow((TWindow *)0, 0, 0), SpinEdit(spinEdit), RangeEdit(dynamic_cast<TRangeSpinEdit *>(spinEdit)),
      ListEdit(dynamic_cast<TListSpinEdit *>(spinEdit)), Descriptions(1), Sliders(1), MasterIndex(-1),
      Vertical(!horizontal), Count(0), CallbackValue(0), CallbackMin(0), CallbackMax(0), Change(0), End(0),
      Closing(0) {
    Init(horizontal, autoCustom);
}

PopupSlider::PopupSlider(int value, int min, int max, void (*change)(int), void (*end)(), int horizontal)
    : TWindow((TWindow *)0, 0, 0), SpinEdit(0), RangeEdit(0), ListEdit(0), Descriptions(1), Sliders(1),
      MasterIndex(-1), Vertical(!horizontal), Count(0), CallbackValue(value), CallbackMin(min), CallbackMax(max),
      Change(change), End(end), Closing(0) {
    Init(horizontal, 0);
}

// The sliders go before the window base: each takes itself off the child list.
PopupSlider::~PopupSlider() { Sliders.DeleteAll(); }

char const *PopupSlider::GetClassNameA() { return "PopupSlider"; }

void PopupSlider::Init(int horizontal, int autoCustom) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    SetBkgndColor(TColor::Sys3dFace);
    Vertical = !horizontal;
    TSpinAttr const *attr = SpinEdit ? &SpinEdit->GetAttr() : 0;
    List<SpinSliderFactory> const *source = attr ? attr->GetSliders() : 0;
    int count = source ? source->GetCount() : 1;
    double editLow = attr ? attr->GetLow() : 0, editHigh = attr ? attr->GetHigh() : 0;
    int fitted = 0;
    SpinSliderFactory const *d = source ? source->GetFirst() : 0;
    for (int j = 0; j < count; j++, d = source ? source->GetNext(d) : 0) {
        int low, high;
        SpinSliderFactory copy;
        if (d) {
            copy = *d;
            low = d->low, high = d->high;
            if (d->master) {
                MasterIndex = Count;
            } else if (autoCustom && count > 1 && !fitted && j != count - 1) {
                double length = editHigh - editLow;
                if (!(attr->GetFittingRule() ? length >= d->scale : length >= 10 * d->scale))
                    continue;
                high = int(long(editHigh / d->scale + 1e-8));
                if (high < 1)
                    high = 1;
                if (editLow < 0) {
                    low = int(long(editLow / d->scale - 1e-8));
                    if (low > -1)
                        low = -1;
                } else if (low < 0) {
                    low = 0;
                }
                fitted = 1;
            }
        } else if (RangeEdit) {
            low = int(long(editLow)), high = int(long(editHigh));
        } else if (ListEdit) {
            low = 0, high = ListEdit->GetNumItems() - 1;
        } else {
            low = CallbackMin, high = CallbackMax;
        }
        if (high <= low)  // also an empty entry list
            high = low + 1;
        copy.low = low, copy.high = high;
        int id = !d || d->master ? int(MasterId) : FirstFineId + Count;
        Slider *slider;
        TModule *common = TModule::_commonResourceDLL;
        if (Vertical)
            slider = new VerticalSlider(this, id, 0, 0, 30, 200, ThumbBitmap(d, 1), common);
        else
            slider = new HorizontalSlider(this, id, 0, 0, 200, 19, ThumbBitmap(d, 0), common);
        slider->SetSlotStyle(1, 3, 3, 3);
        slider->SetPlusMinus(1, 7);
        if (high - low <= 40)
            slider->SetRuler(1, 1, 0, Vertical ? 30 : 40);
        else
            slider->SetRuler((high - low) / 20, 0, 0, Vertical ? 30 : 40);
        slider->SetRange(low, high);
        Descriptions.Append(new SpinSliderFactory(copy));
        Sliders.Append(slider);
        Count++;
        slider->SetValue(SpinEdit ? GetPositionFromValue(Count - 1) : CallbackValue);
    }
}

int PopupSlider::GetPositionFromValue(int index) {
    if (ListEdit)
        return ListEdit->GetCurrentValue();
    if (!RangeEdit)
        return CallbackValue;
    SpinSliderFactory const *d = Descriptions[index];
    double cur = RangeEdit->GetCurrentValue();
    TSpinAttr const &attr = RangeEdit->GetAttr();
    // a slider without description covers the range like the master
    if (attr.GetSliders() && !d->master) {
        if (d->scale < 1)
            return int(std::fabs(cur) / d->scale + 1e-7) % 10;
        if (d->low < 0)
            return int(cur / d->scale);
        return std::abs(int(cur / d->scale)) % (d->high + 1);
    }
    int low = d->low, high = d->high;
    double span = attr.GetHigh() - attr.GetLow();
    return span ? int(low + (cur - attr.GetLow()) * (high - low) / span) : low;
}

void PopupSlider::Show(double value) {
    TSpinAttr const &attr = RangeEdit->GetAttr();
    if (value < attr.GetLow())
        value = attr.GetLow();
    if (value > attr.GetHigh())
        value = attr.GetHigh();
    if (value != RangeEdit->GetCurrentValue()) {
        RangeEdit->SetValue(value, 0);
        if (RangeEdit->GetHandle())
            RangeEdit->UpdateWindow();
    }
}

void PopupSlider::UpdateSpinControl0(uint code) {
    int master = MasterIndex >= 0 ? MasterIndex : 0;
    Slider *slider = Sliders[master];
    if (!slider)
        return;
    if (ListEdit) {
        if (slider->GetValue() != ListEdit->GetCurrentValue())
            ListEdit->SetValue(slider->GetValue(), 0);
    } else if (!SpinEdit) {
        if (Change)
            Change(slider->GetValue());
    } else if (RangeEdit) {
        TSpinAttr const &attr = RangeEdit->GetAttr();
        int minPos, maxPos;
        slider->GetRange(minPos, maxPos);
        int pos = slider->GetPosition(), v = slider->GetValue();
        double value = pos == minPos ? attr.GetLow()
                       : pos == maxPos ? attr.GetHigh()
                                       : (attr.GetHigh() - attr.GetLow()) * v / (maxPos - minPos);
        Show(value);
    }
    if (code == SB_ENDSCROLL)
        for (int i = 0; i < Count; i++)
            if (i != master)
                Sliders[i]->SetValue(GetPositionFromValue(i));
}

void PopupSlider::UpdateSpinControl(uint code) {
    if (!RangeEdit)
        return;
    double sum = 0;
    int first = 1;
    for (int i = 0; i < Count; i++) {
        if (i == MasterIndex)
            continue;
        double term = Sliders[i]->GetValue() * Descriptions[i]->scale;
        sum = first || sum >= 0 ? sum + term : sum - term;
        first = 0;
    }
    Show(sum);
    if (code == SB_ENDSCROLL && MasterIndex >= 0)
        Sliders[MasterIndex]->SetValue(GetPositionFromValue(MasterIndex));
}

void PopupSlider::SetupWindow() {
    TWindow::SetupWindow();
    if (!Count)
        return;
    int s = GetDialogUnitsX(2), m = GetDialogUnitsX(6);
    TRect client = Sliders[0]->GetClientRect();
    int w = client.Width(), h = client.Height(), n = Count;
    int width = Vertical ? (s + w) * n + s + 4 : 2 * s + w;
    int height = Vertical ? 2 * s + h : (s + h) * n + s + 4;
    int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    int x, y, masterFirst = 1;
    if (SpinEdit && SpinEdit->GetHandle()) {
        TRect edit = SpinEdit->GetWindowRect();
        if (Vertical) {
            x = edit.left - m - width;
            if (x < m)
                x = edit.right + m;
            masterFirst = x >= edit.right;
            y = edit.top + edit.Height() / 2 - height / 2;
            if (y + height > screenH - m)
                y = screenH - m - height;
            if (y < m)
                y = m;
        } else {
            x = edit.left + edit.Width() / 2 - width / 2;
            if (x + width > screenW - m)
                x = screenW - m - width;
            if (x < m)
                x = m;
            y = edit.bottom + m;
            if (y + height > screenH - m)
                y = edit.top - m - height;
            masterFirst = y >= edit.bottom;
        }
    } else {
        x = (screenW - width) / 2;
        y = (screenH - height) / 2;
    }
    if (MasterIndex >= 0) {
        Slider *slider = Sliders[MasterIndex];
        SpinSliderFactory *d = Descriptions[MasterIndex];
        Sliders.Detach(slider);
        Descriptions.Detach(d);
        if (masterFirst) {
            Sliders.Prepend(slider), Descriptions.Prepend(d);
            MasterIndex = 0;
        } else {
            Sliders.Append(slider), Descriptions.Append(d);
            MasterIndex = n - 1;
        }
    }
    for (int i = 0; i < n; i++)
        Sliders[i]->SetWindowPos(0, Vertical ? s + 1 + i * (s + w) : s, Vertical ? s : s + 1 + i * (s + h), 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (Parent && Parent->GetHandle()) {
        // the frame keeps its rim round the pop-up, which lands at (x, y)
        TRect outer = Parent->GetWindowRect(), self = GetWindowRect();
        int dx = self.left - outer.left, dy = self.top - outer.top;
        Parent->SetWindowPos(HWND_TOPMOST, x - dx, y - dy, width + outer.Width() - self.Width(),
                             height + outer.Height() - self.Height(), SWP_NOACTIVATE);
    }
    SetWindowPos(0, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sliders[n - 1]->SetFocus();
}

int PopupSlider::IsSlider(HWND hwnd) const {
    for (Slider *s = Sliders.GetFirst(); s; s = Sliders.GetNext(s))
        if (hwnd && s->GetHandle() == hwnd)
            return 1;
    return 0;
}

int PopupSlider::HoldFocusHWnd(HWND, HWND get) {
    if (!IsSlider(get) && get != HWindow && HWindow)
        PostMessageA(WM_CLOSE);
    return 0;
}

void PopupSlider::EvKillFocus(WPARAM hWndGetFocus) {
    TWindow::EvKillFocus(hWndGetFocus);
    if (!IsSlider((HWND)hWndGetFocus))
        CloseWindow(0);
}

void PopupSlider::EvKeyDown(uint, uint, uint) { CloseWindow(0); }
void PopupSlider::EvSysKeyDown(uint, uint, uint) { CloseWindow(0); }

// Closing the pop-up closes its frame.
void PopupSlider::CloseWindow(int) {
    if (Closing)
        return;
    Closing = 1;
    if (End)
        End();
    if (Parent && Parent->GetHandle())
        Parent->PostMessageA(WM_CLOSE);
    else
        Destroy(0);
}

PopupSlider *PopupSlider::Open(PopupSlider *popup) {
    PopupFrame *frame = new PopupFrame(popup, 0, 0);
    frame->SetFlag(wfDeleteOnClose);
    if (!frame->Create()) {
        delete frame;
        return 0;
    }
    return popup;
}

PopupSlider *PopupSlider::CreateInstance(TSpinEdit *spinEdit, int horizontal, int autoCustom) {
    return Open(new PopupSlider(spinEdit, horizontal, autoCustom));
}

PopupSlider *PopupSlider::CreateInstance(int value, int min, int max, void (*change)(int), void (*end)(),
                                         int horizontal) {
    return Open(new PopupSlider(value, min, max, change, end, horizontal));
}

void PopupSlider::LoadPref(Config &config) { _horizontal = config.GetValue(0, "HSlider", 0); }
void PopupSlider::SavePref(Config &config) { config.SetValue(_horizontal, "HSlider", 0); }
