#include "pindral/TreeWindow.h"

#include "pindral/TreePainter.h"

#include <algorithm>
#include <cstring>

namespace pindral {

namespace {

// Answers of an operation that failed on the way (out of memory).
LRESULT FailureOf(UINT message) {
    switch (message) {
    case PTM_ADDITEM:
    case PTM_GETCARET:
    case PTM_GETPARENT:
    case PTM_GETTREECOLUMN:
    case PTM_HITTEST:
    case PTM_GETCELLTEXT:
    case PTM_SETDROPHIGHLIGHT: return -1;
    default: return 0;
    }
}

// BeginPaint and EndPaint, also when painting fails.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }

private:
    HWND window_;
    PAINTSTRUCT paint_;

public:
    HDC const dc;
};

}  // namespace

TreeWindow::TreeWindow(HWND window) : window_(window) {}

LRESULT TreeWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TreeWindow *tree = reinterpret_cast<TreeWindow *>(GetWindowLongPtrA(window, 0));
    if (message == WM_NCCREATE && !tree) {
        try {
            tree = new TreeWindow(window);
        } catch (...) {
            return FALSE;  // no memory for the tree: the window is not made
        }
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(tree));
    }
    if (!tree)
        return DefWindowProcA(window, message, wParam, lParam);
    ++tree->depth_;
    LRESULT result;
    try {
        result = tree->Handle(message, wParam, lParam);
    } catch (...) {
        result = FailureOf(message);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, 0, 0);
        tree->destroyed_ = true;
    }
    if (--tree->depth_ == 0 && tree->destroyed_)
        delete tree;
    return result;
}

