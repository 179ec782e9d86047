#include "core/Dc.h"
#include "core/Dib.h"

#include <cstring>
#include <vector>

namespace {
// Releases a handle that a context held; a failure is logged, never thrown,
// because restoring runs in destructors.
void ReleaseHeld(HANDLE handle) noexcept {
    try {
        TGdiObject::RefDec(handle);
    } catch (const TXGdi &failure) {
        TGdiBase::ReportFailure(failure);
    }
}
}  // namespace

TDC::TDC() : OrgBrush(0), OrgPen(0), OrgFont(0), OrgPalette(0), OrgTextBrush(0) {}

TDC::TDC(HDC handle) : TDC(handle, NoAutoDelete) {}

TDC::TDC(HDC handle, TAutoDelete autoDelete)
    : TGdiBase(handle, autoDelete), OrgBrush(0), OrgPen(0), OrgFont(0), OrgPalette(0), OrgTextBrush(0) {}

TDC::~TDC() {
    if (Handle)
        RestoreObjects();
}

void TDC::SelectHandle(HGDIOBJ handle, HANDLE &initial) {
    HGDIOBJ previous = ::SelectObject(GetHDC(), handle);
    if (!previous)
        return;
    TGdiObject::RefInc(handle);
    if (initial)
        ReleaseHeld(previous);
    else
        initial = previous;
}

void TDC::RestoreHandle(HANDLE &initial) {
    if (!initial)
        return;
    HGDIOBJ replaced = ::SelectObject(GetHDC(), HGDIOBJ(initial));
    initial = 0;
    ReleaseHeld(replaced);
}

void TDC::SelectObject(const TPen &pen) { SelectHandle(pen.GetHandle(), OrgPen); }

void TDC::SelectObject(const TBrush &brush) { SelectHandle(brush.GetHandle(), OrgBrush); }

void TDC::SelectObject(const TFont &font) { SelectHandle(font.GetHandle(), OrgFont); }

void TDC::SelectObject(const TPalette &palette, bool forceBackground) {
    HPALETTE previous = ::SelectPalette(GetHDC(), palette, forceBackground);
    if (!previous)
        return;
    TGdiObject::RefInc(palette.GetHandle());
    if (OrgPalette)
        ReleaseHeld(previous);
    else
        OrgPalette = previous;
}

void TDC::SelectStockObject(int index) {
    HGDIOBJ previous = ::SelectObject(GetHDC(), ::GetStockObject(index));
    if (previous)
        ReleaseHeld(previous);
}

void TDC::RestorePen() { RestoreHandle(OrgPen); }
void TDC::RestoreBrush() { RestoreHandle(OrgBrush); }
void TDC::RestoreFont() { RestoreHandle(OrgFont); }
void TDC::RestoreTextBrush() { RestoreHandle(OrgTextBrush); }

void TDC::RestorePalette() {
    if (!OrgPalette)
        return;
    HPALETTE replaced = ::SelectPalette(GetHDC(), HPALETTE(OrgPalette), FALSE);
    OrgPalette = 0;
    ReleaseHeld(replaced);
}

void TDC::RestoreObjects() {
    if (!Handle)
        return;
    RestorePen();
    RestoreBrush();
    RestoreFont();
    RestorePalette();
    RestoreTextBrush();
}

// Attribute setters apply to the output context first when the attribute
// context is a different one, and report the attribute context's result.
#define BOTH_CONTEXTS(call)             \
    HDC attr = GetAttributeHDC();       \
    if (GetHDC() != attr) {             \
        HDC dc = GetHDC();              \
        (void)(call);                   \
    }                                   \
    HDC dc = attr;                      \
    return call

TColor TDC::SetBkColor(const TColor &color) {
    BOTH_CONTEXTS(TColor(::SetBkColor(dc, color.GetValue())));
}

TColor TDC::SetTextColor(const TColor &color) {
    BOTH_CONTEXTS(TColor(::SetTextColor(dc, color.GetValue())));
}

