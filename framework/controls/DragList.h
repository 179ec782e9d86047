// A list box whose items the user drags, on the common controls' drag-list protocol.
// The library reports each phase of a drag to the list's parent with a registered
// message; the parent (a TDragListEventHandler) hands it back to the list, which turns
// it into four overridable operations.
#pragma once

#include "core/CommonControls.h"
#include "controls/ListBox.h"

class VELTRANE_API TDragList : public TListBox {
public:
    enum TCursorType { dlStopCursor = DL_STOPCURSOR, dlCopyCursor = DL_COPYCURSOR, dlMoveCursor = DL_MOVECURSOR };

    TDragList(TWindow *parent, int id, int x, int y, int w, int h, TModule *module = 0);
    TDragList(TWindow *parent, int resourceId, TModule *module = 0);

    // Non-zero lets the drag start; the default starts none.
    virtual int BeginDrag(int item, TPoint const &point);
    virtual TCursorType Dragging(int item, TPoint const &point);
    virtual void Dropped(int item, TPoint const &point);
    virtual void CancelDrag(int item, TPoint const &point);

    void SetupWindow() override;
    // The library's insertion arrow beside the item, drawn in the parent.
    void DrawInsert(int item);
    // -1 without the library or outside every item.
    int ItemFromPoint(TPoint const &point, bool autoScroll);
    using TListBox::ItemFromPoint;

    // The number of the registered message "commctrl_DragListMsg".
    static uint DragListMessage();

private:
    LRESULT DragNotify(WPARAM wParam, LPARAM info);

    DECLARE_RESPONSE_TABLE(TDragList);
};

// Mix-in of a window that owns drag lists: passes every report on to its list.
class VELTRANE_API TDragListEventHandler : virtual public TEventHandler {
protected:
    LRESULT DragNotify(WPARAM wParam, LPARAM info);

    DECLARE_RESPONSE_TABLE(TDragListEventHandler);
};
