#include "core/GdiObject.h"
#include "core/Dib.h"

#include <algorithm>
#include <vector>

TPalette::TPalette(HPALETTE handle, TAutoDelete autoDelete) : TGdiObject(handle, autoDelete) {
    if (ShouldDelete)
        RefAdd(Handle, TObjInfo::Palette);
}

TPalette::TPalette(const TPalette &src) {
    int count = src.GetNumEntries();
    std::vector<PALETTEENTRY> entries(count);
    if (count > 0)
        src.GetPaletteEntries(0, count, entries.data());
    Handle = FromEntries(entries.data(), count);
    CheckValid();
    RefAdd(Handle, TObjInfo::Palette);
}

TPalette::TPalette(const LOGPALETTE *logPalette) {
    Handle = ::CreatePalette(logPalette);
    CheckValid();
    RefAdd(Handle, TObjInfo::Palette);
}

TPalette::TPalette(const PALETTEENTRY *entries, int count) {
    Handle = FromEntries(entries, count);
    CheckValid();
    RefAdd(Handle, TObjInfo::Palette);
}

// A version 0x300 palette of the entries; null for an empty table.
HPALETTE TPalette::FromEntries(const PALETTEENTRY *entries, int count) {
    if (count <= 0 || count > 0xFFFF)
        return 0;
    std::vector<char> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    LOGPALETTE *logPalette = reinterpret_cast<LOGPALETTE *>(block.data());
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = WORD(count);
    std::copy(entries, entries + count, logPalette->palPalEntry);
    return ::CreatePalette(logPalette);
}

HPALETTE TPalette::FromTable(const RGBQUAD *quads, const RGBTRIPLE *triples, int count, unsigned flags) {
    if (count <= 0 || (!quads && !triples))
        return 0;
    std::vector<PALETTEENTRY> entries(count);
    for (int i = 0; i < count; ++i) {
        entries[i].peRed = quads ? quads[i].rgbRed : triples[i].rgbtRed;
        entries[i].peGreen = quads ? quads[i].rgbGreen : triples[i].rgbtGreen;
        entries[i].peBlue = quads ? quads[i].rgbBlue : triples[i].rgbtBlue;
        entries[i].peFlags = BYTE(flags);
    }
    return FromEntries(entries.data(), count);
}

TPalette::TPalette(const BITMAPINFO *info, unsigned flags) {
    const BITMAPINFOHEADER &header = info->bmiHeader;
    int count = header.biClrUsed ? int(header.biClrUsed) : NColors(header.biBitCount);
    const RGBQUAD *table = reinterpret_cast<const RGBQUAD *>(reinterpret_cast<const char *>(info) + header.biSize +
                                                             (header.biCompression == BI_BITFIELDS ? 12 : 0));
    Handle = FromTable(table, 0, count, flags);
    CheckValid();
    RefAdd(Handle, TObjInfo::Palette);
}

TPalette::TPalette(const BITMAPCOREINFO *info, unsigned flags) {
    Handle = FromTable(0, info->bmciColors, NColors(info->bmciHeader.bcBitCount), flags);
    CheckValid();
    RefAdd(Handle, TObjInfo::Palette);
}

TPalette::TPalette(const TDib &dib, unsigned flags) {
    if (dib.Usage() == DIB_RGB_COLORS)
        Handle = FromTable(dib.GetColors(), 0, dib.NumColors(), flags);
    CheckValid();
    RefAdd(Handle, TObjInfo::Palette);
}

TPalette::~TPalette() { Release(); }

int TPalette::GetNumEntries() const {
    unsigned short count = 0;
    return GetObject(count) ? count : 0;
}