int TDC::SetMapMode(int mode) { BOTH_CONTEXTS(::SetMapMode(dc, mode)); }

bool TDC::SetViewportOrg(const TPoint &origin, TPoint *oldOrg) {
    BOTH_CONTEXTS(::SetViewportOrgEx(dc, origin.x, origin.y, oldOrg) != 0);
}

bool TDC::OffsetViewportOrg(const TPoint &delta, TPoint *oldOrg) {
    BOTH_CONTEXTS(::OffsetViewportOrgEx(dc, delta.x, delta.y, oldOrg) != 0);
}

bool TDC::SetViewportExt(const TSize &extent, TSize *oldExtent) {
    BOTH_CONTEXTS(::SetViewportExtEx(dc, extent.cx, extent.cy, oldExtent) != 0);
}

bool TDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom, TSize *oldExtent) {
    BOTH_CONTEXTS(::ScaleViewportExtEx(dc, xNum, xDenom, yNum, yDenom, oldExtent) != 0);
}

bool TDC::SetWindowExt(const TSize &extent, TSize *oldExtent) {
    BOTH_CONTEXTS(::SetWindowExtEx(dc, extent.cx, extent.cy, oldExtent) != 0);
}

bool TDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom, TSize *oldExtent) {
    BOTH_CONTEXTS(::ScaleWindowExtEx(dc, xNum, xDenom, yNum, yDenom, oldExtent) != 0);
}

bool TDC::SetWindowOrg(const TPoint &origin, TPoint *oldOrg) {
    BOTH_CONTEXTS(::SetWindowOrgEx(dc, origin.x, origin.y, oldOrg) != 0);
}

bool TDC::OffsetWindowOrg(const TPoint &delta, TPoint *oldOrg) {
    BOTH_CONTEXTS(::OffsetWindowOrgEx(dc, delta.x, delta.y, oldOrg) != 0);
}

int TDC::SetBkMode(int mode) { BOTH_CONTEXTS(::SetBkMode(dc, mode)); }
int TDC::SetPolyFillMode(int mode) { BOTH_CONTEXTS(::SetPolyFillMode(dc, mode)); }
int TDC::SetROP2(int mode) { BOTH_CONTEXTS(::SetROP2(dc, mode)); }
int TDC::SetStretchBltMode(int mode) { BOTH_CONTEXTS(::SetStretchBltMode(dc, mode)); }
unsigned TDC::SetTextAlign(unsigned flags) { BOTH_CONTEXTS(::SetTextAlign(dc, flags)); }
int TDC::SetTextCharacterExtra(int extra) { BOTH_CONTEXTS(::SetTextCharacterExtra(dc, extra)); }
unsigned long TDC::SetMapperFlags(unsigned long flags) { BOTH_CONTEXTS(::SetMapperFlags(dc, flags)); }

bool TDC::SetMiterLimit(float newLimit, float *oldLimit) {
    BOTH_CONTEXTS(::SetMiterLimit(dc, newLimit, oldLimit) != 0);
}

bool TDC::SetWorldTransform(const XFORM &xform) { BOTH_CONTEXTS(::SetWorldTransform(dc, &xform) != 0); }

bool TDC::ModifyWorldTransform(const XFORM &xform, unsigned long mode) {
    BOTH_CONTEXTS(::ModifyWorldTransform(dc, &xform, mode) != 0);
}

#undef BOTH_CONTEXTS

TPoint TDC::GetViewportOrg() const {
    TPoint point(0, 0);
    GetViewportOrg(point);
    return point;
}

TSize TDC::GetViewportExt() const {
    TSize extent(0, 0);
    GetViewportExt(extent);
    return extent;
}

TPoint TDC::GetWindowOrg() const {
    TPoint point(0, 0);
    GetWindowOrg(point);
    return point;
}

TSize TDC::GetWindowExt() const {
    TSize extent(0, 0);
    GetWindowExt(extent);
    return extent;
}

TRect TDC::GetClipBox() const {
    TRect rect(0, 0, 0, 0);
    GetClipBox(rect);
    return rect;
}

