// Image lists of the common controls: the framework's wrapper, which binds the
// library by name, and the program layer's small owner of one list.
#pragma once

#include "core/Dib.h"

#include <commctrl.h>

class TImageList;

class VELTRANE_API TImageInfo {
public:
    TImageInfo() : Info() {}
    TImageInfo(const TImageList &list, int index);
    HBITMAP GetImageBM() const { return Info.hbmImage; }
    HBITMAP GetMaskBM() const { return Info.hbmMask; }
    TRect GetImageRect() const { return TRect(Info.rcImage); }
    operator IMAGEINFO &() { return Info; }

private:
    IMAGEINFO Info;
};

class VELTRANE_API TImageList {
public:
    TImageList(const TSize &size, unsigned flags, int initCount, int growBy);
    TImageList(const TBitmap &bitmap, unsigned flags, int initCount, int growBy);
    TImageList(const TDib &dib, unsigned flags, int initCount, int growBy);
    TImageList(HINSTANCE instance, TResId resId, int imageWidth, int growBy, const TColor &mask,
               unsigned type = IMAGE_BITMAP, unsigned flags = LR_CREATEDIBSECTION);
    TImageList(const TImageList &src);
    explicit TImageList(HIMAGELIST list);
    TImageList(TPoint &point, TPoint &hotSpot);
    ~TImageList();
    TImageList &operator=(const TImageList &src);

    operator HIMAGELIST() const { return Handle; }
    operator TBitmap &();
    TSize GetImageSize() const { return ImageSize; }
    TPoint GetImageOffset(int index) const { return TPoint(index * ImageSize.cx, 0); }
    TRect GetImageRect(int index) const { return TRect(GetImageOffset(index), ImageSize); }
    TRect operator[](int index) const { return GetImageRect(index); }

    int GetImageCount() const;
    int Add(const TBitmap &image);
    int Add(const TBitmap &image, const TBitmap &mask);
    int Add(const TBitmap &image, const TColor &mask);
    int Add(const TIcon &icon);
    bool Remove(int index);
    bool RemoveAll() { return Remove(-1); }
    bool Replace(int index, const TBitmap &image);
    bool Replace(int index, const TBitmap &image, const TBitmap &mask);
    HICON GetIcon(int index, unsigned flags) const;
    int ReplaceIcon(int index, HICON icon);
    bool GetIconSize(int &cx, int &cy) const;
    bool GetImageInfo(int index, TImageInfo &info) const;
    TColor GetBkColor() const;
    TColor SetBkColor(const TColor &color);
    bool SetOverlayImage(int index, int overlay);
    bool SetDragCursorImage(int drag, int dxHotspot, int dyHotspot);
    bool BeginDrag(int index, int dxHotspot, int dyHotspot);
    bool Draw(int index, TDC &dc, int x, int y, unsigned style = ILD_NORMAL, int overlay = 0);
    bool Draw(int index, TDC &dc, int x, int y, int dx, int dy, const TColor &bkColor, const TColor &fgColor,
              unsigned style = ILD_NORMAL, int overlay = 0);

    static bool DragEnter(HWND lock, int x, int y);
    static bool DragMove(int x, int y);
    static bool DragLeave(HWND lock);
    static void EndDrag();
    static bool DragShowNolock(bool show);

private:
    void Create(int cx, int cy, unsigned flags, int initCount, int growBy);
    void AddImagesOf(const TImageList &src);

    HIMAGELIST Handle;
    TBitmap *Bitmap;  // made on demand by the conversion to TBitmap &
    TSize ImageSize;
};

// The program layer's image list from a bitmap resource.
class VELTRANE_API ImageList {
public:
    ImageList(HINSTANCE instance, int resId, COLORREF mask, int imageWidth, int imageHeight, int initCount,
              unsigned flags, int growBy, bool owns = true);
    ImageList(const ImageList &) = delete;
    ~ImageList();
    // Takes the list over: the source stops owning it.
    ImageList &operator=(ImageList &src);

    operator HIMAGELIST() const { return Handle; }
    bool Owns() const { return Owner; }

private:
    HIMAGELIST Handle;
    bool Owner;
};
