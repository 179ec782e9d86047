// Spin edits: an edit control with the arrow control beside it. The arrows and the arrow
// keys step the value, the right button opens a menu of values or the pop-up slider.
// TRangeSpinEdit holds a number inside a closed range, TListSpinEdit steps through texts.
#pragma once

#include "controls/Edit.h"
#include "core/TArrays.h"
#include "controls/SpinSliderFactory.h"

#include "foundation/Strings.h"

class TSpinner;

// Menu choices of the value menus.
enum { SpinMenuFirst = 10000, SpinMenuLast = 10999 };

// The attributes of a spin edit. Set the format first: it resets both increments.
class VELTRANE_API TSpinAttr {
public:
    TSpinAttr();
    TSpinAttr(TSpinAttr const &other);
    TSpinAttr &operator=(TSpinAttr const &other);
    ~TSpinAttr();

    // ".2 dB" prints two decimals with " dB" behind; a text without the leading point an integer.
    void SetFormat(char const *format);
    void SetRange(int low, int high) { SetRange(double(low), double(high)); }
    void SetRange(double low, double high);
    void SetLow(int low) { this->low = low; }
    void SetLow(double low) { this->low = low; }
    void SetHigh(int high) { this->high = high; }
    void SetHigh(double high) { this->high = high; }
    void SetIncrement(int increment) { this->increment = increment; }
    void SetIncrement(double increment) { this->increment = increment; }
    void SetLargeIncrement(int increment) { largeIncrement = increment; }
    void SetLargeIncrement(double increment) { largeIncrement = increment; }
    void SetInitial(short v) { initial = v; }
    void SetInitial(unsigned short v) { initial = v; }
    void SetInitial(int v) { initial = v; }
    void SetInitial(unsigned int v) { initial = v; }
    void SetInitial(long v) { initial = v; }
    void SetInitial(unsigned long v) { initial = v; }
    void SetInitial(double v) { initial = v; }
    void SetMatchOnLeaving(int match) { matchOnLeaving = match; }
    void SetShowMenu(int show) { showMenu = show; }
    void UseHorizontalFaders(int use) { horizontalFaders = use; }
    void UseVerticalFaders(int use) { verticalFaders = use; }
    void SetSliderAutoCustom(int autoCustom) { sliderAutoCustom = autoCustom; }
    void SetFittingRule(int rule) { fittingRule = rule; }
    void SetInitialized(int done) { initialized = done; }
    // Descriptions go to the front of the list.
    void AddSlider(int low, int high, double scale, Slider::Color color);
    void AddMasterSlider(Slider::Color color);
    void ClearSliders();

    char const *GetFormat() const { return format; }
    int GetDecimals() const { return decimals; }
    double GetIncrement() const { return increment; }
    double GetLargeIncrement() const { return largeIncrement; }
    double GetLow() const { return low; }
    double GetHigh() const { return high; }
    double GetInitial() const { return initial; }
    int GetMatchOnLeaving() const { return matchOnLeaving; }
    int GetShowMenu() const { return showMenu; }
    int IsInitialized() const { return initialized; }
    int GetHorizontalFaders() const { return horizontalFaders; }
    int GetVerticalFaders() const { return verticalFaders; }
    int GetSliderAutoCustom() const { return sliderAutoCustom; }
    int GetFittingRule() const { return fittingRule; }
    // Null until the first description is added.
    List<SpinSliderFactory> *GetSliders() const { return sliders; }

    char const *format;
    int decimals;
    double increment;
    double largeIncrement;
    double low;
    double high;
    double initial;
    int matchOnLeaving;
    int showMenu;
    int initialized;

private:
    List<SpinSliderFactory> *sliders;
    int horizontalFaders;
    int verticalFaders;
    int sliderAutoCustom;
    int fittingRule;
};

class VELTRANE_API TSpinEdit : public TEdit, public ControlExtra {
    friend class TSpinner;

public:
    TSpinEdit(TWindow *parent, int id, char const *text, int x, int y, int w, int h, uint textLimit = 0,
              TModule *module = 0);
    TSpinEdit(TWindow *parent, int resourceId, uint textLimit = 0, TModule *module = 0);
    ~TSpinEdit() override;

    // 1: the pop-up slider may open.
    virtual int OnOpen() { return 1; }
    // The printf format of a value ("%.2f dB", "%ld ms", "%ld").
    virtual String GetFormat();
    virtual void ShowPopupMenu() = 0;
    virtual double GetIncrement() { return Attr_.increment; }
    virtual void SpinUp(double step) = 0;
    virtual void SpinDown(double step) = 0;
    virtual void AssessEnable() {}
    virtual void WhenLeaving() {}

    void EnableButton(int button, int enable);
    TSpinner *GetSpinner() const { return Spinner; }
    TSpinAttr &GetAttr() { return Attr_; }
    TSpinAttr const &GetAttr() const { return Attr_; }
    // The step of an arrow key or click under the given Ctrl and Shift states.
    double StepFor(int ctrl, int shift);
    // The right-button action: the value menu or the pop-up slider.
    void OpenPopup(int ctrlDown);

