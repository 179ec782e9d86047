#include "pindral/TreeImages.h"

#include <algorithm>

namespace pindral {

TreeImages::~TreeImages() { Clear(); }

void TreeImages::Clear() {
    for (HBITMAP b : bitmaps_)
        DeleteObject(b);
    bitmaps_.clear();
    sizes_.clear();
}

bool TreeImages::Set(PindralImages const &images) {
    Clear();
    transparent_ = images.transparent;
    for (int i = 0; i < images.count; ++i) {
        BITMAP info;
        HBITMAP copy = images.bitmaps && GetObjectA(images.bitmaps[i], sizeof info, &info)
                           ? static_cast<HBITMAP>(CopyImage(images.bitmaps[i], IMAGE_BITMAP, 0, 0, 0))
                           : nullptr;
        if (!copy) {
            Clear();
            return false;
        }
        bitmaps_.push_back(copy);
        sizes_.push_back(SIZE{info.bmWidth, info.bmHeight});
    }
    return true;
}

SIZE TreeImages::Size() const {
    SIZE size = {0, 0};
    for (SIZE s : sizes_) {
        size.cx = std::max(size.cx, s.cx);
        size.cy = std::max(size.cy, s.cy);
    }
    return size;
}

void TreeImages::Draw(HDC dc, int n, RECT const &place) const {
    if (n < 0 || n >= Count())
        return;
    SIZE s = sizes_[n];
    int x = place.left + (place.right - place.left - s.cx) / 2;
    int y = place.top + (place.bottom - place.top - s.cy) / 2;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmaps_[n]);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
    if (transparent_ == PINDRAL_DEFAULT_COLOR)
        BitBlt(dc, x, y, s.cx, s.cy, source, 0, 0, SRCCOPY);
    else
        GdiTransparentBlt(dc, x, y, s.cx, s.cy, source, 0, 0, s.cx, s.cy, transparent_);
    RestoreDC(dc, saved);
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace pindral
