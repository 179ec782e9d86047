// Device-independent bitmaps: reading and checking packed blocks, colour
// tables, round trips through device bitmaps, and rows of cels.
#include "tests/framework/GdiCanvas.h"
#include "core/Dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
const COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255);

// A packed DIB in global memory: header, table, then rows as given (first
// row first in memory). Returns null for a block the caller wants damaged.
HGLOBAL PackedDib(BITMAPINFOHEADER header, const std::vector<RGBQUAD> &table, const std::vector<unsigned char> &bits,
                  size_t extra = 0) {
    size_t size = sizeof header + table.size() * 4 + bits.size() + extra;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    char *p = static_cast<char *>(::GlobalLock(block));
    std::memcpy(p, &header, sizeof header);
    if (!table.empty())
        std::memcpy(p + sizeof header, table.data(), table.size() * 4);
    std::memcpy(p + sizeof header + table.size() * 4, bits.data(), bits.size());
    ::GlobalUnlock(block);
    return block;
}

BITMAPINFOHEADER Header(int width, int height, int bits, int used = 0, unsigned long sizeImage = 0) {
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = WORD(bits);
    h.biCompression = BI_RGB;
    h.biClrUsed = used;
    h.biSizeImage = sizeImage;
    return h;
}

RGBQUAD Quad(COLORREF c) { return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0}; }

// A 4 x 2 picture: top row red, green, blue, white; bottom row white, blue, green, red.
const COLORREF Picture[2][4] = {{Red, Green, Blue, White}, {White, Blue, Green, Red}};

// Encodes the picture in the given bit count, top-down or bottom-up.
HGLOBAL PictureDib(int bits, bool topDown) {
    std::vector<RGBQUAD> table;
    if (bits <= 8)
        table = {Quad(Red), Quad(Green), Quad(Blue), Quad(White)};
    auto index = [](COLORREF c) { return c == Red ? 0 : c == Green ? 1 : c == Blue ? 2 : 3; };
    int pitch = TDib::ScanBytes(4, bits);
    std::vector<unsigned char> rows(pitch * 2);
    for (int y = 0; y < 2; ++y) {
        unsigned char *row = &rows[(topDown ? y : 1 - y) * pitch];
        for (int x = 0; x < 4; ++x) {
            COLORREF c = Picture[y][x];
            int i = index(c);
            switch (bits) {
            case 1: row[0] |= (i & 1) << (7 - x); break;  // two colours: red/green only by parity
            case 4: row[x / 2] |= i << (x % 2 ? 0 : 4); break;
            case 8: row[x] = i; break;
            case 24: row[3 * x] = GetBValue(c), row[3 * x + 1] = GetGValue(c), row[3 * x + 2] = GetRValue(c); break;
            }
        }
    }
    if (bits == 1)
        table.resize(2);
    return PackedDib(Header(4, topDown ? -2 : 2, bits, bits <= 8 ? int(table.size()) : 0), table, rows);
}

COLORREF Expected(int bits, int x, int y) {
    COLORREF c = Picture[y][x];
    if (bits != 1)
        return c;
    int i = c == Red ? 0 : c == Green ? 1 : c == Blue ? 2 : 3;
    return i & 1 ? Green : Red;
}

void ExpectPicture(const Canvas &canvas, int bits) {
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Expected(bits, x, y), canvas.At(x, y)) << bits << " bits at " << x << "," << y;
}
}  // namespace

class DibRoundTrip : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(DibRoundTrip, DrawsAndComesBackThroughADeviceBitmap) {
    int bits = std::get<0>(GetParam());
    bool topDown = std::get<1>(GetParam());
    TDib dib(PictureDib(bits, topDown), AutoDelete);
    EXPECT_EQ(4, dib.Width());
    EXPECT_EQ(2, dib.Height());
    EXPECT_EQ(topDown, dib.IsTopDown());
    EXPECT_EQ(bits, dib.BitsPixel());

    Canvas canvas(4, 2, 0);
    canvas.dc().SetDIBitsToDevice(TRect(0, 0, 4, 2), TPoint(0, 0), dib);
    ExpectPicture(canvas, bits);

