#include "actions/BlackoutDlg_win.h"

#include "base/Scoped_win.h"
#include "res/resource.h"

namespace {
HWND Taskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }
}  // namespace

CBlackoutDlg::CBlackoutDlg() : CDialog(IDD_BLACKOUT) {}

const MessageMap* CBlackoutDlg::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        OnMessage<WM_LBUTTONDOWN>(&CBlackoutDlg::OnLButtonDown),
        OnMessage<WM_CTLCOLORDLG>(&CBlackoutDlg::OnCtlColorDlg),
        OnMessage<WM_DESTROY>(&CBlackoutDlg::OnDestroy),
    };
    static const MessageMap map = MakeMessageMap(entries);
    return &map;
}

BOOL CBlackoutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (HWND taskbar = Taskbar()) ::ShowWindow(taskbar, SW_HIDE);
    {
        ScopedGetDC dc(m_hWnd);
        MoveWindow(m_hWnd, 0, 0, GetDeviceCaps(dc.Get(), HORZRES), GetDeviceCaps(dc.Get(), VERTRES), TRUE);
    }
    ShowCursor(FALSE);
    m_desktopHidden = true;
    SetTopmost(true);
    return TRUE;
}

// Plain keys do nothing on the black screen; system keys pass.
BOOL CBlackoutDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CBlackoutDlg::OnLButtonDown(WPARAM, LPARAM) {
    RestoreDesktop();
    PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    return Default();
}

// The stock black brush: nothing to create or free per repaint.
LRESULT CBlackoutDlg::OnCtlColorDlg(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)); }

// Alt+F4, a close request from outside or the owner going away end the
// window without a click; the desktop must come back all the same.
LRESULT CBlackoutDlg::OnDestroy(WPARAM, LPARAM) {
    RestoreDesktop();
    return Default();
}

void CBlackoutDlg::RestoreDesktop() {
    if (!m_desktopHidden) return;
    m_desktopHidden = false;
    if (HWND taskbar = Taskbar()) ::ShowWindow(taskbar, SW_RESTORE);
    ShowCursor(TRUE);
}

void ActBlackout() {
    CBlackoutDlg dlg;
    dlg.DoModal();
}
