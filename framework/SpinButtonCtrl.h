#pragma once
// An up-down control bound by DDX_Control.
#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange(int low, int high) const { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(low), high); }
    // The position travels as a signed 16-bit value, as the control keeps it.
    void SetPos(int position) const { SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<short>(position), 0)); }
    void SetAccel(int count, const UDACCEL* steps) const {
        SendMessage(UDM_SETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(steps));
    }
};