    TBitmap bitmap(dib);
    TDib back(bitmap);
    EXPECT_EQ(4, back.Width());
    EXPECT_EQ(2, back.Height());
    Canvas again(4, 2, 0);
    again.dc().SetDIBitsToDevice(TRect(0, 0, 4, 2), TPoint(0, 0), back);
    ExpectPicture(again, bits);

    TDib copy(dib);
    EXPECT_NE(copy.GetHandle(), dib.GetHandle());
    EXPECT_EQ(dib.SizeDib(), copy.SizeDib());
    Canvas fromCopy(4, 2, 0);
    fromCopy.dc().StretchDIBits(TRect(0, 0, 4, 2), TRect(0, 0, 4, 2), copy);
    ExpectPicture(fromCopy, bits);
}

INSTANTIATE_TEST_SUITE_P(BitCounts, DibRoundTrip,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24), ::testing::Bool()));

TEST(Dib, MalformedHeadersAreRejected) {
    std::vector<unsigned char> pixels(64);
    struct Case {
        const char *what;
        BITMAPINFOHEADER header;
        size_t tableEntries;
    };
    BITMAPINFOHEADER core = Header(4, 4, 8);
    core.biSize = 12;
    BITMAPINFOHEADER planes = Header(4, 4, 8, 0, 16);
    planes.biPlanes = 2;
    BITMAPINFOHEADER rle = Header(4, -4, 8, 0, 16);
    rle.biCompression = BI_RLE8;
    BITMAPINFOHEADER fields = Header(4, 4, 8, 0, 16);
    fields.biCompression = BI_BITFIELDS;
    const Case cases[] = {
        {"core header", core, 256},
        {"bit count 7", Header(4, 4, 7, 0, 16), 128},
        {"zero width", Header(0, 4, 8, 0, 16), 256},
        {"zero height", Header(4, 0, 8, 0, 16), 256},
        {"two planes", planes, 256},
        {"300 colours for 8 bits", Header(4, 4, 8, 300, 16), 300},
        {"table past the block", Header(4, 4, 8, 0, 16), 4},
        {"image size past the block", Header(4, 4, 8, 4, 4000), 4},
        {"image size too small for the rows", Header(16, 4, 8, 4, 16), 4},
        {"top-down compressed", rle, 256},
        {"bit fields on 8 bits", fields, 256},
        {"rows too many to count", Header(0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 16), 0},
    };
    for (const Case &c : cases) {
        HGLOBAL block = PackedDib(c.header, std::vector<RGBQUAD>(c.tableEntries), pixels);
        try {
            TDib dib(block, NoAutoDelete);
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const TXGdi &failure) {
            EXPECT_EQ(32732u, failure.GetErrorCode()) << c.what;
        }
        EXPECT_EQ(0u, ::GlobalFlags(block) & GMEM_LOCKCOUNT) << c.what << " left the block locked";
        ::GlobalFree(block);
    }
}

TEST(Dib, ReadingABitmapThroughAShortPaletteStaysInsideTheBlock) {
    // Twenty colours take 8 bits but only twenty table entries; the system
    // answers with a full table of 256.
    std::vector<PALETTEENTRY> entries(20);
    for (int i = 0; i < 20; ++i)
        entries[i] = PALETTEENTRY{BYTE(i * 12), BYTE(255 - i * 12), BYTE(i), 0};
    entries[7] = PALETTEENTRY{255, 0, 0, 0};
    TPalette palette(entries.data(), 20);
    TScreenDC screen;
    TBitmap bitmap(screen, 2, 1);
    {
        TMemoryDC dc(bitmap);
        dc.SetPixel(0, 0, Red);
        dc.SetPixel(1, 0, Red);
    }
    TDib dib(bitmap, &palette);
    EXPECT_EQ(8, dib.BitsPixel());
    EXPECT_EQ(20, dib.NumColors());
    EXPECT_TRUE(::HeapValidate(::GetProcessHeap(), 0, 0));
    EXPECT_GE(::GlobalSize(dib.GetHandle()), dib.SizeDib());
    Canvas canvas(2, 1, 0);
    canvas.dc().SetDIBitsToDevice(TRect(0, 0, 2, 1), TPoint(0, 0), dib);
    EXPECT_EQ(Red, canvas.At(0, 0));
    EXPECT_EQ(Red, canvas.At(1, 0));

    // Three colours take 4 bits: two pixels share a byte, the first in the high half.
    PALETTEENTRY three[3] = {{0, 0, 255, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}};
    TPalette small(three, 3);
    {
        TMemoryDC dc(bitmap);
        dc.SetPixel(1, 0, Green);
    }
    TDib packed(bitmap, &small);
    EXPECT_EQ(4, packed.BitsPixel());
    EXPECT_EQ(0x12, *static_cast<const unsigned char *>(packed.GetBits()));
    EXPECT_EQ(Green, packed.GetColor(2).GetRaw());
}

