// Graphics object wrappers and the shared reference counts of their handles.
#include "tests/support/TestSupport.h"
#include "tests/framework/GdiCanvas.h"
#include "core/Dib.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
bool Alive(HANDLE handle) { return ::GetObjectType(HGDIOBJ(handle)) != 0; }
}  // namespace

TEST(GdiObject, ExactBlackAndWhiteOnePixelPensAreStockPens) {
    HANDLE handle;
    {
        TPen black(TColor::Black);
        handle = black.GetHandle();
        EXPECT_EQ(::GetStockObject(BLACK_PEN), handle);
        EXPECT_EQ(-1, TGdiObject::RefCount(handle));
        TPen white(TColor::White, 1, PS_SOLID);
        EXPECT_EQ(::GetStockObject(WHITE_PEN), white.GetHandle());
        TPen copy(white);
        EXPECT_EQ(-1, TGdiObject::RefCount(copy.GetHandle()));
    }
    EXPECT_TRUE(Alive(handle));

    // The same colour as a system colour, a wider pen or another style is a pen of its own.
    for (auto make : {+[] { return new TPen(TColor::SysWindowText); }, +[] { return new TPen(TColor::Black, 2); },
                      +[] { return new TPen(TColor::Black, 1, PS_DOT); }}) {
        std::unique_ptr<TPen> pen(make());
        handle = pen->GetHandle();
        EXPECT_NE(::GetStockObject(BLACK_PEN), handle);
        EXPECT_EQ(1, TGdiObject::RefCount(handle));
        pen.reset();
        EXPECT_FALSE(Alive(handle));
        EXPECT_EQ(-1, TGdiObject::RefCount(handle));
    }
}

TEST(GdiObject, CopiesShareOneHandleUntilTheLastGoes) {
    std::unique_ptr<TPen> first(new TPen(TColor(10, 20, 30), 3));
    HPEN handle = first->GetHandle();
    TPen copy(*first);
    EXPECT_EQ(handle, copy.GetHandle());
    EXPECT_EQ(2, TGdiObject::RefCount(handle));
    first.reset();
    EXPECT_TRUE(Alive(handle));
    LOGPEN logPen;
    ASSERT_TRUE(copy.GetObject(logPen));
    EXPECT_EQ(3, logPen.lopnWidth.x);
    EXPECT_EQ(1, TGdiObject::RefCount(handle));
}

TEST(GdiObject, ManyHoldersNeverWrapTheCount) {
    TFont font("Arial", 12);
    HFONT handle = font.GetHandle();
    std::vector<std::unique_ptr<TFont>> holders;
    for (int i = 0; i < 300; ++i)
        holders.emplace_back(new TFont(font));
    EXPECT_EQ(301, TGdiObject::RefCount(handle));
    holders.resize(44);
    EXPECT_EQ(45, TGdiObject::RefCount(handle));
    EXPECT_TRUE(Alive(handle));
}

TEST(GdiObject, UnknownHandlesAreLeftAlone) {
    HBRUSH foreign = ::CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(-1, TGdiObject::RefCount(foreign));
    TGdiObject::RefDec(foreign);
    TGdiObject::RefInc(foreign);
    EXPECT_EQ(-1, TGdiObject::RefCount(foreign));
    EXPECT_TRUE(Alive(foreign));
    {
        TBrush wrapped(foreign, NoAutoDelete);
    }
    EXPECT_TRUE(Alive(foreign));
    {
        TBrush owned(foreign, AutoDelete);
        EXPECT_EQ(1, TGdiObject::RefCount(foreign));
        TGdiObject::RefRemove(foreign);
        EXPECT_EQ(-1, TGdiObject::RefCount(foreign));
    }
    EXPECT_TRUE(Alive(foreign));
    ::DeleteObject(foreign);
}

TEST(GdiObject, SolidBrushesAreSharedThroughTheCache) {
    TBrush a(TColor(1, 1, 1));
    TBrush b(TColor(1, 1, 1));
    EXPECT_EQ(a.GetHandle(), b.GetHandle());
    EXPECT_EQ(a.GetHandle(), TBrush::CachedSolidBrush(0));

    // Eight newer colours push the first one out; the wrappers still hold it.
    HBRUSH held = a.GetHandle();
    HBRUSH dropped;
    {
        TBrush unheld(TColor(2, 2, 2));
        dropped = unheld.GetHandle();
    }
    for (int i = 0; i < 8; ++i)
        TBrush newer(TColor(100 + i, 0, 0));
    EXPECT_NE(held, TBrush::CachedSolidBrush(7));
    EXPECT_TRUE(Alive(held));
    EXPECT_EQ(2, TGdiObject::RefCount(held));
    EXPECT_FALSE(Alive(dropped));
    LOGBRUSH logBrush;
    ASSERT_TRUE(a.GetObject(logBrush));
    EXPECT_EQ(RGB(1, 1, 1), logBrush.lbColor);

    // A hit moves the slot to the front.
    HBRUSH oldest = TBrush::CachedSolidBrush(7);
    TBrush again(TColor(100, 0, 0));
    EXPECT_EQ(oldest, again.GetHandle());
    EXPECT_EQ(oldest, TBrush::CachedSolidBrush(0));
}

