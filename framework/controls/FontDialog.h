// The system's font dialog as a framework dialog, the library's variant that disables
// the application's other top-level windows, and the default logical font with its
// storage in the settings store.
#pragma once

#include "controls/CommonDialog.h"

#include "core/Color.h"

#include <commdlg.h>

class Config;

class VELTRANE_API TChooseFontDialog : public TCommonDialog {
public:
    class VELTRANE_API TData {
    public:
        TData();

        unsigned long Flags;
        unsigned long Error;
        HDC DC;               // whose fonts are listed, or none
        LOGFONTA LogFont;     // filled in place by the system
        int PointSize;        // tenths of a point
        TColor Color;
        char *Style;          // style name buffer, or null
        unsigned short FontType;
        int SizeMin;
        int SizeMax;
    };

    TChooseFontDialog(TWindow *parent, TData &data, TResId templateId = 0, char const *title = 0,
                      TModule *module = 0);

    TData &GetData() { return Data; }
    void SetData(TData const &data) { Data = data; }
    CHOOSEFONTA &GetCF() { return Cf; }
    void SetCF(CHOOSEFONTA const &cf) { Cf = cf; }

    int DialogFunction(uint msg, WPARAM wParam, LPARAM lParam) override;
    int DoExecute() override;

protected:
    void CmFontApply() { DefaultProcessing(); }

    CHOOSEFONTA Cf;
    TData &Data;

    DECLARE_RESPONSE_TABLE(TChooseFontDialog);
};

// Runs while the application's other top-level windows are disabled.
class VELTRANE_API FontDialog : public TChooseFontDialog {
public:
    FontDialog(TWindow *parent, TData &data, int templateId = 0, char const *title = 0, TModule *module = 0);
    int DoExecute() override;
};

// Height -8, weight 400, quality 2, face "Small Fonts", everything else 0.
VELTRANE_API void InitLogicalFont(LOGFONTA &font);
// "Height", "Weight", "Flags" (italic 1, underline 2, strike-out 4) and "Name", in the
// group of that name and index when a group is given.
VELTRANE_API void ReadFont(Config &config, char const *group, int index, LOGFONTA &font);
VELTRANE_API void WriteFont(Config &config, char const *group, int index, LOGFONTA &font);
