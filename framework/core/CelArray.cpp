#include "core/Dib.h"
#include "core/Dc.h"

TCelArray::TCelArray(TBitmap *bitmap, int numCels, TSize celSize, TPoint offset, TAutoDelete autoDelete)
    : Bitmap(bitmap), ShouldDelete(autoDelete == AutoDelete), Off(offset), NCels(numCels < 1 ? 1 : numCels),
      CSize(celSize), NGrowBy(1), BkColor(TColor(0ul)), NCelsUsed(NCels) {
    if (CSize.cx == 0 || CSize.cy == 0)
        CSize = TSize(bitmap->Width() / NCels, bitmap->Height());
}

TCelArray::TCelArray(const TDib &dib, int numCels)
    : Bitmap(0), ShouldDelete(true), Off(0, 0), NCels(numCels < 1 ? 1 : numCels), NGrowBy(1),
      BkColor(TColor(0ul)), NCelsUsed(NCels) {
    CSize = TSize(dib.Width() / NCels, dib.Height());
    TPalette defaultPalette(HPALETTE(::GetStockObject(DEFAULT_PALETTE)), NoAutoDelete);
    Bitmap = new TBitmap(dib, &defaultPalette);
}

TCelArray::TCelArray(const TSize &size, unsigned, int initCount, int growBy)
    : Bitmap(0), ShouldDelete(true), Off(0, 0), NCels(initCount < 1 ? 1 : initCount), CSize(size),
      NGrowBy(growBy), BkColor(TColor(0ul)), NCelsUsed(0) {
    TScreenDC screen;
    Bitmap = new TBitmap(screen, CSize.cx * NCels, CSize.cy);
}

TCelArray::TCelArray(const TCelArray &src)
    : Bitmap(src.ShouldDelete ? new TBitmap(*src.Bitmap) : src.Bitmap), ShouldDelete(src.ShouldDelete),
      Off(src.Off), NCels(src.NCels), CSize(src.CSize), NGrowBy(src.NGrowBy), BkColor(src.BkColor),
      NCelsUsed(src.NCelsUsed) {}

TCelArray &TCelArray::operator=(const TCelArray &src) {
    if (this == &src)
        return *this;
    TBitmap *bitmap = src.ShouldDelete ? new TBitmap(*src.Bitmap) : src.Bitmap;
    if (ShouldDelete)
        delete Bitmap;
    Bitmap = bitmap;
    ShouldDelete = src.ShouldDelete;
    NCels = src.NCels;
    CSize = src.CSize;
    Off = src.Off;
    // The cels in use come along with the bitmap that holds them.
    NCelsUsed = src.NCelsUsed;
    return *this;
}

TCelArray::~TCelArray() {
    if (ShouldDelete)
        delete Bitmap;
}

TColor TCelArray::SetBkColor(const TColor &color) {
    TColor previous = BkColor;
    BkColor = color;
    return previous;
}

TRect TCelArray::CelRect(int cel) const {
    TPoint corner = CelOffset(cel);
    return TRect(corner.x, corner.y, corner.x + CSize.cx, corner.y + CSize.cy);
}

bool TCelArray::Resize(int numCels) {
    if (!ShouldDelete || numCels < 1)
        return false;
    TScreenDC screen;
    TBitmap *bitmap = new TBitmap(screen, numCels * CSize.cx, CSize.cy);
    {
        TMemoryDC from(*Bitmap);
        TMemoryDC to(*bitmap);
        to.BitBlt(0, 0, NCels * CSize.cx, CSize.cy, from, Off.x, Off.y, SRCCOPY);
    }
    delete Bitmap;
    Bitmap = bitmap;
    // The new bitmap holds the cels alone, from its corner.
    Off = TPoint(0, 0);
    NCels = numCels;
    return true;
}

bool TCelArray::MaybeResize(int need) {
    if (NCels >= NCelsUsed + need)
        return true;
    if (NGrowBy < 1)
        return false;
    return Resize(NCels + NGrowBy * ((NCelsUsed + need - NCels) / NGrowBy + 1));
}

int TCelArray::Add(const TBitmap &image) {
    int count = CSize.cx > 0 ? image.Width() / CSize.cx : 0;
    if (count < 1 || !MaybeResize(count))
        return -1;
    int first = NCelsUsed;
    TMemoryDC from(const_cast<TBitmap &>(image));
    TMemoryDC to(*Bitmap);
    TPoint corner = CelOffset(first);
    to.BitBlt(corner.x, corner.y, image.Width(), image.Height(), from, 0, 0, SRCCOPY);
    NCelsUsed += count;
    return first;
}

int TCelArray::Add(const TCelArray &src, int index) {
    if (NCelsUsed >= NCels && (NGrowBy < 1 || !Resize(NCels + NGrowBy)))
        return -1;
    TMemoryDC from(*src.Bitmap);
    TMemoryDC to(*Bitmap);
    TPoint corner = CelOffset(NCelsUsed);
    TPoint source = src.CelOffset(index);
    to.BitBlt(corner.x, corner.y, CSize.cx, CSize.cy, from, source.x, source.y, SRCCOPY);
    return NCelsUsed++;
}

bool TCelArray::Remove(int index) {
    if (index >= NCelsUsed)
        return false;
    if (index < 0) {
        NCelsUsed = 0;
        return true;
    }
    if (index < NCelsUsed - 1) {
        TMemoryDC dc(*Bitmap);
        TPoint to = CelOffset(index);
        TPoint from = CelOffset(index + 1);
        dc.BitBlt(to.x, to.y, (NCelsUsed - index - 1) * CSize.cx, CSize.cy, dc, from.x, from.y, SRCCOPY);
    }
    --NCelsUsed;
    return true;
}

bool TCelArray::Replace(int index, const TBitmap &image) {
    if (index < 0 || index >= NCelsUsed)
        return false;
    TMemoryDC from(const_cast<TBitmap &>(image));
    TMemoryDC to(*Bitmap);
    TPoint corner = CelOffset(index);
    to.BitBlt(corner.x, corner.y, CSize.cx, CSize.cy, from, 0, 0, SRCCOPY);
    return true;
}

bool TCelArray::BitBlt(int index, TDC &dc, int x, int y) {
    TMemoryDC from(*Bitmap);
    TPoint corner = CelOffset(index);
    dc.BitBlt(x, y, CSize.cx, CSize.cy, from, corner.x, corner.y, SRCCOPY);
    return true;
}

bool TCelArray::BitBlt(int index, TDC &dc, int x, int y, int, int, const TColor &, const TColor &) {
    return BitBlt(index, dc, x, y);
}
