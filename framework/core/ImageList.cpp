#include "core/ImageList.h"
#include "core/CommonControls.h"
#include "core/Dc.h"

#include <memory>

namespace {
TCommCtrlDll &Dll() { return TCommCtrl::Required(); }

// An overlay number (1 to 15) goes into the style's overlay bits.
unsigned WithOverlay(unsigned style, int overlay) {
    return overlay ? style | INDEXTOOVERLAYMASK(overlay) : style;
}

COLORREF ColorOrNone(const TColor &color) { return color == TColor::None ? CLR_NONE : color.GetValue(); }
}  // namespace

TImageInfo::TImageInfo(const TImageList &list, int index) : Info() { list.GetImageInfo(index, *this); }

void TImageList::Create(int cx, int cy, unsigned flags, int initCount, int growBy) {
    if (!TCommCtrl::IsAvailable())
        TXCommCtrl::Raise();
    Handle = Dll().ImageList_Create(cx, cy, flags, initCount, growBy);
    if (!Handle)
        TXCommCtrl::Raise();
}

TImageList::TImageList(const TSize &size, unsigned flags, int initCount, int growBy) : Handle(0), Bitmap(0) {
    if (initCount == 0)
        initCount = 1;
    // Each image is as wide as the size given: a list is made for images, not strips.
    ImageSize = size;
    Create(size.cx, size.cy, flags, initCount, growBy);
}

TImageList::TImageList(const TBitmap &bitmap, unsigned flags, int initCount, int growBy) : Handle(0), Bitmap(0) {
    int count = initCount > 0 ? initCount : 1;
    ImageSize = TSize(bitmap.Width() / count, bitmap.Height());
    Create(ImageSize.cx, ImageSize.cy, flags, count, growBy);
    Add(bitmap, TColor::Sys3dFace);
}

TImageList::TImageList(const TDib &dib, unsigned flags, int initCount, int growBy) : Handle(0), Bitmap(0) {
    int count = initCount > 0 ? initCount : 1;
    ImageSize = TSize(dib.Width() / count, dib.Height());
    Create(ImageSize.cx, ImageSize.cy, flags, count, growBy);
    TPalette defaultPalette(HPALETTE(::GetStockObject(DEFAULT_PALETTE)), NoAutoDelete);
    TBitmap bitmap(dib, &defaultPalette);
    Add(bitmap, TColor::Sys3dFace);
}

TImageList::TImageList(HINSTANCE instance, TResId resId, int imageWidth, int growBy, const TColor &mask,
                       unsigned type, unsigned flags)
    : Handle(0), Bitmap(0), ImageSize(0, 0) {
    if (!TCommCtrl::IsAvailable())
        TXCommCtrl::Raise();
    Handle = Dll().ImageList_LoadImage(instance, resId, imageWidth, growBy, mask.GetValue(), type, flags);
    if (!Handle)
        TXCommCtrl::Raise();
}

TImageList::TImageList(const TImageList &src) : Handle(0), Bitmap(0), ImageSize(src.ImageSize) {
    Create(ImageSize.cx, ImageSize.cy, ILC_COLORDDB, src.GetImageCount(), 10);
    AddImagesOf(src);
}

// The source's own bitmaps stay selected inside the source and may hold room
// for more images than it has: its images and masks are drawn out into a strip.
void TImageList::AddImagesOf(const TImageList &src) {
    int count = src.GetImageCount();
    if (count <= 0 || ImageSize.cx <= 0 || ImageSize.cy <= 0)
        return;
    TScreenDC screen;
    TBitmap images(screen, count * ImageSize.cx, ImageSize.cy);
    TBitmap masks(count * ImageSize.cx, ImageSize.cy, 1, 1);
    {
        TMemoryDC imageDC(images);
        TMemoryDC maskDC(masks);
        for (int i = 0; i < count; ++i) {
            Dll().ImageList_Draw(src, i, imageDC, i * ImageSize.cx, 0, ILD_IMAGE);
            Dll().ImageList_Draw(src, i, maskDC, i * ImageSize.cx, 0, ILD_MASK);
        }
    }
    Dll().ImageList_Add(Handle, images, masks);
}

TImageList::TImageList(HIMAGELIST list) : Handle(list), Bitmap(0), ImageSize(0, 0) {
    if (!TCommCtrl::IsAvailable())
        TXCommCtrl::Raise();
    int cx = 0, cy = 0;
    Dll().ImageList_GetIconSize(list, &cx, &cy);
    ImageSize = TSize(cx, cy);
}

TImageList::TImageList(TPoint &point, TPoint &hotSpot) : Handle(0), Bitmap(0), ImageSize(0, 0) {
    if (!TCommCtrl::IsAvailable())
        TXCommCtrl::Raise();
    Handle = Dll().ImageList_GetDragImage(&point, &hotSpot);
    if (!Handle)
        TXCommCtrl::Raise();
    int cx = 0, cy = 0;
    Dll().ImageList_GetIconSize(Handle, &cx, &cy);
    ImageSize = TSize(cx, cy);
}

TImageList::~TImageList() {
    if (Handle && TCommCtrl::IsAvailable())
        TCommCtrl::Dll()->ImageList_Destroy(Handle);
    delete Bitmap;
}

TImageList &TImageList::operator=(const TImageList &src) {
    if (this != &src) {
        RemoveAll();
        AddImagesOf(src);
    }
    return *this;
}

