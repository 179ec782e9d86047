// One 32-bit colour whose top byte tells its kind: 0x00 RGB, 0x01 palette index,
// 0x02 palette-relative RGB, 0x80 system colour (resolved when used), 0xF0 and above special.
#pragma once

#include "core/VeltraneDefs.h"

#include <windows.h>

class VELTRANE_API TColor {
public:
    TColor() : Value(0) {}
    TColor(COLORREF value) : Value(value) {}
    TColor(long value) : Value((COLORREF)value) {}
    TColor(int r, int g, int b) : Value(RGB(r & 0xFF, g & 0xFF, b & 0xFF)) {}
    TColor(int r, int g, int b, int flags)
        : Value(RGB(r & 0xFF, g & 0xFF, b & 0xFF) | ((COLORREF)(flags & 0xFF) << 24)) {}
    // a palette index
    TColor(int index) : Value(0x01000000 | (index & 0xFFFF)) {}
    TColor(PALETTEENTRY const &pe) : Value(RGB(pe.peRed, pe.peGreen, pe.peBlue)) {}
    TColor(RGBQUAD const &q) : Value(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue)) {}
    TColor(RGBTRIPLE const &t) : Value(RGB(t.rgbtRed, t.rgbtGreen, t.rgbtBlue)) {}

    // a system colour reads the user's current setting
    COLORREF GetValue() const { return IsSysColor() ? ::GetSysColor(Index()) : Value; }
    operator COLORREF() const { return GetValue(); }
    COLORREF GetRaw() const { return Value; }
    void SetValue(COLORREF value) { Value = value; }

    int Red() const { return GetValue() & 0xFF; }
    int Green() const { return (GetValue() >> 8) & 0xFF; }
    int Blue() const { return (GetValue() >> 16) & 0xFF; }

    bool operator==(TColor const &o) const { return Value == o.Value; }
    bool operator!=(TColor const &o) const { return Value != o.Value; }
    bool operator==(COLORREF c) const { return GetValue() == c; }
    bool operator!=(COLORREF c) const { return GetValue() != c; }

    int Index() const { return (int)(Value & 0xFFFF); }
    TColor Rgb() const { return TColor(GetValue()); }
    TColor PalIndex() const { return TColor((COLORREF)(0x01000000 | (Value & 0xFFFF))); }
    TColor PalRelative() const { return TColor((COLORREF)(GetValue() | 0x02000000)); }
    int Flags() const { return (int)(Value >> 24); }
    bool IsSysColor() const { return Value >= 0x80000000 && Value <= 0x80FFFFFF; }
    bool IsSpecialColor() const { return Value > 0xEFFFFFFF; }

    static TColor const Black, LtGray, Gray, LtRed, LtGreen, LtYellow, LtBlue, LtMagenta, LtCyan, White;
    static TColor const None, Transparent;
    static TColor const SysScrollbar, SysDesktop, SysActiveCaption, SysInactiveCaption, SysMenu, SysWindow,
        SysWindowFrame, SysMenuText, SysWindowText, SysCaptionText, SysActiveBorder, SysInactiveBorder,
        SysAppWorkspace, SysHighlight, SysHighlightText, Sys3dFace, Sys3dShadow, SysGrayText, SysBtnText,
        SysInactiveCaptionText, Sys3dHilight, Sys3dDkShadow, Sys3dLight, SysInfoText, SysInfoBk;

private:
    COLORREF Value;
};

// Colour-table entries for a bit count: 1, 4, 8 -> 2, 16, 256; 16, 24, 32 -> 0; else -1.
VELTRANE_API long NColors(unsigned short bitCount);
// Bits per pixel that hold a colour count.
VELTRANE_API unsigned short NBits(long colors);