LRESULT TreeWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT at = {short(LOWORD(lParam)), short(HIWORD(lParam))};
    switch (message) {
    case WM_CREATE: SetFont(nullptr); return 0;
    case WM_PAINT: Paint(); return 0;
    case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Changed(); return 0;
    case WM_SETFONT:
        SetFont(reinterpret_cast<HFONT>(wParam));
        Changed();
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Changed(); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN: ButtonDown(at, false); return 0;
    case WM_LBUTTONDBLCLK: ButtonDown(at, true); return 0;
    case WM_RBUTTONDOWN: RightButtonDown(at); return 0;
    case WM_MOUSEMOVE: MouseMove(at); return 0;
    case WM_LBUTTONUP: ButtonUp(); return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window_)
            EndDrag(false);
        return 0;
    case WM_CANCELMODE: EndDrag(false); return 0;
    case WM_CONTEXTMENU: ContextMenu(lParam); return 0;
    case WM_KEYDOWN: KeyDown(UINT(wParam)); return 0;
    case WM_CHAR: Char(char(wParam)); return 0;
    case WM_VSCROLL: VerticalScroll(LOWORD(wParam)); return 0;
    case WM_HSCROLL: HorizontalScroll(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: Wheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    default:
        if (message >= PTM_FIRST && message <= PTM_LAST)
            return Operation(message, wParam, lParam);
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

LRESULT TreeWindow::Operation(UINT message, WPARAM wParam, LPARAM lParam) {
    int item = int(wParam);
    switch (message) {
    case PTM_DELETEALL:
        items_.Clear();
        caret_ = drop_ = PINDRAL_NONE;
        pressed_ = false;
        ScrollTo(0, layout_.XOffset());
        return 1;
    case PTM_ADDITEM:
        item = items_.Add(reinterpret_cast<char const *>(lParam));
        Changed();
        return item;
    case PTM_GETCOUNT: return items_.Count();
    case PTM_SETCELLTEXT: {
        auto const *cell = reinterpret_cast<PindralCellText const *>(lParam);
        return cell && SetCellText(cell->item, cell->column, cell->text);
    }
    case PTM_GETCELLTEXT: return lParam ? GetCellText(*reinterpret_cast<PindralCellBuffer *>(lParam)) : -1;
    case PTM_GETTREECOLUMN: return layout_.TreeColumnOf(item);
    case PTM_SETCARET:
        if (item != PINDRAL_NONE && !items_.Has(item))
            return 0;
        SetCaret(item);
        return 1;
    case PTM_GETCARET: return caret_;
    case PTM_HITTEST: {
        auto *hit = reinterpret_cast<PindralHit *>(lParam);
        if (!hit)
            return PINDRAL_NONE;
        *hit = layout_.HitTest(POINT{hit->x, hit->y}, items_, Client());
        return hit->item;
    }
    case PTM_GETCELLRECT: return lParam ? GetCellRect(*reinterpret_cast<PindralCellRect *>(lParam)) : 0;
    case PTM_SETDROPHIGHLIGHT: return SetDropHighlight(item);
    case PTM_SETREDRAW: return SetRedraw(wParam != 0);
    case PTM_SETCOLUMNS:
        if (!lParam && wParam)
            return 0;
        layout_.SetColumns(reinterpret_cast<PindralColumn const *>(lParam), int(wParam));
        Changed();
        return 1;
    case PTM_SETIMAGES: return lParam && SetImages(*reinterpret_cast<PindralImages const *>(lParam));
    case PTM_SETLOOK:
        if (!lParam)
            return 0;
        layout_.SetLook(*reinterpret_cast<PindralLook const *>(lParam));
        Changed();
        return 1;
    case PTM_GETLOOK:
        if (!lParam)
            return 0;
        *reinterpret_cast<PindralLook *>(lParam) = layout_.Look();
        return 1;
    default: return items_.Has(item) ? ItemOperation(message, item, lParam) : FailureOf(message);
    }
}

LRESULT TreeWindow::ItemOperation(UINT message, int item, LPARAM lParam) {
    switch (message) {
    case PTM_SETLEVEL: items_.SetLevel(item, int(lParam)); break;
    case PTM_SETIMAGE: items_.Edit(item).image = std::max(int(PINDRAL_NONE), int(lParam)); break;
    case PTM_SETLABEL: return SetCellText(item, PINDRAL_LABEL_COLUMN, reinterpret_cast<char const *>(lParam));
    case PTM_SETITEMCOLORS: {
        auto const *colours = reinterpret_cast<PindralItemColors const *>(lParam);
        if (!colours)
            return 0;
        items_.Edit(item).back = colours->back;
        items_.Edit(item).labelBack = colours->labelBack;
        break;
    }
    case PTM_ENSUREVISIBLE: EnsureVisible(item); return 1;
    case PTM_SETEXPANDED: items_.SetExpanded(item, lParam != 0); break;
    case PTM_GETEXPANDED: return items_[item].expanded;
    case PTM_GETPARENT: return items_.Parent(item);
    default: return 0;
    }
    Changed();
    return 1;
}

bool TreeWindow::SetCellText(int item, int column, char const *text) {
    if (!items_.Has(item))
        return false;
    if (column == PINDRAL_LABEL_COLUMN) {
        items_.Edit(item).label = text ? text : "";
    } else {
        int logical = layout_.LogicalOf(column);
        if (logical == PINDRAL_NONE)
            return false;
        items_.SetCell(item, logical, text);
    }
    Changed();
    return true;
}

LRESULT TreeWindow::GetCellText(PindralCellBuffer &cell) const {
    if (!items_.Has(cell.item))
        return -1;
    int logical = cell.column == PINDRAL_LABEL_COLUMN ? PINDRAL_LABEL_COLUMN : layout_.LogicalOf(cell.column);
    if (logical == PINDRAL_NONE)
        return -1;
    std::string const &text =
        logical == PINDRAL_LABEL_COLUMN ? items_[cell.item].label : items_.Cell(cell.item, logical);
    if (cell.buffer && cell.capacity > 0) {
        std::size_t n = std::min(text.size(), std::size_t(cell.capacity - 1));
        std::memcpy(cell.buffer, text.data(), n);
        cell.buffer[n] = 0;
    }
    return LRESULT(text.size());
}

LRESULT TreeWindow::GetCellRect(PindralCellRect &cell) const {
    cell.rect = RECT{0, 0, 0, 0};
    bool column = cell.column == PINDRAL_LABEL_COLUMN || layout_.LogicalOf(cell.column) != PINDRAL_NONE;
    if (!items_.Has(cell.item) || !column || items_.RowOf(cell.item) == PINDRAL_NONE)
        return 0;
    cell.rect = layout_.CellRect(items_.RowOf(cell.item), cell.column, Client());
    return 1;
}

bool TreeWindow::SetImages(PindralImages const &images) {
    bool copied = images_.Set(images);
    SetFont(font_);
    Changed();
    return copied;
}

void TreeWindow::SetFont(HFONT font) {
    font_ = font;
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    layout_.SetMetrics(metrics.tmHeight, images_.Size());
}

int TreeWindow::SetDropHighlight(int item) {
    int before = drop_;
    drop_ = items_.Has(item) ? item : int(PINDRAL_NONE);
    if (drop_ != before)
        Changed();
    return before;
}

int TreeWindow::SetRedraw(bool on) {
    bool before = redraw_;
    redraw_ = on;
    if (on && !before)
        Changed();
    return before;
}

void TreeWindow::Paint() {
    PaintScope paint(window_);
    SIZE client = Client();
    HDC memory = CreateCompatibleDC(paint.dc);
    HBITMAP picture = CreateCompatibleBitmap(paint.dc, std::max(1L, client.cx), std::max(1L, client.cy));
    HGDIOBJ old = SelectObject(memory, picture);
    PaintTo(memory);
    BitBlt(paint.dc, 0, 0, client.cx, client.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
}

void TreeWindow::PaintTo(HDC dc) const {
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    PaintState state = {caret_, drop_, GetFocus() == window_};
    TreePainter(items_, layout_, images_, state).Paint(dc, Client());
    SelectObject(dc, old);
}

SIZE TreeWindow::Client() const {
    RECT r;
    GetClientRect(window_, &r);
    return SIZE{r.right, r.bottom};
}

void TreeWindow::Changed() {
    if (!redraw_)
        return;
    layout_.ScrollTo(layout_.TopRow(), layout_.XOffset(), int(items_.Shown().size()), Client());
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, FALSE);
}

void TreeWindow::UpdateScrollBars() {
    SIZE client = Client();
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    info.nMax = int(items_.Shown().size()) - 1;
    info.nPage = UINT(layout_.PageRows(client));
    info.nPos = layout_.TopRow();
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
    info.nMax = layout_.TotalWidth() - 1;
    info.nPage = UINT(std::max(0L, client.cx));
    info.nPos = layout_.XOffset();
    SetScrollInfo(window_, SB_HORZ, &info, TRUE);
}

void TreeWindow::ScrollTo(int topRow, int xOffset) {
    layout_.ScrollTo(topRow, xOffset, int(items_.Shown().size()), Client());
    Changed();
}

void TreeWindow::EnsureVisible(int item) {
    int row = items_.RowOf(items_.ShownSelfOrAncestor(item));
    int top = layout_.TopRow(), page = layout_.PageRows(Client());
    if (row < top)
        top = row;
    else if (row >= top + page)
        top = row - page + 1;
    ScrollTo(top, layout_.XOffset());
}

void TreeWindow::SetCaret(int item) {
    if (item == caret_)
        return;
    caret_ = item;
    Changed();
}

bool TreeWindow::Notify(WORD code) {
    HWND parent = GetParent(window_);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), code), reinterpret_cast<LPARAM>(window_));
    return !destroyed_;
}

}  // namespace pindral
