// The tree's own copies of its item images, drawn with a transparent colour.
#pragma once

#include "pindral/Pindral.h"

#include <vector>

namespace pindral {

class TreeImages {
public:
    TreeImages() = default;
    ~TreeImages();
    TreeImages(TreeImages const &) = delete;
    TreeImages &operator=(TreeImages const &) = delete;

    // Copies the bitmaps; false when one cannot be copied (the images are then none).
    bool Set(PindralImages const &images);
    void Clear();
    int Count() const { return int(bitmaps_.size()); }
    // The largest width and height.
    SIZE Size() const;
    // Draws image n centred in the rectangle, clipped to it.
    void Draw(HDC dc, int n, RECT const &place) const;

private:
    std::vector<HBITMAP> bitmaps_;
    std::vector<SIZE> sizes_;
    COLORREF transparent_ = PINDRAL_DEFAULT_COLOR;
};

}  // namespace pindral
