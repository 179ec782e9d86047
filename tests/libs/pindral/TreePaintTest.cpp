// What the tree control paints, read back as pixels.
#include "tests/libs/pindral/TreeFixture.h"

namespace pindraltest {

namespace {

COLORREF const kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kGrey = RGB(128, 128, 128);
COLORREF const kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
COLORREF const kYellow = RGB(255, 255, 0), kLightYellow = RGB(255, 255, 192), kTeal = RGB(0, 128, 128);
COLORREF const kSilver = RGB(200, 200, 200), kMagenta = RGB(255, 0, 255);

// A 32-bit picture whose pixels the test reads.
class Picture {
public:
    Picture(int width, int height) : width_(width) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits_), nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Picture() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(POINT p) const {
        GdiFlush();
        DWORD v = bits_[p.y * width_ + p.x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(RECT const &r, COLORREF colour) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(POINT{x, y}) == colour;
        return n;
    }
    bool operator==(Picture const &other) const {
        GdiFlush();
        for (int i = 0; i < width_ * kHeight; ++i)
            if ((bits_[i] & 0xFFFFFF) != (other.bits_[i] & 0xFFFFFF))
                return false;
        return true;
    }

private:
    int width_;
    DWORD *bits_ = nullptr;
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ old_;
};

// A 12-pixel square image: blue with a magenta border of 2 pixels.
HBITMAP MakeImage() {
    Picture picture(12, 12);
    HBITMAP image = CreateBitmap(12, 12, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image);
    HBRUSH magenta = CreateSolidBrush(kMagenta), blue = CreateSolidBrush(kBlue);
    RECT all = {0, 0, 12, 12}, inside = {2, 2, 10, 10};
    FillRect(dc, &all, magenta);
    FillRect(dc, &inside, blue);
    DeleteObject(magenta);
    DeleteObject(blue);
    SelectObject(dc, old);
    DeleteDC(dc);
    return image;
}

}  // namespace

class TreePaint : public TreeFixture {
protected:
    void SetUp() override {
        TreeFixture::SetUp();
        PindralColumn columns[] = {{"Name", 150, 1}, {"Start", 80, 1}};
        Send(PTM_SETCOLUMNS, 2, reinterpret_cast<LPARAM>(columns));
        PindralLook look = {PINDRAL_SHOW_LINES | PINDRAL_SHOW_BUTTONS | PINDRAL_SHOW_HEADER,
                            30,
                            16,
                            kWhite,
                            kBlack,
                            kGrey,
                            kRed,
                            kWhite,
                            kGreen,
                            kTeal,
                            kWhite,
                            kSilver};
        Send(PTM_SETLOOK, 0, reinterpret_cast<LPARAM>(&look));
        HBITMAP image = MakeImage();
        PindralImages images = {1, kMagenta, &image};
        Send(PTM_SETIMAGES, 0, reinterpret_cast<LPARAM>(&images));
        DeleteObject(image);  // the tree keeps its own copy
        AddFamily();
        Send(PTM_SETEXPANDED, 4, 0);
        Send(PTM_SETIMAGE, 0, 0);
        Send(PTM_SETLABEL, 0, reinterpret_cast<LPARAM>("1"));
        PindralItemColors track = {kYellow, kLightYellow};
        Send(PTM_SETITEMCOLORS, 0, reinterpret_cast<LPARAM>(&track));
        Send(PTM_SETCARET, 3);
        Send(PTM_SETDROPHIGHLIGHT, 6);
        SetFocus(parent_);
    }

    void Print(Picture &picture) const { Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Dc()), PRF_CLIENT); }
};

TEST_F(TreePaint, RowsShowColoursImagesLinesAndButtons) {
    Picture picture(kWidth, kHeight);
    Print(picture);
    RECT a = Cell(0, 0), label = Cell(0, PINDRAL_LABEL_COLUMN), b = Cell(4, 0);
    POINT aMiddle = Middle(a), bMiddle = Middle(b);
    int button = a.left + 8;  // the middle of the button place of level 0; level 1's is 16 further
    RECT image = {a.left + 16, a.top, a.left + 28, a.bottom};
    RECT text = {a.left + 30, a.top, a.right, a.bottom};
    struct Case {
        POINT at;
        COLORREF colour;
        char const *what;
    } const cases[] = {
        {{2, 2}, kTeal, "header"},
        {{label.left + 2, aMiddle.y}, kLightYellow, "the item's label colour"},
        {{label.left + 2, Middle(Cell(1, 0)).y}, kSilver, "the tree's label colour"},
        {Middle(Cell(0, 1)), kYellow, "the item's own colour"},
        {Middle(Cell(1, 1)), kWhite, "a plain row"},
        {Middle(Cell(3, 1)), kRed, "the caret row"},
        {Middle(Cell(6, 1)), kGreen, "the drop highlight"},
        {Middle(image), kBlue, "the image"},
        {{image.left + 1, aMiddle.y}, kYellow, "the image's transparent border"},
        {{button - 4, aMiddle.y}, kGrey, "A's button box"},
        {{button - 2, aMiddle.y - 2}, kWhite, "inside A's button box"},
        {{button, aMiddle.y}, kGrey, "the minus of open A"},
        {{button, aMiddle.y - 2}, kWhite, "no plus on open A"},
        {{button, bMiddle.y - 2}, kGrey, "the plus of closed B"},
        {{button, Middle(Cell(1, 0)).y}, kGrey, "A's line down to its sibling B"},
        {{button + 16, Cell(1, 0).top}, kGrey, "the line from A into A1"},
        {{button + 16 + 6, Middle(Cell(3, 0)).y}, kGrey, "A2's branch"},
        {{button + 16, Cell(3, 0).bottom - 1}, kRed, "nothing below A2, the last child (the caret row)"},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.colour, picture.At(c.at)) << c.what;
    EXPECT_GT(picture.Count(text, kBlack), 0) << "A's text";
    EXPECT_GT(picture.Count(Cell(3, 0), kWhite), 0) << "A2's text in the caret's colour";
    EXPECT_EQ(Cell(4, 0).bottom, Cell(6, 0).top) << "B1 hidden inside closed B";
}

TEST_F(TreePaint, GridSeparatesRowsAndColumns) {
    PindralLook look;
    Send(PTM_GETLOOK, 0, reinterpret_cast<LPARAM>(&look));
    look.options |= PINDRAL_SHOW_GRID;
    Send(PTM_SETLOOK, 0, reinterpret_cast<LPARAM>(&look));
    Picture picture(kWidth, kHeight);
    Print(picture);
    RECT start = Cell(1, 1);
    EXPECT_EQ(kGrey, picture.At(POINT{Middle(start).x, start.bottom - 1}));
    EXPECT_EQ(kGrey, picture.At(POINT{start.right - 1, Middle(start).y}));
    EXPECT_EQ(kWhite, picture.At(POINT{start.right - 2, Middle(start).y}));
}

TEST_F(TreePaint, ScreenShowsWhatThePrintedPictureShows) {
    InvalidateRect(tree_, nullptr, FALSE);
    UpdateWindow(tree_);
    Picture printed(kWidth, kHeight), screen(kWidth, kHeight);
    Print(printed);
    HDC dc = GetDC(tree_);
    BitBlt(screen.Dc(), 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
    ReleaseDC(tree_, dc);
    EXPECT_TRUE(printed == screen);
}

}  // namespace pindraltest
