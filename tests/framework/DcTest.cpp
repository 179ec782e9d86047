// Device contexts put back what they held and release the framework's objects.
#include "tests/framework/GdiCanvas.h"
#include "core/Dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {
bool Alive(HANDLE handle) { return ::GetObjectType(HGDIOBJ(handle)) != 0; }
}  // namespace

TEST(Dc, SelectingReleasesReplacedObjectsAndRestoresTheInitialOnes) {
    HDC raw = ::CreateCompatibleDC(0);
    HGDIOBJ initialPen = ::GetCurrentObject(raw, OBJ_PEN);
    HGDIOBJ initialBrush = ::GetCurrentObject(raw, OBJ_BRUSH);
    HGDIOBJ initialFont = ::GetCurrentObject(raw, OBJ_FONT);
    HPEN a, b;
    std::unique_ptr<TPen> penB(new TPen(TColor(0, 0, 200), 2));
    b = penB->GetHandle();
    {
        TDC dc(raw);
        {
            TPen penA(TColor(200, 0, 0), 2);
            a = penA.GetHandle();
            dc.SelectObject(penA);
            EXPECT_EQ(2, TGdiObject::RefCount(a));
        }
        EXPECT_TRUE(Alive(a));  // the context still holds it
        dc.SelectObject(*penB);
        EXPECT_FALSE(Alive(a));
        EXPECT_EQ(2, TGdiObject::RefCount(b));
        TFont font("Arial", 14);
        dc.SelectObject(font);
        dc.SelectObject(TBrush(TColor(1, 2, 3), HS_CROSS));
    }
    EXPECT_EQ(initialPen, ::GetCurrentObject(raw, OBJ_PEN));
    EXPECT_EQ(initialBrush, ::GetCurrentObject(raw, OBJ_BRUSH));
    EXPECT_EQ(initialFont, ::GetCurrentObject(raw, OBJ_FONT));
    EXPECT_EQ(1, TGdiObject::RefCount(b));
    penB.reset();
    EXPECT_FALSE(Alive(b));
    ::DeleteDC(raw);
}

TEST(Dc, StockObjectsReplaceWithoutSavingTheInitialOne) {
    Canvas canvas(4, 4);
    HPEN pen;
    {
        TPen own(TColor(5, 5, 5));
        pen = own.GetHandle();
        canvas.dc().SelectObject(own);
    }
    canvas.dc().SelectStockObject(NULL_PEN);
    EXPECT_FALSE(Alive(pen));
    canvas.dc().RestorePen();
    EXPECT_NE(::GetStockObject(NULL_PEN), ::GetCurrentObject(canvas.dc(), OBJ_PEN));
}

TEST(Dc, MemoryContextsComeFromACacheOfEight) {
    std::unique_ptr<TMemoryDC> dcs[9];
    for (int i = 0; i < 8; ++i) {
        dcs[i].reset(new TMemoryDC);
        EXPECT_EQ(TMemoryDC::CachedDC(i), dcs[i]->GetHDC());
        EXPECT_TRUE(TMemoryDC::CachedDCInUse(i));
    }
    dcs[8].reset(new TMemoryDC);
    HDC own = dcs[8]->GetHDC();
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(TMemoryDC::CachedDC(i), own);
    for (auto &dc : dcs)
        dc.reset();
    EXPECT_EQ(0u, ::GetObjectType(own));
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(TMemoryDC::CachedDCInUse(i));
    TMemoryDC again;
    EXPECT_EQ(TMemoryDC::CachedDC(0), again.GetHDC());
}

TEST(Dc, CachedContextsComeBackClean) {
    HDC first;
    int slot = -1;
    {
        TMemoryDC dc;
        first = dc.GetHDC();
        for (int i = 0; i < 8; ++i)
            if (TMemoryDC::CachedDC(i) == first)
                slot = i;
        ASSERT_GE(slot, 0);
        dc.SetViewportOrg(TPoint(5, 5));
        dc.SetBkMode(TRANSPARENT);
        {
            TMemoryDC wrapper(first, NoAutoDelete);
        }
        EXPECT_TRUE(TMemoryDC::CachedDCInUse(slot));  // a mere wrapper gives nothing back
    }
    EXPECT_FALSE(TMemoryDC::CachedDCInUse(slot));
    TMemoryDC again;
    EXPECT_EQ(first, again.GetHDC());
    EXPECT_EQ(TPoint(0, 0), again.GetViewportOrg());
    EXPECT_EQ(OPAQUE, again.GetBkMode());
}

