#include "controls/FontDialog.h"

#include "core/Module.h"

#include "foundation/Config.h"

#include <cstring>

namespace {
char const DefaultFace[] = "Small Fonts";
}

// ---- TChooseFontDialog

TChooseFontDialog::TData::TData()
    : Flags(0), Error(0), DC(0), PointSize(0), Color(COLORREF(0)), Style(0), FontType(0), SizeMin(0),
      SizeMax(0) {
    std::memset(&LogFont, 0, sizeof LogFont);
}

DEFINE_RESPONSE_TABLE1(TChooseFontDialog, TCommonDialog)
END_RESPONSE_TABLE;

TChooseFontDialog::TChooseFontDialog(TWindow *parent, TData &data, TResId templateId, char const *title,
                                     TModule *module)
    : TWindow(parent, 0, module), TCommonDialog(parent, title, module), Data(data) {
    std::memset(&Cf, 0, sizeof Cf);
    Cf.lStructSize = sizeof(CHOOSEFONTA);
    Cf.hwndOwner = Parent ? Parent->GetHandle() : 0;
    Cf.hDC = Data.DC;
    Cf.lpLogFont = &Data.LogFont;
    Cf.iPointSize = Data.PointSize;
    Cf.Flags = HookFlags(Data.Flags, CF_ENABLEHOOK, CF_ENABLETEMPLATE, templateId, Cf.lpTemplateName);
    Cf.rgbColors = Data.Color.GetValue();
    Cf.hInstance = GetModule() ? GetModule()->GetHandle() : 0;
    Cf.lpszStyle = Data.Style;
    Cf.nFontType = Data.FontType;
    Cf.nSizeMin = Data.SizeMin;
    Cf.nSizeMax = Data.SizeMax;
}

int TChooseFontDialog::DialogFunction(uint msg, WPARAM wParam, LPARAM lParam) {
    return TDialog::DialogFunction(msg, wParam, lParam);
}

int TChooseFontDialog::DoExecute() {
    if (!RunRecord(cdkFont, Cf, Data))
        return IDCANCEL;
    Data.PointSize = Cf.iPointSize;
    Data.Color = TColor(Cf.rgbColors);
    Data.Style = Cf.lpszStyle;
    Data.FontType = Cf.nFontType;
    return IDOK;
}

// ---- FontDialog

FontDialog::FontDialog(TWindow *parent, TData &data, int templateId, char const *title, TModule *module)
    : TWindow(parent, 0, module), TChooseFontDialog(parent, data, templateId, title, module) {}

int FontDialog::DoExecute() {
    CommonDialogRun run(this);
    return TChooseFontDialog::DoExecute();
}

// ---- the default font and its storage

void InitLogicalFont(LOGFONTA &font) {
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -8;
    font.lfWeight = FW_NORMAL;
    font.lfQuality = PROOF_QUALITY;
    std::strcpy(font.lfFaceName, DefaultFace);
}

void ReadFont(Config &config, char const *group, int index, LOGFONTA &font) {
    Config::PathSaver path(config);
    if (group)
        config.MoveDown(group, index);
    InitLogicalFont(font);
    font.lfHeight = config.GetValue(long(-8), "Height");
    font.lfWeight = config.GetValue(long(FW_NORMAL), "Weight");
    int flags = config.GetValue(short(0), "Flags") & 7;
    font.lfItalic = (flags & 1) != 0;
    font.lfUnderline = (flags & 2) != 0;
    font.lfStrikeOut = (flags & 4) != 0;
    String name = config.GetValue(String(DefaultFace), "Name");
    // a longer stored name is cut to the field
    std::strncpy(font.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = 0;
}

void WriteFont(Config &config, char const *group, int index, LOGFONTA &font) {
    Config::PathSaver path(config);
    if (group)
        config.MoveDown(group, index);
    config.SetValue(long(font.lfHeight), "Height");
    config.SetValue(long(font.lfWeight), "Weight");
    int flags = (font.lfItalic ? 1 : 0) + (font.lfUnderline ? 2 : 0) + (font.lfStrikeOut ? 4 : 0);
    config.SetValue(short(flags), "Flags");
    config.SetValue(String(font.lfFaceName), "Name");
}