    int UseRightMouseButton() override { return 1; }
    void SetupWindow() override;
    void CleanupWindow() override;

protected:
    // The window text (at most 99 characters), or the kept copy without a window.
    String CurrentText() const;
    // Adds 10000 + index items; a column break every screen of items.
    static void AppendMenuItem(HMENU menu, int index, char const *text, int checked);
    void TrackMenu(HMENU menu);

    void EvChar(uint key, uint repeatCount, uint flags);
    void EvKeyDown(uint key, uint repeatCount, uint flags);
    void EvKeyUp(uint key, uint repeatCount, uint flags);
    void EvKillFocus(WPARAM hWndGetFocus);
    void EvRButtonDown(uint modKeys, TPoint &point);
    void EvEnable(int enabled);
    void EvMove(TPoint &clientOrigin);

    TSpinner *Spinner;
    TSpinAttr Attr_;
    String Kept;

private:
    void MakeSpinner();
    TPoint LastOrigin;
    int HasOrigin;

    DECLARE_RESPONSE_TABLE(TSpinEdit);
};

class VELTRANE_API TRangeSpinEdit : public TSpinEdit {
public:
    TRangeSpinEdit(TWindow *parent, int id, char const *text, int x, int y, int w, int h, uint textLimit = 0,
                   TModule *module = 0);
    TRangeSpinEdit(TWindow *parent, int resourceId, uint textLimit = 0, TModule *module = 0);

    void SetValue(double value, int select = 0);
    void SetValue(short v, int select = 0) { SetValue(double(v), select); }
    void SetValue(unsigned short v, int select = 0) { SetValue(double(v), select); }
    void SetValue(int v, int select = 0) { SetValue(double(v), select); }
    void SetValue(unsigned int v, int select = 0) { SetValue(double(v), select); }
    void SetValue(long v, int select = 0) { SetValue(double(v), select); }
    void SetValue(unsigned long v, int select = 0) { SetValue(double(v), select); }
    // Clamped to the range; integer kinds truncate toward zero.
    void GetValue(double *v);
    void GetValue(short *v) { *v = short(GetCurrentValue()); }
    void GetValue(unsigned short *v) { *v = (unsigned short)GetCurrentValue(); }
    void GetValue(int *v) { *v = int(GetCurrentValue()); }
    void GetValue(unsigned int *v) { *v = (unsigned int)GetCurrentValue(); }
    void GetValue(long *v) { *v = long(GetCurrentValue()); }
    void GetValue(unsigned long *v) { *v = (unsigned long)GetCurrentValue(); }
    // With inRange: the parsed value unchanged and whether it lies in the range; without: clamped.
    double GetCurrentValue(int *inRange = 0);
    virtual double Parse(char const *text);
    virtual String GetValueText(double value);

    // The value menu (items 10000 + index), as ShowPopupMenu tracks it; the caller destroys it.
    HMENU BuildPopupMenu();
    void ShowPopupMenu() override;
    void SpinUp(double step) override;
    void SpinDown(double step) override;
    void AssessEnable() override;
    void WhenLeaving() override;
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void SetupWindow() override;
private:
    // One step up or down, shared by both arrows.
    void StepBy(double step, int up);
};

// A row of an entry table; a table ends at a row whose text is null.
struct SpinListData {
    char const *text;
    int value;
};

class VELTRANE_API TListSpinEdit : public TSpinEdit {
public:
    TListSpinEdit(TWindow *parent, int id, char const *text, int x, int y, int w, int h, uint textLimit = 0,
                  TModule *module = 0);
    TListSpinEdit(TWindow *parent, int resourceId, uint textLimit = 0, TModule *module = 0);

    // By message number (the text from the language module).
    void AddString(int messageId);
    void AddString(char const *text);
    void RegisterEntries(SpinListData const *table);
    int GetNumItems() const { return int(Entries.GetItemsInContainer()); }
    String GetEntry(int index) { return Entries[index]; }
    void SetValue(int index, int select = 0, int = 0);
    void GetValue(int *index) { *index = GetCurrentValue(); }
    // The index of the text; exact when an entry equals it (ignoring case).
    int GetCurrentValue(int *exact = 0);
    // The table value of the current entry (of row 0 when not exact); 0 without a table.
    int GetIndexedValue(int *exact = 0);

    // The value menu (items 10000 + index), as ShowPopupMenu tracks it; the caller destroys it.
    HMENU BuildPopupMenu();
    void ShowPopupMenu() override;
    void SpinUp(double step) override;
    void SpinDown(double step) override;
    void AssessEnable() override;
    void WhenLeaving() override {}
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void SetupWindow() override;

private:
    TStringArray Entries;
    SpinListData const *Table;
};
