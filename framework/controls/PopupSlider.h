// The pop-up slider of spin edits: a small borderless window beside a spin edit holding
// one or more sliders, each moving one digit of the value (fine sliders) or the whole
// range (the master slider). It closes as soon as the focus leaves its sliders or a key
// reaches it. Without a spin edit it reports one slider's value through call-backs.
#pragma once

#include "controls/SpinSliderFactory.h"

#include "core/Window.h"

class Config;
class TSpinEdit;
class TRangeSpinEdit;
class TListSpinEdit;

class VELTRANE_API PopupSlider : public TWindow {
public:
    enum { MasterId = 10000, FirstFineId = 10001, LastFineId = 10010 };

    // Opens the pop-up beside the spin edit (inside a new PopupFrame).
    static PopupSlider *CreateInstance(TSpinEdit *spinEdit, int horizontal, int autoCustom);
    // Call-back mode: one slider from min to max, centred on the screen.
    static PopupSlider *CreateInstance(int value, int min, int max, void (*change)(int), void (*end)(),
                                       int horizontal);
    // "HSlider" (index 0) of the store's current group.
    static void LoadPref(Config &config);
    static void SavePref(Config &config);
    // The user's preference for horizontal sliders.
    static int _horizontal;

    PopupSlider(TSpinEdit *spinEdit, int horizontal, int autoCustom);
    PopupSlider(int value, int min, int max, void (*change)(int), void (*end)(), int horizontal);
    ~PopupSlider() override;

    int GetSliderCount() const { return Count; }
    Slider *GetSlider(int index) const { return Sliders[index]; }
    SpinSliderFactory *GetDescription(int index) const { return Descriptions[index]; }
    int GetMasterIndex() const { return MasterIndex; }
    int IsVertical() const { return Vertical; }
    // What slider i shows for the edit's present value.
    int GetPositionFromValue(int index);
    void UpdateSpinControl0(uint code);
    void UpdateSpinControl(uint code);
    // The pop-up never disables sliders.
    void DisableSliders() {}

    char const *GetClassNameA() override;
    void SetupWindow() override;
    int HoldFocusHWnd(HWND lose, HWND get) override;
    void CloseWindow(int retVal = 0) override;

protected:
    void EvKeyDown(uint key, uint repeatCount, uint flags);
    void EvSysKeyDown(uint key, uint repeatCount, uint flags);
    void EvKillFocus(WPARAM hWndGetFocus);

private:
    void Init(int horizontal, int autoCustom);
    void Show(double value);
    int IsSlider(HWND hwnd) const;
    int SliderIndex(Slider const *slider) const;
    static PopupSlider *Open(PopupSlider *popup);

    TSpinEdit *SpinEdit;
    TRangeSpinEdit *RangeEdit;
    TListSpinEdit *ListEdit;
    List<SpinSliderFactory> Descriptions;
    List<Slider> Sliders;
    int MasterIndex;
    int Vertical;
    int Count;
    int CallbackValue;
    int CallbackMin;
    int CallbackMax;
    void (*Change)(int);
    void (*End)();
    int Closing;

    DECLARE_RESPONSE_TABLE(PopupSlider);
};
