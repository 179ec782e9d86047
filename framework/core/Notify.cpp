#include "core/Notify.h"

LRESULT v_NotifyCode_Dispatch(GENERIC &object, TAnyHandler handler, WPARAM, LPARAM lp) {
    reinterpret_cast<v_NotifyCode_Handler>(handler)(object, lp ? ((NMHDR *)lp)->code : 0);
    return 0;
}
