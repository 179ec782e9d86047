#include "core/Dib.h"
#include "core/Dc.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
[[noreturn]] void RejectHeader() { TXGdi::Raise(32732, 0); }

bool ValidBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The pixel bytes an uncompressed image needs, counted wide enough not to overflow.
unsigned long long NeededImageSize(const BITMAPINFOHEADER &h) {
    unsigned long long rows = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
    unsigned long long pitch = ((static_cast<unsigned long long>(h.biWidth) * h.biBitCount + 31) & ~31ull) / 8;
    return pitch * rows;
}

// The colour table's entry count, or -1 when the header names an impossible one.
long TableCount(const BITMAPINFOHEADER &h) {
    long count = h.biClrUsed ? long(h.biClrUsed) : NColors(h.biBitCount);
    long limit = h.biBitCount <= 8 ? 1L << h.biBitCount : 256;
    return count < 0 || count > limit ? -1 : count;
}

// Checks every field that the pointers and the pixel size depend on.
void CheckHeader(const BITMAPINFOHEADER &h) {
    if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1 ||
        !ValidBitCount(h.biBitCount) || NeededImageSize(h) > 0x7FFFFFFF)
        RejectHeader();
    switch (h.biCompression) {
    case BI_RGB: break;
    case BI_BITFIELDS:
        if (h.biBitCount != 16 && h.biBitCount != 32)
            RejectHeader();
        break;
    case BI_RLE8:
        if (h.biBitCount != 8 || h.biHeight < 0 || h.biSizeImage == 0)
            RejectHeader();
        break;
    case BI_RLE4:
        if (h.biBitCount != 4 || h.biHeight < 0 || h.biSizeImage == 0)
            RejectHeader();
        break;
    default: RejectHeader();
    }
    if (TableCount(h) < 0)
        RejectHeader();
}

unsigned long TableOffset(const BITMAPINFOHEADER &h) {
    return sizeof(BITMAPINFOHEADER) + (h.biCompression == BI_BITFIELDS ? 12 : 0);
}

// Fills a DIB whose table is the palette's entries with the bitmap's pixels,
// each as the nearest entry. The system would index its own table instead,
// which a palette shorter than the bit count allows does not match.
void ReadNearest(TDib &dib, const TBitmap &bitmap, const TPalette &palette, long count) {
    std::vector<PALETTEENTRY> entries(count);
    palette.GetPaletteEntries(0, count, entries.data());
    for (long i = 0; i < count; ++i)
        dib.GetColors()[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};

    int width = dib.Width(), height = dib.Height(), bits = dib.BitsPixel();
    BITMAPINFO query = {};
    query.bmiHeader = dib.GetInfo()->bmiHeader;
    query.bmiHeader.biBitCount = 32;
    query.bmiHeader.biClrUsed = 0;
    query.bmiHeader.biSizeImage = 0;
    std::vector<RGBQUAD> pixels(static_cast<size_t>(width) * height);
    TScreenDC screen;
    ::GetDIBits(screen, bitmap, 0, height, pixels.data(), &query, DIB_RGB_COLORS);

    unsigned char *rows = static_cast<unsigned char *>(dib.GetBits());
    COLORREF last = CLR_INVALID;
    unsigned index = 0;
    for (int y = 0; y < height; ++y) {
        unsigned char *row = rows + static_cast<size_t>(y) * dib.Pitch();
        for (int x = 0; x < width; ++x) {
            const RGBQUAD &q = pixels[static_cast<size_t>(y) * width + x];
            COLORREF color = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
            if (color != last) {
                last = color;
                index = palette.GetNearestPaletteIndex(TColor(color));
                if (index >= unsigned(count))
                    index = 0;
            }
            int bit = x * bits;
            row[bit / 8] |= static_cast<unsigned char>(index << (8 - bits - bit % 8));
        }
    }
}

// The palette's first entries, and at least one (black) to fall back on.
std::vector<PALETTEENTRY> EntriesOf(const TPalette &palette, int entries) {
    std::vector<PALETTEENTRY> pal(entries > 0 ? entries : 1);
    if (entries > 0)
        palette.GetPaletteEntries(0, entries, pal.data());
    return pal;
}
}  // namespace

TDib::TDib()
    : Info(0), Mask(0), Colors(0), Bits(0), NumClrs(0), Mode(DIB_RGB_COLORS), IsResHandle(false) {}