TImageList::operator TBitmap &() {
    TImageInfo info(*this, 0);
    if (Bitmap && Bitmap->GetHandle() == info.GetImageBM())
        return *Bitmap;
    delete Bitmap;
    Bitmap = 0;
    TBitmap image(info.GetImageBM(), NoAutoDelete);
    TDib dib(image);
    TScreenDC screen;
    Bitmap = new TBitmap(screen, dib, CBM_INIT);
    return *Bitmap;
}

int TImageList::GetImageCount() const { return Dll().ImageList_GetImageCount(Handle); }

int TImageList::Add(const TBitmap &image) { return Dll().ImageList_Add(Handle, image, 0); }

int TImageList::Add(const TBitmap &image, const TBitmap &mask) { return Dll().ImageList_Add(Handle, image, mask); }

int TImageList::Add(const TBitmap &image, const TColor &mask) {
    return Dll().ImageList_AddMasked(Handle, image, mask.GetValue());
}

int TImageList::Add(const TIcon &icon) { return Dll().ImageList_ReplaceIcon(Handle, -1, icon); }

bool TImageList::Remove(int index) { return Dll().ImageList_Remove(Handle, index) != 0; }

bool TImageList::Replace(int index, const TBitmap &image) {
    return Dll().ImageList_Replace(Handle, index, image, 0) != 0;
}

bool TImageList::Replace(int index, const TBitmap &image, const TBitmap &mask) {
    return Dll().ImageList_Replace(Handle, index, image, mask) != 0;
}

HICON TImageList::GetIcon(int index, unsigned flags) const { return Dll().ImageList_GetIcon(Handle, index, flags); }

int TImageList::ReplaceIcon(int index, HICON icon) { return Dll().ImageList_ReplaceIcon(Handle, index, icon); }

bool TImageList::GetIconSize(int &cx, int &cy) const { return Dll().ImageList_GetIconSize(Handle, &cx, &cy) != 0; }

bool TImageList::GetImageInfo(int index, TImageInfo &info) const {
    return Dll().ImageList_GetImageInfo(Handle, index, &static_cast<IMAGEINFO &>(info)) != 0;
}

TColor TImageList::GetBkColor() const { return TColor(Dll().ImageList_GetBkColor(Handle)); }

TColor TImageList::SetBkColor(const TColor &color) {
    return TColor(Dll().ImageList_SetBkColor(Handle, ColorOrNone(color)));
}

bool TImageList::SetOverlayImage(int index, int overlay) {
    return Dll().ImageList_SetOverlayImage(Handle, index, overlay) != 0;
}

bool TImageList::SetDragCursorImage(int drag, int dxHotspot, int dyHotspot) {
    return Dll().ImageList_SetDragCursorImage(Handle, drag, dxHotspot, dyHotspot) != 0;
}

bool TImageList::BeginDrag(int index, int dxHotspot, int dyHotspot) {
    return Dll().ImageList_BeginDrag(Handle, index, dxHotspot, dyHotspot) != 0;
}

bool TImageList::Draw(int index, TDC &dc, int x, int y, unsigned style, int overlay) {
    return Dll().ImageList_Draw(Handle, index, dc, x, y, WithOverlay(style, overlay)) != 0;
}

bool TImageList::Draw(int index, TDC &dc, int x, int y, int dx, int dy, const TColor &bkColor,
                      const TColor &fgColor, unsigned style, int overlay) {
    return Dll().ImageList_DrawEx(Handle, index, dc, x, y, dx, dy, ColorOrNone(bkColor), ColorOrNone(fgColor),
                                  WithOverlay(style, overlay)) != 0;
}

bool TImageList::DragEnter(HWND lock, int x, int y) { return Dll().ImageList_DragEnter(lock, x, y) != 0; }
bool TImageList::DragMove(int x, int y) { return Dll().ImageList_DragMove(x, y) != 0; }
bool TImageList::DragLeave(HWND lock) { return Dll().ImageList_DragLeave(lock) != 0; }
void TImageList::EndDrag() { Dll().ImageList_EndDrag(); }
bool TImageList::DragShowNolock(bool show) { return Dll().ImageList_DragShowNolock(show) != 0; }

// --- ImageList ---

ImageList::ImageList(HINSTANCE instance, int resId, COLORREF mask, int imageWidth, int imageHeight, int initCount,
                     unsigned flags, int growBy, bool owns)
    : Handle(0), Owner(owns) {
    if (mask != CLR_NONE)
        flags |= ILC_MASK;
    Handle = Dll().ImageList_Create(imageWidth, imageHeight, flags, initCount, growBy);
    if (!Handle)
        return;
    HBITMAP bitmap = ::LoadBitmapA(instance, MAKEINTRESOURCEA(resId));
    if (!bitmap)
        return;
    if (mask == CLR_NONE)
        Dll().ImageList_Add(Handle, bitmap, 0);
    else
        Dll().ImageList_AddMasked(Handle, bitmap, mask);
    ::DeleteObject(bitmap);
}

ImageList::~ImageList() {
    if (Owner && Handle)
        Dll().ImageList_Destroy(Handle);
}

ImageList &ImageList::operator=(ImageList &src) {
    if (this != &src) {
        if (Owner && Handle && Handle != src.Handle)
            Dll().ImageList_Destroy(Handle);
        Handle = src.Handle;
        Owner = src.Owner;
        src.Owner = false;
    }
    return *this;
}
