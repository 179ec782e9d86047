// The common-controls tooltip window ("tooltips_class32") as a control: each operation
// is one message to the control. Gadget windows keep one and register a tool per gadget;
// the control asks the tool's owner for the text (TTN_NEEDTEXT, see TTooltipEnabler).
#pragma once

#include "controls/Control.h"
#include "bars/TooltipInfo.h"
#include "bars/TooltipText.h"

class VELTRANE_API TTooltip : public TControl {
public:
    // A pop-up owned by the parent; alwaysTip shows tips also while the owner is inactive.
    TTooltip(TWindow *parent, int alwaysTip = 1, TModule *module = 0);
    // An alias of a tooltip window that exists.
    TTooltip(HWND hwnd, TModule *module = 0);

    char const *GetClassNameA() override;

    void Activate(int flag = 1) { SendMessageA(TTM_ACTIVATE, flag); }
    // kind: TTDT_AUTOMATIC, TTDT_RESHOW, TTDT_AUTOPOP or TTDT_INITIAL; delay in ms.
    void SetDelayTime(unsigned kind, int delay) { SendMessageA(TTM_SETDELAYTIME, kind, delay); }
    bool AddTool(TToolInfo const &info) { return SendMessageA(TTM_ADDTOOLA, 0, LPARAM(&info)) != 0; }
    void DeleteTool(TToolInfo const &info) { SendMessageA(TTM_DELTOOLA, 0, LPARAM(&info)); }
    void NewToolRect(TToolInfo const &info) { SendMessageA(TTM_NEWTOOLRECTA, 0, LPARAM(&info)); }
    void RelayEvent(MSG &msg) { SendMessageA(TTM_RELAYEVENT, 0, LPARAM(&msg)); }
    bool GetToolInfo(TToolInfo &info) const { return SendMessageA(TTM_GETTOOLINFOA, 0, LPARAM(&info)) != 0; }
    void SetToolInfo(TToolInfo const &info) { SendMessageA(TTM_SETTOOLINFOA, 0, LPARAM(&info)); }
    bool HitTest(TTooltipHitTestInfo &info) const { return SendMessageA(TTM_HITTESTA, 0, LPARAM(&info)) != 0; }
    // The text goes to the buffer the record points to (a TToolInfo made with receive).
    void GetToolText(TToolInfo &info) const { SendMessageA(TTM_GETTEXTA, 0, LPARAM(&info)); }
    void UpdateTipText(TToolInfo const &info) { SendMessageA(TTM_UPDATETIPTEXTA, 0, LPARAM(&info)); }
    int GetToolCount() const { return int(SendMessageA(TTM_GETTOOLCOUNT)); }
    bool EnumTools(unsigned index, TToolInfo &info) const {
        return SendMessageA(TTM_ENUMTOOLSA, index, LPARAM(&info)) != 0;
    }
    bool GetCurrentTool(TToolInfo &info) const { return SendMessageA(TTM_GETCURRENTTOOLA, 0, LPARAM(&info)) != 0; }
};