void TDib::InfoFromBlock(void *block, unsigned long blockSize) {
    BITMAPINFOHEADER &h = *static_cast<BITMAPINFOHEADER *>(block);
    if (blockSize < sizeof(DWORD) || h.biSize != sizeof(BITMAPINFOHEADER) || blockSize < sizeof h)
        RejectHeader();
    CheckHeader(h);
    long count = TableCount(h);
    unsigned long pixelOffset = TableOffset(h) + 4 * count;
    // An uncompressed image may leave its size 0; the block must hold the rows.
    if (h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS) {
        unsigned long needed = static_cast<unsigned long>(NeededImageSize(h));
        if (h.biSizeImage == 0)
            h.biSizeImage = needed;
        else if (h.biSizeImage < needed)
            RejectHeader();
    }
    if (pixelOffset > blockSize || h.biSizeImage > blockSize - pixelOffset)
        RejectHeader();

    char *base = static_cast<char *>(block);
    Info = static_cast<BITMAPINFO *>(block);
    Mask = h.biCompression == BI_BITFIELDS ? reinterpret_cast<DWORD *>(base + sizeof h) : 0;
    Colors = count ? reinterpret_cast<RGBQUAD *>(base + TableOffset(h)) : 0;
    Bits = base + pixelOffset;
    NumClrs = count;
    Mode = DIB_RGB_COLORS;
}

TDib::TDib(HGLOBAL handle, TAutoDelete autoDelete) : TDib() {
    Handle = handle;
    ShouldDelete = autoDelete == AutoDelete;
    void *block = ::GlobalLock(handle);
    if (!block)
        TXGdi::Raise(32732, handle);
    try {
        InfoFromBlock(block, ::GlobalSize(handle));
    } catch (...) {
        ::GlobalUnlock(handle);
        Info = 0;
        throw;
    }
}

void TDib::AllocateBlock(const BITMAPINFOHEADER &header, long numColors) {
    unsigned long size = TableOffset(header) + 4 * numColors + header.biSizeImage;
    Handle = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!Handle)
        TXOutOfMemory::Raise();
    ShouldDelete = true;
    void *block = ::GlobalLock(Handle);
    if (!block) {
        ::GlobalFree(Handle);
        Handle = 0;
        TXOutOfMemory::Raise();
    }
    std::memcpy(block, &header, sizeof header);
}

TDib::TDib(const TDib &src) : TDib() {
    unsigned long size = src.SizeDib();
    Handle = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!Handle)
        TXOutOfMemory::Raise();
    char *block = static_cast<char *>(::GlobalLock(Handle));
    std::memcpy(block, src.Info, size);
    const char *srcBase = reinterpret_cast<const char *>(src.Info);
    Info = reinterpret_cast<BITMAPINFO *>(block);
    Mask = src.Mask ? reinterpret_cast<DWORD *>(block + (reinterpret_cast<const char *>(src.Mask) - srcBase)) : 0;
    Colors = src.Colors ? reinterpret_cast<RGBQUAD *>(block + (reinterpret_cast<const char *>(src.Colors) - srcBase))
                        : 0;
    Bits = block + (static_cast<const char *>(src.Bits) - srcBase);
    NumClrs = src.NumClrs;
    Mode = src.Mode;
}

TDib::TDib(HINSTANCE instance, TResId resId) : TDib() {
    HRSRC resource = ::FindResourceA(instance, resId, RT_BITMAP);
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : 0;
    void *data = loaded ? ::LockResource(loaded) : 0;
    if (!data)
        TXGdi::Raise(32736, 0);
    unsigned long size = ::SizeofResource(instance, resource);
    // Check a copy: a resource is read-only and its image size may need filling in.
    std::vector<char> copy(static_cast<char *>(data), static_cast<char *>(data) + size);
    InfoFromBlock(copy.data(), size);
    unsigned long dibSize = static_cast<char *>(Bits) - copy.data() + Info->bmiHeader.biSizeImage;
    Handle = ::GlobalAlloc(GMEM_MOVEABLE, dibSize);
    if (!Handle)
        TXOutOfMemory::Raise();
    ShouldDelete = true;
    void *block = ::GlobalLock(Handle);
    std::memcpy(block, copy.data(), dibSize);
    InfoFromBlock(block, dibSize);
}

