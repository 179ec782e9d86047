// The system's colour dialog as a framework dialog, the library's variant that disables
// the application's other top-level windows, the one-call colour question and the
// process-wide table of 16 custom colours kept in the settings store.
#pragma once

#include "controls/CommonDialog.h"

#include "core/Color.h"

#include <commdlg.h>

class Config;

class VELTRANE_API TChooseColorDialog : public TCommonDialog {
public:
    class VELTRANE_API TData {
    public:
        // allocate: the record owns 16 black custom colours; else the caller sets CustColors.
        TData(unsigned long flags = 0, int allocate = 0);
        TData(unsigned long flags, TColor const &color, int allocate = 0);
        // A copy shows and updates the same colours; a record that owns its colours
        // gives the copy a table of its own, so neither outlives the other's buffer.
        TData(TData const &src);
        TData &operator=(TData const &src);
        ~TData();

        unsigned long Flags;
        unsigned long Error;
        TColor Color;
        TColor *CustColors;

    private:
        void Own(TColor const *colors);
        TColor *OwnedColors;
    };

    TChooseColorDialog(TWindow *parent, TData &data, TResId templateId = 0, char const *title = 0,
                       TModule *module = 0);

    // Makes the open dialog select the colour.
    void SetRGBColor(TColor const &color);
    TData &GetData() { return Data; }
    void SetData(TData const &data);
    CHOOSECOLORA &GetCC() { return Cc; }
    void SetCC(CHOOSECOLORA const &cc) { Cc = cc; }

    static uint SetRGBMsgId;

    int DialogFunction(uint msg, WPARAM wParam, LPARAM lParam) override;
    int DoExecute() override;

protected:
    void EvSetRGBColor() { DefaultProcessing(); }

    CHOOSECOLORA Cc;
    TData &Data;

    DECLARE_RESPONSE_TABLE(TChooseColorDialog);
};

// Runs while the application's other top-level windows are disabled and opens at the
// top-left corner of its parent's client area.
class VELTRANE_API ChooseColorDialog : public TChooseColorDialog {
public:
    ChooseColorDialog(TWindow *parent, TData &data, int templateId = 0, char const *title = 0,
                      TModule *module = 0);
    int DoExecute() override;
    void SetupWindow() override;
};

// Asks for a colour, starting with the given one; non-zero (and the colour changed)
// when the user accepted one.
VELTRANE_API int AskColor(TWindow *parent, unsigned long &color);
// The custom colours as "C", "C1" .. "C15" in the group "CustomColors".
VELTRANE_API void ReadCustomColors(Config &config);
VELTRANE_API void WriteCustomColors(Config &config);
