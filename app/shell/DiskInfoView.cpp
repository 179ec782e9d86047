#include "shell/DiskInfoView.h"

#include "shell/AnalysisWindows.h"
#include "shell/DiskInfoDoc.h"

#include "core/Dc.h"
#include "core/GdiObject.h"
#include "core/LayoutMetrics.h"
#include "core/Scroller.h"
#include "manager/DocumentManager.h"
#include "manager/MdiDocumentWindows.h"

#include <algorithm>

namespace {

enum { kLeftMargin = 10, kRightMargin = 20 };

// The font of the rows, made for each use.
TFont RowFont() { return TFont("MS Sans Serif", 11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0); }

int TextWidth(TDC &dc, char const *text) { return dc.GetTextExtent(text, int(strlen(text))).cx; }

}  // namespace

DiskRowMeasures DiskRowMeasures::Take() {
    TScreenDC screen;
    TFont font = RowFont();
    screen.SelectObject(font);
    DiskRowMeasures m;
    m.letterWidth = TextWidth(screen, "M ");
    m.textWidth = TextWidth(screen, " 0000.00 Mb");
    int height = screen.GetTextExtent("M", 1).cy;
    m.rowHeight = height * 5 / 3;
    m.rowGap = height * 5 / 6;
    screen.RestoreFont();
    return m;
}

// ---- one row

DiskWindow::DiskWindow(DiskInfoView &view, DriveSpace const &drive) : TWindow(&view, 0, 0), view_(view), drive_(drive) {
    Attr.Style = WS_CHILD | WS_VISIBLE;
    SetBkgndColor(TColor::LtGray);
}

void DiskWindow::Paint(TDC &dc, int, TRect &) {
    TRect client = GetClientRect();
    int letterWidth = view_.GetMeasures().letterWidth;
    TFont font = RowFont();
    dc.SelectObject(font);
    dc.SetBkColor(TColor::LtGray);
    char letter[2] = {char('A' + drive_.drive), 0};
    dc.DrawTextA(letter, -1, client, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);

    TRect bar(client.left + letterWidth, client.top, client.left + letterWidth + kBarWidth, client.bottom);
    dc.FillRect(bar, TBrush(TColor::White));
    bar.right = bar.left + UsedBarWidth(drive_.total, drive_.free, kBarWidth);
    dc.FillRect(bar, TBrush(TColor::LtRed));

    String free = FreeSpaceText(drive_.free);
    dc.DrawTextA(free.c_str(), -1, client, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    dc.RestoreFont();
}

// ---- the view

DEFINE_RESPONSE_TABLE1(DiskInfoView, TLayoutWindow)
    EV_WM_SIZE,
END_RESPONSE_TABLE;

DiskInfoView::DiskInfoView(DiskInfoDoc &doc) : TLayoutWindow(0, 0, 0), View("DiskInfoView", doc, 0) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    SetBkgndColor(TColor::LtGray);
    Scroller = new TScroller(this, 1, 1, 0, 0);
    SetWindow(this);
}

DiskInfoView *DiskInfoView::Open(DiskInfoDoc &doc) {
    DiskInfoView *view = new DiskInfoView(doc);
    OpenDocumentWindow(*view, nullptr);
    view->SetFocus();
    return view;
}

TSize DiskInfoView::GetExtent() const {
    if (rows_.empty())
        return TSize(0, 0);
    int n = int(rows_.size());
    return TSize(measures_.RowWidth() + kRightMargin,
                 n * (measures_.rowHeight + measures_.rowGap) + measures_.rowGap + 1);
}

void DiskInfoView::SetupWindow() {
    TLayoutWindow::SetupWindow();
    measures_ = DiskRowMeasures::Take();
    MakeRows();
    FitFrame();
}

// Rows 10 pixels in, one below the other with the gap between.
void DiskInfoView::MakeRows() {
    DiskInfoDoc &doc = static_cast<DiskInfoDoc &>(GetDocument());
    TWindow *previous = nullptr;
    for (DriveSpace const &drive : doc.GetDrives()) {
        DiskWindow *row = new DiskWindow(*this, drive);
        row->Create();
        TLayoutMetrics m;
        m.X = PixelConstraint(0, lmLeft, lmAbsolute, lmLeft, kLeftMargin);
        m.Y = PixelConstraint(previous, lmTop, lmBelow, previous ? lmBottom : lmTop, measures_.rowGap);
        m.Width = PixelConstraint(0, lmWidth, lmAbsolute, lmWidth, measures_.RowWidth());
        m.Height = PixelConstraint(0, lmHeight, lmAbsolute, lmHeight, measures_.rowHeight);
        SetChildLayoutMetrics(*row, m);
        rows_.push_back(row);
        previous = row;
    }
    Layout();
}

// The document window just holds the rows beside its scroll bars.
void DiskInfoView::FitFrame() {
    TWindow *frame = Parent;
    if (!frame || !frame->GetHandle())
        return;
    TSize extent = GetExtent();
    int width = extent.cx + ::GetSystemMetrics(SM_CXVSCROLL) + 2 * ::GetSystemMetrics(SM_CXSIZEFRAME);
    int height = extent.cy + ::GetSystemMetrics(SM_CYHSCROLL) + ::GetSystemMetrics(SM_CYCAPTION) +
                 2 * ::GetSystemMetrics(SM_CYSIZEFRAME);
    frame->SetWindowPos(0, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The range is set once more from the client area the scroll bars it showed leave (their
// own resize comes while the first is being handled and is not followed).
void DiskInfoView::EvSize(uint sizeType, TSize &size) {
    TLayoutWindow::EvSize(sizeType, size);
    int &resizing = DiskInfoDoc::_type.resizing;
    if (!Scroller || resizing)
        return;
    ++resizing;
    TSize extent = GetExtent();
    TSize client = size;
    for (int pass = 0; pass < 2; ++pass) {
        Scroller->SetRange(std::max(0L, long(extent.cx - client.cx)), std::max(0L, long(extent.cy - client.cy)));
        client = GetClientRect().Size();
    }
    --resizing;
}

void DiskInfoView::BringToFront() {
    TWindow *frame = Parent;
    MDIClient *client = GetManager() ? GetManager()->GetMDIClient() : 0;
    if (!frame || !client)
        return;
    if (frame->IsIconic())
        frame->ShowWindow(SW_RESTORE);
    client->SendMessageA(WM_MDIACTIVATE, WPARAM(frame->GetHandle()), 0);
}