TEST(Dib, ImageSizeZeroIsComputedFromTheRows) {
    TDib dib(PackedDib(Header(4, 2, 8, 4, 0), {Quad(Red), Quad(Green), Quad(Blue), Quad(White)},
                       std::vector<unsigned char>(8, 2)),
             AutoDelete);
    EXPECT_EQ(8u, dib.SizeImage());
    EXPECT_EQ(40u + 16 + 8, dib.SizeDib());
}

TEST(Dib, BlankDibsHaveTheTableTheirBitCountNeeds) {
    TDib none(8, 8, 0);
    EXPECT_EQ(1, none.BitsPixel());
    EXPECT_EQ(2, none.NumColors());
    EXPECT_EQ(40u + 8 + 32, none.SizeDib());

    TDib sixteen(10, 3, 16);
    EXPECT_EQ(4, sixteen.BitsPixel());
    EXPECT_EQ(16, sixteen.NumColors());
    EXPECT_EQ(8, sixteen.Pitch());
    EXPECT_EQ(24u, sixteen.SizeImage());

    TDib indices(4, 4, 256, DIB_PAL_COLORS);
    EXPECT_EQ(DIB_PAL_COLORS, indices.Usage());
    EXPECT_EQ(512, indices.SizeColors());
    EXPECT_EQ(255, indices.GetIndex(255));
    EXPECT_EQ(0x01000000u, indices.GetColor(3).GetRaw());
}

TEST(Dib, ColourTableEdits) {
    TDib dib(PackedDib(Header(2, 2, 8, 4, 8), {Quad(RGB(192, 192, 192)), Quad(White), Quad(White), Quad(0)},
                       std::vector<unsigned char>(8)),
             AutoDelete);
    EXPECT_EQ(1, dib.FindColor(TColor::White));
    EXPECT_EQ(-1, dib.FindColor(TColor(1, 2, 3)));
    EXPECT_EQ(0x01000000u, dib.GetColor(4).GetRaw());

    dib.MapUIColors(TDib::MapFace | TDib::MapHighlight);
    EXPECT_EQ(TColor::Sys3dFace.GetValue(), dib.GetColor(0).GetRaw());
    EXPECT_EQ(TColor::Sys3dHilight.GetValue(), dib.GetColor(1).GetRaw());
    EXPECT_EQ(RGB(255, 255, 255), dib.GetColor(2).GetRaw());
    EXPECT_EQ(0u, dib.GetColor(3).GetRaw());


    dib.SetColor(0, TColor(7, 7, 7));
    dib.SetColor(1, TColor(7, 7, 7));
    dib.SetColor(2, TColor(7, 7, 7));
    EXPECT_EQ(1, dib.MapColor(TColor(7, 7, 7), TColor(8, 8, 8)));
    EXPECT_EQ(2, dib.MapColor(TColor(7, 7, 7), TColor(9, 9, 9), true));
    EXPECT_EQ(RGB(8, 8, 8), dib.GetColor(0).GetRaw());
    EXPECT_EQ(RGB(9, 9, 9), dib.GetColor(2).GetRaw());
}

