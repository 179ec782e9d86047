#include "controls/ColorDialog.h"

#include "core/Module.h"

#include "foundation/Config.h"

#include <cstring>

namespace {

enum { CustomCount = 16 };

TColor *CustomColorTable() {
    static TColor table[CustomCount] = {
        TColor(COLORREF(0x0000FF)), TColor(COLORREF(0xFFFF00)), TColor(COLORREF(0x00FF00)),
        TColor(COLORREF(0x000080)), TColor(COLORREF(0xFF0000)), TColor(COLORREF(0x808000)),
        TColor(COLORREF(0xF0FBFF)), TColor(COLORREF(0xC0C0C0)), TColor(COLORREF(0x00FFFF)),
        TColor(COLORREF(0xC0DCC0)), TColor(COLORREF(0x800000)), TColor(COLORREF(0x008000)),
        TColor(COLORREF(0x800080)), TColor(COLORREF(0xA4FFFF)), TColor(COLORREF(0x808080)),
        TColor(COLORREF(0xA4A0A0)),
    };
    return table;
}

}  // namespace

// ---- TChooseColorDialog::TData

TChooseColorDialog::TData::TData(unsigned long flags, int allocate)
    : Flags(flags), Error(0), Color(COLORREF(0)), CustColors(0), OwnedColors(0) {
    if (allocate)
        Own(0);
}

TChooseColorDialog::TData::TData(unsigned long flags, TColor const &color, int allocate)
    : Flags(flags), Error(0), Color(color), CustColors(0), OwnedColors(0) {
    if (allocate)
        Own(0);
}

TChooseColorDialog::TData::TData(TData const &src)
    : Flags(src.Flags), Error(src.Error), Color(src.Color), CustColors(src.CustColors), OwnedColors(0) {
    if (src.OwnedColors && src.CustColors == src.OwnedColors)
        Own(src.OwnedColors);
}

TChooseColorDialog::TData &TChooseColorDialog::TData::operator=(TData const &src) {
    if (this == &src)
        return *this;
    Flags = src.Flags, Error = src.Error, Color = src.Color;
    if (src.OwnedColors && src.CustColors == src.OwnedColors) {
        if (OwnedColors)
            std::memcpy(OwnedColors, src.OwnedColors, CustomCount * sizeof(TColor));
        else
            Own(src.OwnedColors);
        CustColors = OwnedColors;
    } else {
        CustColors = src.CustColors;
    }
    return *this;
}

TChooseColorDialog::TData::~TData() { delete[] OwnedColors; }

void TChooseColorDialog::TData::Own(TColor const *colors) {
    OwnedColors = new TColor[CustomCount];  // black
    if (colors)
        std::memcpy(OwnedColors, colors, CustomCount * sizeof(TColor));
    CustColors = OwnedColors;
}

// ---- TChooseColorDialog

uint TChooseColorDialog::SetRGBMsgId;

DEFINE_RESPONSE_TABLE1(TChooseColorDialog, TCommonDialog)
END_RESPONSE_TABLE;

TChooseColorDialog::TChooseColorDialog(TWindow *parent, TData &data, TResId templateId, char const *title,
                                       TModule *module)
    : TWindow(parent, 0, module), TCommonDialog(parent, title, module), Data(data) {
    if (!SetRGBMsgId)
        SetRGBMsgId = ::RegisterWindowMessageA(SETRGBSTRINGA);
    std::memset(&Cc, 0, sizeof Cc);
    Cc.lStructSize = sizeof(CHOOSECOLORA);
    Cc.hwndOwner = Parent ? Parent->GetHandle() : 0;
    Cc.hInstance = reinterpret_cast<HWND>(GetModule() ? GetModule()->GetHandle() : 0);
    Cc.rgbResult = Data.Color.GetValue();
    Cc.lpCustColors = reinterpret_cast<COLORREF *>(Data.CustColors);
    Cc.Flags = HookFlags(Data.Flags, CC_ENABLEHOOK, CC_ENABLETEMPLATE, templateId, Cc.lpTemplateName);
}

void TChooseColorDialog::SetRGBColor(TColor const &color) {
    SendMessageA(SetRGBMsgId, 0, color.GetValue());
}

void TChooseColorDialog::SetData(TData const &data) {
    Data = data;
    Cc.lpCustColors = reinterpret_cast<COLORREF *>(Data.CustColors);  // an owned table may be new
}

int TChooseColorDialog::DialogFunction(uint msg, WPARAM wParam, LPARAM lParam) {
    return TDialog::DialogFunction(msg, wParam, lParam);
}

int TChooseColorDialog::DoExecute() {
    if (!RunRecord(cdkColor, Cc, Data))
        return IDCANCEL;
    Data.Color = TColor(Cc.rgbResult);
    return IDOK;
}

// ---- ChooseColorDialog

ChooseColorDialog::ChooseColorDialog(TWindow *parent, TData &data, int templateId, char const *title,
                                     TModule *module)
    : TWindow(parent, 0, module), TChooseColorDialog(parent, data, templateId, title, module) {}

int ChooseColorDialog::DoExecute() {
    CommonDialogRun run(this);
    return TChooseColorDialog::DoExecute();
}

void ChooseColorDialog::SetupWindow() {
    TChooseColorDialog::SetupWindow();
    if (!Parent || !Parent->GetHandle())
        return;
    POINT origin = {0, 0};
    ::ClientToScreen(Parent->GetHandle(), &origin);
    SetWindowPos(0, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- the one-call question and the custom colours

int AskColor(TWindow *parent, unsigned long &color) {
    TChooseColorDialog::TData data(CC_RGBINIT, TColor(COLORREF(color)));
    data.CustColors = CustomColorTable();
    ChooseColorDialog dialog(parent, data);
    if (dialog.Execute() != IDOK)
        return 0;
    color = data.Color.GetValue();
    return 1;
}

void ReadCustomColors(Config &config) {
    Config::PathSaver path(config);
    config.MoveDown("CustomColors");
    TColor *table = CustomColorTable();
    for (int i = 0; i < CustomCount; ++i)
        table[i] = TColor(config.GetValue(long(table[i].GetValue()), "C", i));
}

void WriteCustomColors(Config &config) {
    Config::PathSaver path(config);
    config.MoveDown("CustomColors");
    TColor *table = CustomColorTable();
    for (int i = 0; i < CustomCount; ++i)
        config.SetValue(long(table[i].GetValue()), "C", i);
}
