// One tree window: its items, layout and images, the operations of its messages, the
// mouse and keys, scrolling and the notifications to its parent.
#pragma once

#include "pindral/TreeImages.h"
#include "pindral/TreeItems.h"
#include "pindral/TreeLayout.h"

namespace pindral {

class TreeWindow {
public:
    // The window procedure's body; no exception leaves it.
    static LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    explicit TreeWindow(HWND window);

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Operation(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ItemOperation(UINT message, int item, LPARAM lParam);

    // Cells by tree column or the label column.
    bool SetCellText(int item, int column, char const *text);
    LRESULT GetCellText(PindralCellBuffer &cell) const;
    LRESULT GetCellRect(PindralCellRect &cell) const;
    bool SetImages(PindralImages const &images);
    void SetFont(HFONT font);
    int SetDropHighlight(int item);
    int SetRedraw(bool on);

    // Painting.
    void Paint();
    void PaintTo(HDC dc) const;
    SIZE Client() const;
    // A change to show (unless redrawing is off): the scroll position kept within the rows,
    // the scroll bars set and the window repainted.
    void Changed();
    void UpdateScrollBars();
    void ScrollTo(int topRow, int xOffset);
    void EnsureVisible(int item);
    void SetCaret(int item);

    // Input (TreeInput.cpp).
    void ButtonDown(POINT at, bool doubleClick);
    void RightButtonDown(POINT at);
    void MouseMove(POINT at);
    void ButtonUp();
    void ContextMenu(LPARAM at);
    void KeyDown(UINT key);
    void Char(char c);
    void Wheel(int delta);
    void MoveCaretBy(int rows);
    void ToggleOrStep(bool right);
    void EndDrag(bool dropped);
    void AutoScroll(POINT at);
    void VerticalScroll(int code);
    void HorizontalScroll(int code);
    // Sends a notification; false when the parent destroyed the tree meanwhile.
    bool Notify(WORD code);

    HWND window_;
    TreeItems items_;
    TreeLayout layout_;
    TreeImages images_;
    HFONT font_ = nullptr;  // the owner's; null: the system's
    int caret_ = PINDRAL_NONE;
    int drop_ = PINDRAL_NONE;
    bool redraw_ = true;
    // The mouse: an item pressed with the left button, and whether it is being dragged.
    bool pressed_ = false;
    bool dragging_ = false;
    POINT pressedAt_ = {0, 0};
    // Handlers running on this window, and whether it was destroyed meanwhile (it goes
    // when the last of them returns).
    int depth_ = 0;
    bool destroyed_ = false;
};

}  // namespace pindral
