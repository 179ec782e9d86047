#include "core/Color.h"

#include "core/System.h"

namespace {
// Systems outside the 95 and NT families have no system colours 21 to 24.
bool OldPlatform() {
    DWORD id = TSystem::GetPlatformId();
    return id != VER_PLATFORM_WIN32_WINDOWS && id != VER_PLATFORM_WIN32_NT;
}
COLORREF Sys(int n) { return 0x80000000 | n; }
}  // namespace

TColor const TColor::Black((COLORREF)0x000000);
TColor const TColor::LtGray((COLORREF)0xC0C0C0);
TColor const TColor::Gray((COLORREF)0x808080);
TColor const TColor::LtRed((COLORREF)0x0000FF);
TColor const TColor::LtGreen((COLORREF)0x00FF00);
TColor const TColor::LtYellow((COLORREF)0x00FFFF);
TColor const TColor::LtBlue((COLORREF)0xFF0000);
TColor const TColor::LtMagenta((COLORREF)0xFF00FF);
TColor const TColor::LtCyan((COLORREF)0xFFFF00);
TColor const TColor::White((COLORREF)0xFFFFFF);
TColor const TColor::None((COLORREF)0xFF000000);
TColor const TColor::Transparent((COLORREF)0xFE000000);
TColor const TColor::SysScrollbar(Sys(0));
TColor const TColor::SysDesktop(Sys(1));
TColor const TColor::SysActiveCaption(Sys(2));
TColor const TColor::SysInactiveCaption(Sys(3));
TColor const TColor::SysMenu(Sys(4));
TColor const TColor::SysWindow(Sys(5));
TColor const TColor::SysWindowFrame(Sys(6));
TColor const TColor::SysMenuText(Sys(7));
TColor const TColor::SysWindowText(Sys(8));
TColor const TColor::SysCaptionText(Sys(9));
TColor const TColor::SysActiveBorder(Sys(10));
TColor const TColor::SysInactiveBorder(Sys(11));
TColor const TColor::SysAppWorkspace(Sys(12));
TColor const TColor::SysHighlight(Sys(13));
TColor const TColor::SysHighlightText(Sys(14));
TColor const TColor::Sys3dFace(Sys(15));
TColor const TColor::Sys3dShadow(Sys(16));
TColor const TColor::SysGrayText(Sys(17));
TColor const TColor::SysBtnText(Sys(18));
TColor const TColor::SysInactiveCaptionText(Sys(19));
TColor const TColor::Sys3dHilight(Sys(20));
TColor const TColor::Sys3dDkShadow(OldPlatform() ? Sys(6) : Sys(21));
TColor const TColor::Sys3dLight(OldPlatform() ? Sys(15) : Sys(22));
TColor const TColor::SysInfoText(OldPlatform() ? (COLORREF)0x000000 : Sys(23));
TColor const TColor::SysInfoBk(OldPlatform() ? (COLORREF)0x80FFFF : Sys(24));

long NColors(unsigned short bitCount) {
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    case 16:
    case 24:
    case 32: return 0;
    default: return -1;
    }
}

unsigned short NBits(long colors) {
    if (colors <= 2)
        return 1;
    if (colors <= 16)
        return 4;
    if (colors <= 256)
        return 8;
    if (colors <= 65536)
        return 16;
    return 24;
}