TEST(Dc, MemoryContextPutsBackItsBitmap) {
    TScreenDC screen;
    TBitmap bitmap(screen, 4, 4);
    HDC raw;
    {
        TMemoryDC dc(bitmap);
        raw = dc.GetHDC();
        EXPECT_EQ(bitmap.GetHandle(), ::GetCurrentObject(raw, OBJ_BITMAP));
        EXPECT_EQ(2, TGdiObject::RefCount(bitmap.GetHandle()));
    }
    EXPECT_NE(bitmap.GetHandle(), ::GetCurrentObject(raw, OBJ_BITMAP));
    EXPECT_EQ(1, TGdiObject::RefCount(bitmap.GetHandle()));
}

TEST(Dc, ReadingBitsIntoADibWithAShortTableStaysInsideIt) {
    TScreenDC screen;
    TBitmap bitmap(screen, 2, 1);
    {
        TMemoryDC dc(bitmap);
        dc.PatBlt(0, 0, 2, 1, WHITENESS);
    }
    TDib dib(2, 1, 20);  // 8 bits, but a table of twenty
    EXPECT_EQ(1, screen.GetDIBits(bitmap, dib));
    EXPECT_TRUE(::HeapValidate(::GetProcessHeap(), 0, 0));
    EXPECT_EQ(20, dib.NumColors());
    EXPECT_EQ(20u, dib.GetInfoHeader()->biClrUsed);
}

TEST(Dc, TextOutWithNegativeLengthWritesTheWholeText) {
    Canvas whole(80, 20), counted(80, 20), first(80, 20);
    whole.dc().TextOutA(0, 0, "WMW", -1);
    counted.dc().TextOutA(0, 0, "WMW", 3);
    first.dc().TextOutA(TPoint(0, 0), "WMW", 1);
    EXPECT_TRUE(whole.SameAs(counted));
    EXPECT_FALSE(whole.SameAs(first));
}

TEST(Dc, AttributeSettersReturnThePreviousValue) {
    Canvas canvas(4, 4);
    TDC &dc = canvas.dc();
    dc.SetBkColor(TColor(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), dc.SetBkColor(TColor(4, 5, 6)).GetRaw());
    EXPECT_EQ(RGB(4, 5, 6), dc.GetBkColor().GetRaw());
    dc.SetTextColor(TColor::Sys3dShadow);
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), dc.GetTextColor().GetRaw());
    EXPECT_EQ(OPAQUE, dc.SetBkMode(TRANSPARENT));
    EXPECT_EQ(TRANSPARENT, dc.GetBkMode());
    TPoint old;
    dc.SetViewportOrg(TPoint(3, 4), &old);
    EXPECT_EQ(TPoint(0, 0), old);
    EXPECT_EQ(TPoint(3, 4), dc.GetViewportOrg());
}

TEST(Dc, TextRectAndFastFrame) {
    Canvas canvas(10, 10);
    canvas.dc().TextRect(TRect(1, 1, 3, 3), TColor(0, 128, 0));
    EXPECT_EQ(RGB(0, 128, 0), canvas.At(2, 2));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(3, 3));
    EXPECT_EQ(RGB(0, 128, 0), canvas.dc().GetBkColor().GetRaw());  // left set

    canvas.Fill(RGB(255, 255, 255));
    canvas.dc().YrtFastWindowFrame(TBrush(TColor(0, 0, 0)), TRect(0, 0, 10, 10), 2, 1);
    EXPECT_EQ("##########", canvas.Row(0));
    EXPECT_EQ("##......##", canvas.Row(5));
    EXPECT_EQ("##########", canvas.Row(9));
    EXPECT_EQ("##......##", canvas.Row(8));
}

TEST(Dc, WindowContextsObtainAndRelease) {
    TScreenDC screen;
    EXPECT_TRUE(screen.IsDC());
    EXPECT_GT(screen.GetDeviceCaps(BITSPIXEL), 0);
    TDesktopDC desktop;
    EXPECT_TRUE(desktop.IsDC());
    TIC display("DISPLAY", 0, 0);
    EXPECT_GT(display.GetDeviceCaps(HORZRES), 0);
}
