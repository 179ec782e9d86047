// A list box of check boxes. The list keeps no states: its owner answers, line by line,
// whether a line is checked, and hears of a click in the box column as a command.
#pragma once

#include "controls/ListBox.h"

class VELTRANE_API CheckBoxList : public TListBox {
public:
    typedef int (*TIsChecked)(CheckBoxList *list, unsigned index);

    // The resource's list box must be LBS_OWNERDRAWFIXED | LBS_HASSTRINGS.
    CheckBoxList(TWindow *parent, int resourceId, TIsChecked isChecked);

    int GetItemHeightField() const { return ItemHeight; }
    // Width of the box column and left edge of the text; 0 until an item was drawn.
    int GetBoxWidth() const { return BoxWidth; }

protected:
    void EvDrawItem(WPARAM id, LPARAM drawInfo);
    void EvMeasureItem(WPARAM id, LPARAM measureInfo);
    void EvLButtonDown(uint keys, TPoint &point);

    TIsChecked IsChecked;
    long ItemHeight;
    long BoxWidth;

private:
    void Draw(DRAWITEMSTRUCT &draw);

    DECLARE_RESPONSE_TABLE(CheckBoxList);
};
