// Image lists through the common-controls binding, and the program's owner of one.
#include "core/CommonControls.h"
#include "tests/framework/GdiCanvas.h"
#include "core/ImageList.h"

#include <gtest/gtest.h>

namespace {
// A bitmap of n square cels of the given size, cel i filled with shade 40 * (i + 1).
TBitmap *Strip(int n, int size) {
    TScreenDC screen;
    TBitmap *bitmap = new TBitmap(screen, n * size, size);
    Canvas source(n * size, size);
    for (int i = 0; i < n; ++i)
        source.dc().TextRect(TRect(i * size, 0, (i + 1) * size, size), TColor(0, 40 * (i + 1), 0));
    TMemoryDC dc(*bitmap);
    dc.BitBlt(0, 0, n * size, size, source.dc(), 0, 0);
    return bitmap;
}
}  // namespace

TEST(ImageList, AddsDrawsRemovesAndCopies) {
    ASSERT_TRUE(TCommCtrl::IsAvailable());
    std::unique_ptr<TBitmap> strip(Strip(3, 4));
    TImageList list(TSize(4, 4), ILC_COLOR24, 2, 2);
    EXPECT_EQ(TSize(4, 4), list.GetImageSize());
    EXPECT_EQ(0, list.Add(*strip));
    EXPECT_EQ(3, list.GetImageCount());
    EXPECT_EQ(TRect(8, 0, 12, 4), list[2]);

    Canvas canvas(4, 4);
    EXPECT_TRUE(list.Draw(1, canvas.dc(), 0, 0));
    EXPECT_EQ(RGB(0, 80, 0), canvas.At(2, 2));

    TImageList copy(list);
    EXPECT_EQ(3, copy.GetImageCount());
    EXPECT_TRUE(copy.Draw(2, canvas.dc(), 0, 0));
    EXPECT_EQ(RGB(0, 120, 0), canvas.At(2, 2));

    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(2, list.GetImageCount());
    EXPECT_TRUE(list.RemoveAll());
    EXPECT_EQ(0, list.GetImageCount());
    EXPECT_EQ(3, copy.GetImageCount());
}

TEST(ImageList, BuiltFromABitmapStrip) {
    std::unique_ptr<TBitmap> strip(Strip(4, 5));
    TImageList list(*strip, ILC_COLOR24 | ILC_MASK, 4, 1);
    EXPECT_EQ(TSize(5, 5), list.GetImageSize());
    EXPECT_EQ(4, list.GetImageCount());
    TImageInfo info(list, 3);
    EXPECT_EQ(5, info.GetImageRect().Width());
    Canvas canvas(5, 5);
    list.Draw(3, canvas.dc(), 0, 0, 5, 5, TColor::None, TColor::None);
    EXPECT_EQ(RGB(0, 160, 0), canvas.At(1, 1));

    // The list's own bitmap, however the system lays its images out.
    TBitmap &whole = list;
    EXPECT_GE(whole.Width() * whole.Height(), 4 * 5 * 5);
}

TEST(ImageList, ProgramListFromAResourceHasOneOwner) {
    HMODULE common = ::LoadLibraryA((ProgramFolder() + "..\\program\\system\\CommonRscTs.dll").c_str());
    ASSERT_TRUE(common);
    ImageList first(common, 23011, CLR_NONE, 10, 16, 10, ILC_COLOR24, 1);
    ASSERT_TRUE(HIMAGELIST(first));
    EXPECT_EQ(10, ::ImageList_GetImageCount(first));
    {
        ImageList second(common, 23011, RGB(255, 255, 255), 10, 16, 10, ILC_COLOR24, 1);
        second = first;
        EXPECT_TRUE(second.Owns());
        EXPECT_FALSE(first.Owns());
    }
    ::FreeLibrary(common);
}
