#include "pindral/TreePainter.h"

namespace pindral {

namespace {

int const kTextPadding = 4;
int const kButtonHalf = 4;  // a 9-pixel box
UINT const kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

void Fill(HDC dc, RECT const &r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void Text(HDC dc, std::string const &text, RECT r, COLORREF colour, UINT align = DT_LEFT) {
    if (align == DT_LEFT)
        r.left += kTextPadding;
    r.right -= kTextPadding / 2;
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), int(text.size()), &r, kTextFormat | align);
}

COLORREF Or(COLORREF own, COLORREF fallback) { return own == PINDRAL_DEFAULT_COLOR ? fallback : own; }

// Keeps drawing inside a rectangle until it goes.
class Clip {
public:
    Clip(HDC dc, RECT const &r) : dc_(dc), saved_(SaveDC(dc)) {
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    ~Clip() { RestoreDC(dc_, saved_); }

private:
    HDC dc_;
    int saved_;
};

}  // namespace

void TreePainter::Paint(HDC dc, SIZE client) const {
    PindralLook const &look = layout_.Look();
    Fill(dc, RECT{0, 0, client.cx, client.cy}, look.background);
    SetBkMode(dc, TRANSPARENT);
    HPEN pen = CreatePen(PS_SOLID, 1, look.lines);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    std::vector<int> const &shown = items_.Shown();
    for (int row = layout_.TopRow(); row < int(shown.size()); ++row) {
        if (layout_.RowRect(row, client).top >= client.cy)
            break;
        PaintRow(dc, row, client);
    }
    if (look.options & PINDRAL_SHOW_HEADER)
        PaintHeader(dc, client);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void TreePainter::PaintHeader(HDC dc, SIZE client) const {
    PindralLook const &look = layout_.Look();
    int bottom = layout_.HeaderHeight();
    Fill(dc, RECT{0, 0, client.cx, bottom}, look.headerBack);
    for (int c = 0; c < layout_.TreeColumnCount(); ++c) {
        RECT span = layout_.ColumnSpan(c);
        span.bottom = bottom;
        Text(dc, layout_.LogicalColumn(layout_.LogicalOf(c)).caption, span, look.headerText);
    }
    PaintColumnEdges(dc, 0, bottom);
    Line(dc, 0, bottom - 1, client.cx, bottom - 1);
}

void TreePainter::PaintRow(HDC dc, int row, SIZE client) const {
    PindralLook const &look = layout_.Look();
    int item = items_.Shown()[row];
    Item const &it = items_[item];
    bool caret = item == state_.caret, drop = item == state_.drop;
    COLORREF back = drop ? look.dropBack : caret ? look.caretBack : Or(it.back, look.background);
    COLORREF text = caret && !drop ? look.caretText : look.text;
    if (look.labelWidth > 0) {
        RECT label = layout_.CellRect(row, PINDRAL_LABEL_COLUMN, client);
        Fill(dc, label, Or(it.labelBack, look.labelBack));
        Text(dc, it.label, label, look.text, DT_CENTER);
    }
    for (int c = 0; c < layout_.TreeColumnCount(); ++c) {
        RECT cell = layout_.CellRect(row, c, client);
        Fill(dc, cell, back);
        if (c == 0) {
            PaintTreeCell(dc, item, cell, text);
        } else {
            Clip clip(dc, cell);
            Text(dc, items_.Cell(item, layout_.LogicalOf(c)), cell, text);
        }
    }
    RECT line = layout_.RowRect(row, client);
    if (look.options & PINDRAL_SHOW_GRID)
        PaintGrid(dc, line);
    if (caret && state_.focused) {
        line.left = layout_.ColumnSpan(0).left;
        line.right = layout_.ColumnSpan(layout_.TreeColumnCount() - 1).right;
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &line);
    }
}

void TreePainter::PaintTreeCell(HDC dc, int item, RECT const &cell, COLORREF text) const {
    PindralLook const &look = layout_.Look();
    Clip clip(dc, cell);
    TreeParts parts = layout_.PartsOf(cell, items_[item].level);
    if (look.options & PINDRAL_SHOW_LINES)
        PaintLines(dc, item, cell, parts);
    if ((look.options & PINDRAL_SHOW_BUTTONS) && items_.HasChildren(item))
        PaintButton(dc, item, parts.button);
    images_.Draw(dc, items_[item].image, parts.image);
    Text(dc, items_.Cell(item, 0), parts.text, text);
}

void TreePainter::PaintLines(HDC dc, int item, RECT const &cell, TreeParts const &parts) const {
    int indent = layout_.Look().indent;
    int middle = (cell.top + cell.bottom) / 2;
    int x = (parts.button.left + parts.button.right) / 2;
    Line(dc, x, middle, parts.button.right, middle);
    if (items_.Parent(item) != PINDRAL_NONE || item > 0)
        Line(dc, x, cell.top, x, middle);
    if (items_.HasNextSibling(item))
        Line(dc, x, middle, x, cell.bottom);
    for (int level = 0; level < items_[item].level; ++level) {
        int ancestor = items_.AncestorAt(item, level);
        if (ancestor != PINDRAL_NONE && items_.HasNextSibling(ancestor)) {
            int ax = cell.left + level * indent + indent / 2;
            Line(dc, ax, cell.top, ax, cell.bottom);
        }
    }
}

void TreePainter::PaintButton(HDC dc, int item, RECT const &place) const {
    int x = (place.left + place.right) / 2, y = (place.top + place.bottom) / 2;
    RECT box = {x - kButtonHalf, y - kButtonHalf, x + kButtonHalf + 1, y + kButtonHalf + 1};
    Fill(dc, box, layout_.Look().background);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, oldBrush);
    Line(dc, x - 2, y, x + 3, y);
    if (!items_[item].expanded)
        Line(dc, x, y - 2, x, y + 3);
}

void TreePainter::PaintGrid(HDC dc, RECT const &row) const {
    Line(dc, row.left, row.bottom - 1, row.right, row.bottom - 1);
    PaintColumnEdges(dc, row.top, row.bottom);
}

void TreePainter::PaintColumnEdges(HDC dc, int top, int bottom) const {
    int first = layout_.Look().labelWidth > 0 ? PINDRAL_LABEL_COLUMN : 0;
    for (int c = first; c < layout_.TreeColumnCount(); c = c == PINDRAL_LABEL_COLUMN ? 0 : c + 1) {
        int right = layout_.ColumnSpan(c).right - 1;
        Line(dc, right, top, right, bottom);
    }
}

}  // namespace pindral