TEST(GdiObject, EvictedBrushSelectedInAContextLivesUntilDeselected) {
    Canvas canvas(4, 4);
    HBRUSH handle;
    {
        TBrush brush(TColor(3, 3, 3));
        handle = brush.GetHandle();
        canvas.dc().SelectObject(brush);
    }
    for (int i = 0; i < 8; ++i)
        TBrush newer(TColor(0, 100 + i, 0));
    EXPECT_TRUE(Alive(handle));
    canvas.dc().PatBlt(0, 0, 4, 4, PATCOPY);
    EXPECT_EQ(RGB(3, 3, 3), canvas.At(1, 1));
    canvas.dc().RestoreBrush();
    EXPECT_FALSE(Alive(handle));
}

TEST(GdiObject, HatchBrushPatternByteZeroIsTheTopRow) {
    const unsigned char pattern[8] = {0x80, 0, 0, 0, 0, 0, 0, 0x01};
    THatch8x8Brush brush(pattern, TColor(255, 0, 0), TColor(0, 0, 255));
    Canvas canvas(8, 8);
    canvas.dc().SelectObject(brush);
    canvas.dc().PatBlt(0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(1, 0));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(0, 1));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(7, 7));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(7, 6));

    const unsigned char full[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    HBRUSH before = brush.GetHandle();
    brush.Reconstruct(full, TColor(0, 255, 0), TColor::Black);
    EXPECT_EQ(1, TGdiObject::RefCount(brush.GetHandle()));
    canvas.dc().SelectObject(brush);
    EXPECT_FALSE(Alive(before));  // released by the context when replaced
    canvas.dc().PatBlt(0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(3, 3));
}

TEST(GdiObject, CreationFailuresRaiseGdiExceptions) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = 4;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    try {
        TPalette palette(&info, 0);
        FAIL() << "a true-colour header has no colours to make a palette of";
    } catch (const TXGdi &failure) {
        EXPECT_EQ(32739u, failure.GetErrorCode());
    }

    testsupport::TempDir dir;
    std::string file = dir.File("noicons.txt");
    testsupport::WriteBytes(file, "no icons here");
    EXPECT_THROW(TIcon(::GetModuleHandleA(0), file.c_str(), 0), TXGdi);
}

TEST(GdiObject, PaletteEntriesAndCopies) {
    PALETTEENTRY entries[3] = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};
    TPalette palette(entries, 3);
    EXPECT_EQ(3, palette.GetNumEntries());
    TPalette copy(palette);
    EXPECT_NE(palette.GetHandle(), copy.GetHandle());
    PALETTEENTRY entry;
    copy.GetPaletteEntry(1, entry);
    EXPECT_EQ(255, entry.peGreen);
    EXPECT_EQ(2u, copy.GetNearestPaletteIndex(TColor(0, 0, 250)));
}

TEST(GdiObject, BitmapCopyIsDeep) {
    Canvas canvas(6, 4, RGB(9, 8, 7));
    TScreenDC screen;
    TBitmap source(screen, 6, 4);
    {
        TMemoryDC dc(source);
        dc.BitBlt(0, 0, 6, 4, canvas.dc(), 0, 0);
    }
    TBitmap copy(source);
    EXPECT_NE(source.GetHandle(), copy.GetHandle());
    EXPECT_EQ(6, copy.Width());
    EXPECT_EQ(4, copy.Height());
    canvas.Fill(0);
    {
        TMemoryDC dc(copy);
        canvas.dc().BitBlt(0, 0, 6, 4, dc, 0, 0);
    }
    EXPECT_EQ(RGB(9, 8, 7), canvas.At(5, 3));

    TBitmap mono(8, 8, 1, 1);
    TBitmap monoCopy(mono);
    EXPECT_EQ(1, monoCopy.BitsPixel());
}

TEST(GdiObject, RegionsCombineInPlace) {
    TRegion region(TRect(0, 0, 10, 10));
    region |= TRect(20, 0, 30, 10);
    EXPECT_TRUE(region.Contains(TPoint(25, 5)));
    EXPECT_FALSE(region.Contains(TPoint(15, 5)));
    region &= TRect(5, 0, 25, 10);
    EXPECT_EQ(TRect(5, 0, 25, 10), region.GetRgnBox());
    region += TSize(1, 2);
    EXPECT_EQ(TRect(6, 2, 26, 12), region.GetRgnBox());
    TRegion copy(region);
    EXPECT_TRUE(copy == region);
    copy -= TRegion(TRect(0, 0, 100, 100));
    EXPECT_TRUE(copy.GetRgnBox().IsEmpty());
    EXPECT_TRUE(region.Touches(TRect(0, 0, 7, 3)));
}

TEST(GdiObject, FailuresCarryTheLibrarysTextWithTheHandle) {
    TXGdi failure(32734, HANDLE(0x1A2B));
    EXPECT_STREQ("Internal error: GDI object 1A2B delete failure", failure.why().c_str());
    EXPECT_EQ(32734u, failure.GetErrorCode());
    std::unique_ptr<TXGdi> clone(failure.Clone());
    EXPECT_STREQ(failure.why().c_str(), clone->why().c_str());
    EXPECT_STREQ("Internal error: GDI failure", TXGdi().why().c_str());
}