TEST(Dib, TrueColourImagesHaveNoTable) {
    TDib dib(PictureDib(24, false), AutoDelete);
    EXPECT_EQ(0, dib.NumColors());
    EXPECT_EQ(nullptr, dib.GetColors());
    for (int i : {0, 1, 255})
        EXPECT_EQ(0x01000000u, dib.GetColor(i).GetRaw());
}

TEST(Dib, SwitchingBetweenColoursAndPaletteIndices) {
    PALETTEENTRY entries[3] = {{0, 0, 255, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}};
    TPalette palette(entries, 3);
    TDib dib(PackedDib(Header(2, 2, 8, 3, 8), {Quad(Red), Quad(Green), Quad(RGB(1, 2, 3))},
                       std::vector<unsigned char>(8)),
             AutoDelete);
    ASSERT_TRUE(dib.ChangeModeToPal(palette));
    EXPECT_EQ(DIB_PAL_COLORS, dib.Usage());
    EXPECT_EQ(1, dib.GetIndex(0));
    EXPECT_EQ(2, dib.GetIndex(1));
    EXPECT_EQ(2, dib.GetIndex(2));  // no match keeps its own position
    EXPECT_FALSE(dib.ChangeModeToPal(palette));
    EXPECT_EQ(1, dib.GetIndex(0));

    ASSERT_TRUE(dib.ChangeModeToRGB(palette));
    EXPECT_EQ(DIB_RGB_COLORS, dib.Usage());
    EXPECT_EQ(Red, dib.GetColor(0).GetRaw());
    EXPECT_EQ(Green, dib.GetColor(1).GetRaw());
    EXPECT_EQ(Green, dib.GetColor(2).GetRaw());
    EXPECT_FALSE(dib.ChangeModeToRGB(palette));
}

TEST(Dib, MapToPaletteRewritesPixelsAndTable) {
    std::vector<RGBQUAD> table(256, Quad(0));
    table[5] = Quad(RGB(250, 0, 0));
    table[6] = Quad(RGB(0, 0, 240));
    TDib dib(PackedDib(Header(4, 1, 8, 0, 4), table, {5, 6, 5, 0}), AutoDelete);
    std::vector<PALETTEENTRY> entries(256, PALETTEENTRY{0, 0, 0, 0});
    entries[1] = {0, 0, 255, 0};
    entries[2] = {255, 0, 0, 0};
    TPalette palette(entries.data(), 256);
    ASSERT_TRUE(dib.MapToPalette(palette));
    const unsigned char *pixels = static_cast<const unsigned char *>(dib.GetBits());
    EXPECT_EQ(2, pixels[0]);
    EXPECT_EQ(1, pixels[1]);
    EXPECT_EQ(0, pixels[3]);
    EXPECT_EQ(Red, dib.GetColor(2).GetRaw());

    TDib small(PictureDib(4, false), AutoDelete);
    EXPECT_FALSE(small.MapToPalette(palette));
}

TEST(Dib, ResourcesLoadFromAModule) {
    HMODULE common = ::LoadLibraryA((ProgramFolder() + "..\\program\\system\\CommonRscTs.dll").c_str());
    ASSERT_TRUE(common);
    TDib dib(common, 23011);
    EXPECT_EQ(8, dib.BitsPixel());
    EXPECT_EQ(256, dib.NumColors());
    EXPECT_EQ(RGB(255, 255, 255), dib.GetColor(82).GetRaw());
    EXPECT_EQ(RGB(255, 0, 0), dib.GetColor(81).GetRaw());
    try {
        TDib missing(common, 4711);
        FAIL() << "a missing bitmap loaded";
    } catch (const TXGdi &failure) {
        EXPECT_EQ(32736u, failure.GetErrorCode());
    }
    ::FreeLibrary(common);
}

