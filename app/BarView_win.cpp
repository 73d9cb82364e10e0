#include "app/BarView_win.h"

#include <commctrl.h>

#include "app/BarIds_win.h"
#include "app/TrayPresence_win.h"
#include "base/Codepage.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "settings/Pictures.h"

void BarView::SetRangePos(int32_t position) { SendMessageW(Item(IDC_RANGEBAR), PBM_SETPOS, position, 0); }

// The range's maximum travels as a 16-bit value, as the bar stores it.
void BarView::SetRangeMax(int32_t sensitivity) {
    SendMessageW(Item(IDC_RANGEBAR), PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(sensitivity)));
}

void BarView::EnableArmButton(bool enable) {
    EnableWindow(Item(IDC_ARM), enable);
    m_tray.SetArmed(!enable);
}

void BarView::ShowArmedPicture(bool show) { ShowWindow(Item(IDC_ARMED_PICTURE), show ? SW_SHOW : SW_HIDE); }

bool BarView::StartTimer() { return SetTimer(m_bar.m_hWnd, kTickTimer, 200, nullptr) != 0; }
void BarView::StopTimer() { KillTimer(m_bar.m_hWnd, kTickTimer); }

void BarView::RefreshControls() { m_bar.UpdateData(false); }

void BarView::RefreshAfterApply() {
    const int resource = PictureResourceOf(m_settings.Active.IconIndex);
    SendMessageW(Item(IDC_ARMED_PICTURE), STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(resource))), 0);
    RefreshControls();
}

// A bar that is away stays away: minimised, it would show on the taskbar.
void BarView::MinimizeControlBar() {
    if (m_tray.BarShown()) ShowWindow(m_bar.m_hWnd, SW_MINIMIZE);
}
void BarView::HideControlBar() { m_tray.Move(BarEvent::HidingTookBar, m_settings.Extra.TrayWhileArmed); }
void BarView::ShowControlBar() { m_tray.Move(BarEvent::HidingGaveBack, m_settings.Extra.TrayWhileArmed); }
void BarView::SetControlBarTopmost(bool topmost) { m_bar.SetTopmost(topmost); }

void BarView::ShowFinalMessage(const std::string& text) {
    MessageBoxW(m_bar.m_hWnd, reinterpret_cast<const wchar_t*>(GbkToWide(text).c_str()), AfxGetApp()->AppName().c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

void BarView::ShowIdleWarning(int32_t secondsLeft) { m_idleWarning.Show(secondsLeft); }
void BarView::HideIdleWarning() { m_idleWarning.Hide(); }
