#include "core/GdiObject.h"
#include "core/Dc.h"
#include "core/System.h"

#include <cstring>

TFont::TFont(HFONT handle, TAutoDelete autoDelete) : TGdiObject(handle, autoDelete) {
    if (ShouldDelete)
        RefAdd(Handle, TObjInfo::Font);
}

TFont::TFont(const char *facename, int height, int width, int escapement, int orientation, int weight,
             unsigned char pitchAndFamily, unsigned char italic, unsigned char underline,
             unsigned char strikeout, unsigned char charSet, unsigned char outputPrecision,
             unsigned char clipPrecision, unsigned char quality) {
    Handle = ::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeout,
                           charSet, outputPrecision, clipPrecision, quality, pitchAndFamily, facename);
    CheckValid();
    RefAdd(Handle, TObjInfo::Font);
}

TFont::TFont(int height, int width, int escapement, int orientation, int weight, unsigned char italic,
             unsigned char underline, unsigned char strikeout, unsigned char charSet,
             unsigned char outputPrecision, unsigned char clipPrecision, unsigned char quality,
             unsigned char pitchAndFamily, const char *facename) {
    Handle = ::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeout,
                           charSet, outputPrecision, clipPrecision, quality, pitchAndFamily, facename);
    CheckValid();
    RefAdd(Handle, TObjInfo::Font);
}

TFont::TFont(const LOGFONTA *logFont) {
    Handle = ::CreateFontIndirectA(logFont);
    CheckValid();
    RefAdd(Handle, TObjInfo::Font);
}

TFont::TFont(const TFont &src) : TGdiObject(src.Handle, src.ShouldDelete ? AutoDelete : NoAutoDelete) {
    // A shared stock or foreign handle stays out of the counts.
    if (ShouldDelete)
        RefAdd(Handle, TObjInfo::Font);
}

TFont::~TFont() { Release(); }

void TFont::GetTextMetrics(TEXTMETRICA &tm, TDC &dc) const {
    dc.SelectObject(*this);
    ::GetTextMetricsA(dc.GetAttributeHDC(), &tm);
    dc.RestoreFont();
}

void TFont::GetTextMetrics(TEXTMETRICA &tm) const {
    TScreenDC dc;
    GetTextMetrics(tm, dc);
}

TEXTMETRICA TFont::GetTextMetrics(TDC &dc) const {
    TEXTMETRICA tm;
    GetTextMetrics(tm, dc);
    return tm;
}

TEXTMETRICA TFont::GetTextMetrics() const {
    TEXTMETRICA tm;
    GetTextMetrics(tm);
    return tm;
}

int TFont::GetHeight() const { return GetTextMetrics().tmHeight; }
int TFont::GetHeight(TDC &dc) const { return GetTextMetrics(dc).tmHeight; }
int TFont::GetAveWidth() const { return GetTextMetrics().tmAveCharWidth; }
int TFont::GetAveWidth(TDC &dc) const { return GetTextMetrics(dc).tmAveCharWidth; }
int TFont::GetMaxWidth() const { return GetTextMetrics().tmMaxCharWidth; }
int TFont::GetMaxWidth(TDC &dc) const { return GetTextMetrics(dc).tmMaxCharWidth; }

TSize TFont::GetTextExtent(TDC &dc, const char *text) const {
    dc.SelectObject(*this);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc.GetAttributeHDC(), text, int(std::strlen(text)), &size);
    dc.RestoreFont();
    return TSize(size.cx, size.cy);
}

TSize TFont::GetTextExtent(const char *text) const {
    TScreenDC dc;
    return GetTextExtent(dc, text);
}

TDefaultGUIFont::TDefaultGUIFont()
    : TFont(HFONT(::GetStockObject(TSystem::Has3dUI() ? DEFAULT_GUI_FONT : SYSTEM_FONT)), NoAutoDelete) {}