bool TDC::GetTextExtent(const char *text, int length, TSize &size) const {
    return ::GetTextExtentPoint32A(GetAttributeHDC(), text, length, &size) != 0;
}

TSize TDC::GetTextExtent(const char *text, int length) const {
    TSize size(0, 0);
    GetTextExtent(text, length, size);
    return size;
}

TSize TDC::GetTabbedTextExtentA(const char *text, int length, int numPositions, const int *positions) const {
    DWORD packed = ::GetTabbedTextExtentA(GetAttributeHDC(), text, length, numPositions, positions);
    return TSize(LOWORD(packed), HIWORD(packed));
}

int TDC::GetDIBits(const TBitmap &bitmap, TDib &dib) {
    // The system writes a whole table for the bit count, whatever the DIB holds,
    // and may rewrite the header: query through a copy with room for every
    // entry and take back as much table as the DIB has.
    std::vector<char> full(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFO *query = reinterpret_cast<BITMAPINFO *>(full.data());
    query->bmiHeader = dib.GetInfo()->bmiHeader;
    int lines = ::GetDIBits(GetHDC(), bitmap, dib.StartScan(), dib.NumScans(), dib.GetBits(), query, dib.Usage());
    if (lines && dib.Compression() == BI_BITFIELDS)  // the masks the system used
        std::memcpy(dib.GetInfo()->bmiColors, query->bmiColors, 3 * sizeof(DWORD));
    else if (lines && dib.GetColors() && dib.NumColors() <= 256)
        std::memcpy(dib.GetColors(), query->bmiColors, dib.SizeColors());
    return lines;
}

int TDC::SetDIBits(TBitmap &bitmap, const TDib &dib) {
    return ::SetDIBits(GetHDC(), bitmap, dib.StartScan(), dib.NumScans(), dib.GetBits(), dib.GetInfo(),
                       dib.Usage());
}

int TDC::SetDIBitsToDevice(const TRect &dst, const TPoint &src, const TDib &dib) {
    return ::SetDIBitsToDevice(GetHDC(), dst.left, dst.top, dst.Width(), dst.Height(), src.x, src.y,
                               dib.StartScan(), dib.NumScans(), dib.GetBits(), dib.GetInfo(), dib.Usage());
}

int TDC::StretchDIBits(const TRect &dst, const TRect &src, const TDib &dib, unsigned long rop) {
    return ::StretchDIBits(GetHDC(), dst.left, dst.top, dst.Width(), dst.Height(), src.left, src.top, src.Width(),
                           src.Height(), dib.GetBits(), dib.GetInfo(), dib.Usage(), rop);
}

bool TDC::TextOutA(int x, int y, const char *text, int length) {
    if (length < 0)
        length = int(std::strlen(text));
    return ::TextOutA(GetHDC(), x, y, text, length) != 0;
}

bool TDC::ExtTextOutA(int x, int y, unsigned options, const TRect *clip, const char *text, int length,
                      const int *dx) {
    if (length < 0)
        length = text ? int(std::strlen(text)) : 0;
    return ::ExtTextOutA(GetHDC(), x, y, options, clip, text, length, dx) != 0;
}

bool TDC::TabbedTextOutA(const TPoint &point, const char *text, int length, int numPositions,
                         const int *positions, int tabOrigin, TSize &extent) {
    if (length < 0)
        length = int(std::strlen(text));
    LONG packed = ::TabbedTextOutA(GetHDC(), point.x, point.y, text, length, numPositions, positions, tabOrigin);
    extent = TSize(LOWORD(packed), HIWORD(packed));
    return true;
}

int TDC::DrawTextA(const char *text, int length, const TRect &rect, unsigned short format) {
    return ::DrawTextA(GetHDC(), text, length, const_cast<TRect *>(&rect), format);
}

bool TDC::GrayStringA(const TBrush &brush, GRAYSTRINGPROC outputFunc, const char *text, int length,
                      const TRect &rect) {
    return ::GrayStringA(GetHDC(), brush, outputFunc, LPARAM(text), length < 0 ? 0 : length, rect.left, rect.top,
                         rect.Width(), rect.Height()) != 0;
}

bool TDC::TextRect(int left, int top, int right, int bottom) {
    RECT rect = {left, top, right, bottom};
    return ::ExtTextOutA(GetHDC(), 0, 0, ETO_OPAQUE, &rect, 0, 0, 0) != 0;
}

bool TDC::TextRect(int left, int top, int right, int bottom, const TColor &color) {
    SetBkColor(color);
    return TextRect(left, top, right, bottom);
}

void TDC::YrtFastWindowFrame(const TBrush &brush, const TRect &rect, int width, int height) {
    SelectObject(brush);
    int w = rect.Width(), h = rect.Height();
    PatBlt(rect.left, rect.top, width, h - height, PATCOPY);
    PatBlt(rect.left + width, rect.top, w - width, height, PATCOPY);
    PatBlt(rect.left, rect.bottom - height, w - width, height, PATCOPY);
    PatBlt(rect.right - width, rect.top + height, width, h - height, PATCOPY);
    RestoreBrush();
}

// --- Window, screen, desktop, client and paint contexts ---

TWindowDC::TWindowDC(HWND wnd) : Wnd(wnd) {
    Handle = ::GetWindowDC(wnd);
    CheckValid();
}

TWindowDC::~TWindowDC() {
    RestoreObjects();
    if (ShouldDelete && Handle)
        ::ReleaseDC(Wnd, GetHDC());
    Handle = 0;
}

TScreenDC::TScreenDC() : TWindowDC(HWND(0)) {}

TDesktopDC::TDesktopDC() : TWindowDC(::GetDesktopWindow()) {}

TClientDC::TClientDC(HWND wnd) {
    Wnd = wnd;
    Handle = ::GetDC(wnd);
    CheckValid();
}

TPaintDC::TPaintDC(HWND wnd) : Wnd(wnd) {
    Handle = ::BeginPaint(wnd, &Ps);
    CheckValid();
}

TPaintDC::~TPaintDC() {
    RestoreObjects();
    if (ShouldDelete && Handle)
        ::EndPaint(Wnd, &Ps);
    Handle = 0;
}

// --- Created contexts ---

TCreatedDC::TCreatedDC(const char *driver, const char *device, const char *output, const DEVMODEA *initData) {
    Handle = ::CreateDCA(driver, device, output, initData);
    CheckValid();
}

TCreatedDC::TCreatedDC(HDC handle, TAutoDelete autoDelete) : TDC(handle, autoDelete) {}

TCreatedDC::~TCreatedDC() {
    RestoreObjects();
    if (ShouldDelete && Handle)
        ::DeleteDC(GetHDC());
    Handle = 0;
}

TIC::TIC(const char *driver, const char *device, const char *output, const DEVMODEA *initData) {
    Handle = ::CreateICA(driver, device, output, initData);
    CheckValid();
}

TPrintDC::TPrintDC(const char *driver, const char *device, const char *output, const DEVMODEA *initData)
    : TCreatedDC(driver, device, output, initData) {
    std::memset(&DocInfo, 0, sizeof DocInfo);
    DocInfo.cbSize = sizeof DocInfo;
}

int TPrintDC::StartDocA(const char *docName, const char *output) {
    DocInfo.lpszDocName = docName;
    DocInfo.lpszOutput = output;
    return ::StartDocA(GetHDC(), &DocInfo);
}

int TPrintDC::BandInfo(TBandInfo &bandInfo) {
    struct {
        BOOL HasGraphics;
        BOOL HasText;
        RECT GraphicsRect;
    } info = {};
    int result = Escape(BANDINFO, sizeof info, 0, &info);
    bandInfo.HasGraphics = info.HasGraphics != 0;
    bandInfo.HasText = info.HasText != 0;
    bandInfo.GraphicsRect = TRect(info.GraphicsRect);
    return result;
}

int TPrintDC::EndPage() {
    RestoreObjects();
    return ::EndPage(GetHDC());
}
