#pragma once
// The window wrapper every dialog and control object derives from: a handle
// and the few calls the dialogs make on it.
#include <windows.h>
#include <commctrl.h>

class CWnd {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
    BOOL EnableWindow(BOOL enable) const { return ::EnableWindow(m_hWnd, enable); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    // Z-order changes move the window into or out of the topmost band only.
    void SetTopmost(bool topmost) const;
};

// Thin control wrappers bound by DDX_Control.
class CStatic : public CWnd {
public:
    void SetIcon(HICON icon) const { SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)); }
};

class CButton : public CWnd {};

class CProgressCtrl : public CWnd {
public:
    void SetPos(int position) const { SendMessage(PBM_SETPOS, static_cast<WPARAM>(position)); }
    // The range's maximum travels as a 16-bit value, as the bar stores it.
    void SetRange(int low, int high) const {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(low), static_cast<WORD>(high)));
    }
};