TDib::TDib(int width, int height, int numColors, unsigned short mode) : TDib() {
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = WORD(NBits(numColors));
    h.biCompression = BI_RGB;
    h.biClrUsed = numColors;
    CheckHeader(h);
    h.biSizeImage = static_cast<DWORD>(NeededImageSize(h));
    // A count of 0 still has the table its bit count implies.
    long count = TableCount(h);
    AllocateBlock(h, count);
    InfoFromBlock(::GlobalLock(Handle), ::GlobalSize(Handle));
    ::GlobalUnlock(Handle);  // the lock above was a second one
    if (mode == DIB_PAL_COLORS) {
        for (long i = 0; i < count; ++i)
            GetIndices()[i] = static_cast<unsigned short>(i);
        Mode = DIB_PAL_COLORS;
    } else if (count > 0) {
        std::vector<PALETTEENTRY> system(count);
        TScreenDC screen;
        unsigned got = screen.GetSystemPaletteEntries(0, int(count), system.data());
        for (long i = 0; i < count && unsigned(i) < got; ++i)
            Colors[i] = RGBQUAD{system[i].peBlue, system[i].peGreen, system[i].peRed, 0};
    }
}

TDib::TDib(const TBitmap &bitmap, const TPalette *palette) : TDib() {
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof h;
    h.biWidth = bitmap.Width();
    h.biHeight = bitmap.Height();
    h.biPlanes = 1;
    long count;
    if (palette) {
        count = palette->GetNumEntries();
        h.biBitCount = WORD(NBits(count));
    } else {
        h.biBitCount = WORD(bitmap.Planes() * bitmap.BitsPixel());
        count = NColors(h.biBitCount);
    }
    h.biCompression = BI_RGB;
    h.biClrUsed = count;
    CheckHeader(h);
    h.biSizeImage = static_cast<DWORD>(NeededImageSize(h));
    AllocateBlock(h, count);
    InfoFromBlock(::GlobalLock(Handle), ::GlobalSize(Handle));
    ::GlobalUnlock(Handle);
    if (palette && count > 0 && h.biBitCount <= 8) {
        ReadNearest(*this, bitmap, *palette, count);
        return;
    }
    // The system writes a whole table for its bit count and may rewrite the
    // header: read through a copy with room for every entry.
    std::vector<char> full(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFO *query = reinterpret_cast<BITMAPINFO *>(full.data());
    query->bmiHeader = h;
    TScreenDC screen;
    ::GetDIBits(screen, bitmap, 0, Height(), Bits, query, DIB_RGB_COLORS);
    if (count > 0 && count <= 256)
        std::memcpy(Colors, query->bmiColors, count * sizeof(RGBQUAD));
}

TDib::~TDib() {
    if (Handle && !IsResHandle) {
        ::GlobalUnlock(Handle);
        if (ShouldDelete)
            ::GlobalFree(Handle);
    }
}

unsigned long TDib::SizeDib() const {
    return static_cast<unsigned long>(static_cast<const char *>(Bits) - reinterpret_cast<const char *>(Info)) +
           Info->bmiHeader.biSizeImage;
}

void TDib::CopyOnWrite() {
    if (!IsResHandle)
        return;
    TDib copy(*this);
    std::swap(Handle, copy.Handle);
    std::swap(Info, copy.Info);
    std::swap(Mask, copy.Mask);
    std::swap(Colors, copy.Colors);
    std::swap(Bits, copy.Bits);
    IsResHandle = false;
    ShouldDelete = true;
    copy.IsResHandle = true;  // the resource needs no freeing
}

TColor TDib::GetColor(int index) const {
    if (index < 0 || index >= NumClrs || Mode == DIB_PAL_COLORS)
        return TColor(0x01000000ul);
    const RGBQUAD &q = Colors[index];
    return TColor(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

void TDib::SetColor(int index, const TColor &color) {
    if (index < 0 || index >= NumClrs || Mode == DIB_PAL_COLORS)
        return;
    CopyOnWrite();
    Colors[index] = RGBQUAD{BYTE(color.Blue()), BYTE(color.Green()), BYTE(color.Red()), 0};
}

int TDib::FindColor(const TColor &color) const {
    if (Mode == DIB_PAL_COLORS)
        return -1;
    for (int i = 0; i < NumClrs; ++i)
        if (GetColor(i) == color)
            return i;
    return -1;
}

int TDib::MapColor(const TColor &fromColor, const TColor &toColor, bool doAll) {
    int count = 0;
    for (int i = 0; i < NumClrs && Mode == DIB_RGB_COLORS; ++i) {
        if (GetColor(i) == fromColor) {
            SetColor(i, toColor);
            ++count;
            if (!doAll)
                break;
        }
    }
    return count;
}

unsigned short TDib::GetIndex(int entry) const {
    if (entry < 0 || entry >= NumClrs || Mode != DIB_PAL_COLORS)
        return 0;
    return GetIndices()[entry];
}

void TDib::SetIndex(int entry, unsigned short index) {
    if (entry < 0 || entry >= NumClrs || Mode != DIB_PAL_COLORS)
        return;
    CopyOnWrite();
    GetIndices()[entry] = index;
}

int TDib::FindIndex(unsigned short index) const {
    for (int i = 0; i < NumClrs && Mode == DIB_PAL_COLORS; ++i)
        if (GetIndices()[i] == index)
            return i;
    return -1;
}

int TDib::MapIndex(unsigned short fromIndex, unsigned short toIndex, bool doAll) {
    int count = 0;
    for (int i = 0; i < NumClrs && Mode == DIB_PAL_COLORS; ++i) {
        if (GetIndices()[i] == fromIndex) {
            SetIndex(i, toIndex);
            ++count;
            if (!doAll)
                break;
        }
    }
    return count;
}

void TDib::MapUIColors(unsigned mapColors, const TColor *bkgnd) {
    // Each system colour is resolved now: the image keeps today's scheme.
    if (mapColors & MapFace)
        MapColor(TColor::LtGray, TColor::Sys3dFace.Rgb());
    if (mapColors & MapText)
        MapColor(TColor::Black, TColor::SysBtnText.Rgb());
    if (mapColors & MapShadow)
        MapColor(TColor::Gray, TColor::Sys3dShadow.Rgb());
    if (mapColors & MapHighlight)
        MapColor(TColor::White, TColor::Sys3dHilight.Rgb());
    if (mapColors & MapFrame)
        MapColor(TColor::LtMagenta, TColor::SysWindowFrame.Rgb());
    if (bkgnd)
        MapColor(TColor::LtYellow, bkgnd->Rgb());
}

bool TDib::ChangeModeToPal(const TPalette &palette) {
    if (Mode == DIB_PAL_COLORS)
        return false;
    CopyOnWrite();
    int entries = palette.GetNumEntries();
    std::vector<PALETTEENTRY> pal = EntriesOf(palette, entries);
    // Indices are 2 bytes, quads 4: entry i is read before index i overwrites it.
    for (int i = 0; i < NumClrs; ++i) {
        RGBQUAD q = Colors[i];
        unsigned short index = static_cast<unsigned short>(i);
        for (int j = 0; j < entries; ++j) {
            if (pal[j].peRed == q.rgbRed && pal[j].peGreen == q.rgbGreen && pal[j].peBlue == q.rgbBlue) {
                index = static_cast<unsigned short>(j);
                break;
            }
        }
        GetIndices()[i] = index;
    }
    Mode = DIB_PAL_COLORS;
    return true;
}

bool TDib::ChangeModeToRGB(const TPalette &palette) {
    if (Mode != DIB_PAL_COLORS)
        return false;
    if (static_cast<char *>(Bits) - reinterpret_cast<char *>(Colors) < 4 * NumClrs)
        return false;
    CopyOnWrite();
    int entries = palette.GetNumEntries();
    std::vector<PALETTEENTRY> pal = EntriesOf(palette, entries);
    for (int i = int(NumClrs) - 1; i >= 0; --i) {
        unsigned short index = GetIndices()[i];
        const PALETTEENTRY &e = pal[index < entries ? index : 0];
        Colors[i].rgbRed = e.peRed;
        Colors[i].rgbGreen = e.peGreen;
        Colors[i].rgbBlue = e.peBlue;
    }
    Mode = DIB_RGB_COLORS;
    return true;
}

bool TDib::MapToPalette(const TPalette &palette) {
    // Only an 8-bit image with a full RGB table maps byte by byte.
    if (BitsPixel() != 8 || Mode != DIB_RGB_COLORS || NumClrs != 256 || Compression() != BI_RGB)
        return false;
    CopyOnWrite();
    unsigned char map[256];
    for (int i = 0; i < 256; ++i)
        map[i] = static_cast<unsigned char>(palette.GetNearestPaletteIndex(GetColor(i)));
    unsigned char *pixel = static_cast<unsigned char *>(Bits);
    for (unsigned long n = static_cast<unsigned long>(Pitch()) * Height(); n > 0; --n, ++pixel)
        *pixel = map[*pixel];
    PALETTEENTRY entries[256] = {};
    palette.GetPaletteEntries(0, 256, entries);
    for (int i = 0; i < 256; ++i)
        Colors[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return true;
}