TEST(CelArray, GrowsByWholeStepsAndRemovesCels) {
    TScreenDC screen;
    TCelArray cels(TSize(2, 2), 0, 4, 1);
    EXPECT_EQ(0, cels.NumCels());
    // Two cels in use, then a bitmap three cels wide.
    Canvas strip(6, 2);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y)
            ::SetPixel(strip.dc(), x, y, RGB(x * 40, 0, 0));
    TBitmap two(screen, 4, 2), three(screen, 6, 2);
    {
        TMemoryDC dc(two);
        dc.BitBlt(0, 0, 4, 2, strip.dc(), 0, 0);
        TMemoryDC dc3(three);
        dc3.BitBlt(0, 0, 6, 2, strip.dc(), 0, 0);
    }
    EXPECT_EQ(0, cels.Add(two));
    EXPECT_EQ(2, cels.NumCels());
    EXPECT_EQ(2, cels.Add(three));
    EXPECT_EQ(5, cels.NumCels());
    EXPECT_EQ(12, static_cast<TBitmap &>(cels).Width());  // room 4 grew to 6 cels

    Canvas out(2, 2, 0);
    cels.BitBlt(3, out.dc(), 0, 0);
    EXPECT_EQ(RGB(80, 0, 0), out.At(0, 0));

    EXPECT_TRUE(cels.Remove(3));
    EXPECT_EQ(4, cels.NumCels());
    cels.BitBlt(3, out.dc(), 0, 0);
    EXPECT_EQ(RGB(160, 0, 0), out.At(0, 0));  // the last cel moved left
    EXPECT_TRUE(cels.Remove(3));
    EXPECT_EQ(3, cels.NumCels());
    EXPECT_FALSE(cels.Remove(3));
    EXPECT_TRUE(cels.Replace(0, three));
    EXPECT_FALSE(cels.Replace(3, three));
    EXPECT_EQ(TRect(4, 0, 6, 2), cels[2]);
    EXPECT_TRUE(cels.RemoveAll());
    EXPECT_EQ(0, cels.NumCels());

    TCelArray copy(cels);
    EXPECT_NE(&static_cast<TBitmap &>(copy), &static_cast<TBitmap &>(cels));
}

TEST(CelArray, GrowingKeepsCelsThatStartAtAnOffset) {
    TScreenDC screen;
    // Blue margin, then a red and a green cel.
    Canvas strip(6, 2);
    const COLORREF colors[3] = {RGB(0, 0, 255), RGB(255, 0, 0), RGB(0, 255, 0)};
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y)
            ::SetPixel(strip.dc(), x, y, colors[x / 2]);
    TBitmap *owned = new TBitmap(screen, 6, 2);
    {
        TMemoryDC dc(*owned);
        dc.BitBlt(0, 0, 6, 2, strip.dc(), 0, 0);
    }
    TCelArray cels(owned, 2, TSize(2, 2), TPoint(2, 0), AutoDelete);
    TBitmap white(screen, 2, 2);
    {
        TMemoryDC dc(white);
        dc.PatBlt(0, 0, 2, 2, WHITENESS);
    }
    EXPECT_EQ(2, cels.Add(white));
    Canvas out(6, 2, 0);
    for (int i = 0; i < 3; ++i)
        cels.BitBlt(i, out.dc(), 2 * i, 0);
    EXPECT_EQ(RGB(255, 0, 0), out.At(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), out.At(3, 1));
    EXPECT_EQ(RGB(255, 255, 255), out.At(5, 1));
}

TEST(CelArray, AddsCelsOfAnotherArrayAndCannotGrowABorrowedBitmap) {
    TScreenDC screen;
    TBitmap borrowed(screen, 4, 2);
    TCelArray fixed(&borrowed, 2, TSize(0, 0), TPoint(0, 0), NoAutoDelete);
    EXPECT_EQ(TSize(2, 2), fixed.CelSize());
    EXPECT_EQ(-1, fixed.Add(borrowed));
    TCelArray growing(TSize(2, 2), 0, 1, 1);
    EXPECT_EQ(0, growing.Add(fixed, 1));
    EXPECT_EQ(1, growing.Add(fixed, 0));
    EXPECT_EQ(2, growing.NumCels());
    growing.SetNGrowBy(0);  // full, and no step to grow by
    EXPECT_EQ(-1, growing.Add(fixed, 0));
    EXPECT_EQ(2, growing.NumCels());
}
