// The control bar beyond its six setting numbers: VEXAL.ini, the panic
// hotkey, and bringing hidden windows back whenever they should come back.
#include <functional>
#include <string>

#include "app/BombDlg.h"
#include "app/ControlBarDesktop.h"
#include "app/HiddenStateFile.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "settings/ExtraDlg.h"
#include "settings/ExtraSettingsFile.h"

namespace {

constexpr int kHotkeyId = 1;
// Held down, a key repeats; this flag (Windows 7 on) keeps the repeats from
// bringing back what the first press hid. Older systems refuse it.
constexpr UINT kModNoRepeat = 0x4000;

const wchar_t kTrayTipArmed[] = L"VEXAL：爆弹待机中";
const wchar_t kTrayTipIdle[] = L"VEXAL：爆弹未待机";

// After the shell restarts, an icon it refuses is offered again every 2 s
// for 30 s; then the bar comes back, so that VEXAL is never out of reach.
constexpr UINT_PTR kTrayRetryTimer = 2;
constexpr UINT kTrayRetryMs = 2000;
constexpr int kTrayRetries = 15;

const wchar_t kIniSaveFailed[] = L"无法保存VEXAL.ini，新的设置只在本次运行中有效。";

void ShowPanicKeyTaken(const Hotkey& hotkey) {
    const std::string name = FormatHotkey(hotkey);  // ASCII
    const std::wstring text = L"热键 " + std::wstring(name.begin(), name.end()) + L" 已被其他程序占用，请另选一个。";
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

UINT BringBackMessage() {
    static const UINT message = RegisterWindowMessageW(L"VEXAL.BringBackHidden");
    return message;
}

// What a run that was killed had hidden comes back first; a hotkey another
// program holds is said once, and the program runs on without one.
void CBombDlg::StartExtras() {
    HiddenState left;
    if (LoadHiddenStateFile(ProgramFolder(), left)) {
        m_hiding.Adopt(left);
        m_hiding.Restore(Roles());
    }
    m_settings.Extra = LoadExtraSettings(ProgramFolder());
    if (!RegisterPanicKey(m_settings.Extra.Hotkey)) ShowPanicKeyTaken(m_settings.Extra.Hotkey);
}

bool CBombDlg::RegisterPanicKey(const Hotkey& hotkey) {
    UnregisterHotKey(m_hWnd, kHotkeyId);
    if (hotkey.key == 0) return true;
    if (RegisterHotKey(m_hWnd, kHotkeyId, hotkey.modifiers | kModNoRepeat, hotkey.key)) return true;
    return GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED &&
           RegisterHotKey(m_hWnd, kHotkeyId, hotkey.modifiers, hotkey.key);
}

bool CBombDlg::PutPanicKeyInForce(const Hotkey& hotkey) {
    if (RegisterPanicKey(hotkey)) return true;
    ShowPanicKeyTaken(hotkey);
    RegisterPanicKey(m_settings.Extra.Hotkey);  // the one in force stays
    return false;
}

// Bringing back works over any window of ours (a dialog, the blackout
// screen, the final message), the windows coming back behind it; a press
// that would set the bomb off is dropped while one is open. A press that
// comes in the middle of a detonation, while one of its actions lets
// messages through, is taken once the detonation is over.
LRESULT CBombDlg::OnHotKey(WPARAM id, LPARAM) {
    if (id != kHotkeyId) return 0;
    if (m_detonating && IsWindowEnabled(m_hWnd))
        m_hotkeyWaiting = true;
    else
        TakeHotkey();
    return 0;
}

void CBombDlg::TakeHotkey() {
    if (m_hiding.Active())
        BringBack();
    else if (IsWindowEnabled(m_hWnd))
        Detonating([this] { m_monitor.DetonateNow(Roles(), m_settings, &m_hiding); });
}

void CBombDlg::Detonating(const std::function<void()>& run) {
    m_detonating = true;
    run();
    m_detonating = false;
    if (m_hotkeyWaiting) {
        m_hotkeyWaiting = false;
        TakeHotkey();
    }
}

// The session ends: the process may be gone right after this returns.
LRESULT CBombDlg::OnEndSession(WPARAM ending, LPARAM) {
    if (ending) BringBack();
    return 0;
}

// A second start: what is hidden comes back; with nothing hidden and the
// bar away, the bar comes back as the icon's click brings it, for whoever
// has lost sight of the icon.
LRESULT CBombDlg::OnBringBack(WPARAM, LPARAM) {
    if (m_hiding.Active())
        BringBack();
    else if (!m_presence.BarShown() && IsWindowEnabled(m_hWnd))
        OnDisarm();
    return 0;
}

void CBombDlg::BringBack() {
    if (m_hiding.Active()) m_hiding.Restore(Roles());
}

// OK has put the hotkey in force already; the file is written afterwards.
void CBombDlg::OnExtraSettings() {
    CExtraDlg dlg;
    dlg.m_extra = m_settings.Extra;
    dlg.m_apply = [this](const ExtraSettings& chosen) { return PutPanicKeyInForce(chosen.Hotkey); };
    if (DoModalBelowBar(dlg) != IDOK) return;
    m_settings.Extra = dlg.m_extra;
    if (!SaveExtraSettings(ProgramFolder(), m_settings.Extra))
        AfxMessageBox(kIniSaveFailed, MB_OK | MB_ICONEXCLAMATION);
}

// The bar goes away only where the icon can stand in for it: without a
// notification area it stays, so it can always be disarmed and ended.
void CBombDlg::MoveBar(BarEvent event) {
    const BarPresence before = m_presence;
    m_presence = BarAfter(m_presence, event, m_settings.Extra.TrayWhileArmed);
    if (m_presence.IconShown() && !before.IconShown() && !m_trayIcon.Add(m_hWnd, m_hIcon, TrayTip()))
        m_presence.inTray = false;
    if (!m_presence.IconShown()) {
        m_trayIcon.Remove();
        KillTimer(m_hWnd, kTrayRetryTimer);
    }
    if (m_presence.BarShown() != before.BarShown()) ShowWindow(m_presence.BarShown() ? SW_SHOWNA : SW_HIDE);
}

const wchar_t* CBombDlg::TrayTip() const { return IsWindowEnabled(m_armButton.m_hWnd) ? kTrayTipIdle : kTrayTipArmed; }

// A left click is the disarm button; the right button opens the menu.
LRESULT CBombDlg::OnTrayIcon(WPARAM, LPARAM mouse) {
    if (!IsWindowEnabled(m_hWnd)) return 0;  // one of our modal windows is open
    if (mouse == WM_LBUTTONUP) OnDisarm();
    if (mouse == WM_RBUTTONUP || mouse == WM_CONTEXTMENU) ShowTrayMenu();
    return 0;
}

LRESULT CBombDlg::OnTaskbarCreated(WPARAM, LPARAM) {
    if (m_presence.IconShown() && !m_trayIcon.Add(m_hWnd, m_hIcon, TrayTip())) {
        m_trayRetriesLeft = kTrayRetries;
        SetTimer(m_hWnd, kTrayRetryTimer, kTrayRetryMs, nullptr);
    }
    return 0;
}

void CBombDlg::RetryTrayIcon() {
    if (m_presence.IconShown() && !m_trayIcon.Add(m_hWnd, m_hIcon, TrayTip()) && --m_trayRetriesLeft > 0) return;
    KillTimer(m_hWnd, kTrayRetryTimer);
    if (m_trayIcon.Shown() || !m_presence.IconShown()) return;
    m_trayIcon.Remove();
    const bool wasShown = m_presence.BarShown();
    m_presence.inTray = false;
    if (m_presence.BarShown() && !wasShown) ShowWindow(SW_SHOWNA);
}

// The bar, hidden or not, is the foreground window while the menu is open,
// so that the armed bomb idles as it does over any window of its own, and
// the menu closes when the user clicks elsewhere. Once the menu and what was
// chosen from it are over, the window that was in front is in front again,
// and the armed bomb watches it as before.
void CBombDlg::ShowTrayMenu() {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AppendMenuW(menu, MF_STRING, ID_TRAY_DISARM, L"放弃爆弹并显示VEXAL(&D)");
    if (m_hiding.Active()) AppendMenuW(menu, MF_STRING, ID_TRAY_BRING_BACK, L"恢复隐藏的窗口(&R)");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ID_TRAY_SETTINGS, L"设置(&S)...");
    AppendMenuW(menu, MF_STRING, ID_TRAY_INFO, L"关于本程序(&A)...");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ID_TRAY_EXIT, L"退出(&X)");
    SetMenuDefaultItem(menu, ID_TRAY_DISARM, FALSE);
    POINT at;
    GetCursorPos(&at);
    const HWND before = GetForegroundWindow();
    SetForegroundWindow(m_hWnd);
    m_inTrayMenu = true;
    const UINT command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
    m_inTrayMenu = false;
    PostMessageW(m_hWnd, WM_NULL, 0, 0);
    DestroyMenu(menu);
    switch (command) {
        case ID_TRAY_DISARM:
            OnDisarm();
            break;
        case ID_TRAY_BRING_BACK:
            BringBack();
            break;
        case ID_TRAY_SETTINGS:
            OnSettings();
            break;
        case ID_TRAY_INFO:
            ShowInfoPanel(false);
            break;
        case ID_TRAY_EXIT:
            PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
            break;
    }
    GiveForegroundBack(before);
}

// Only while the bar is away and still in front: a user who has gone to
// another window meanwhile stays there.
void CBombDlg::GiveForegroundBack(HWND before) {
    if (m_presence.BarShown() || before == m_hWnd || !IsWindow(before) || !IsWindowVisible(before)) return;
    const HWND front = GetForegroundWindow();
    if (front == m_hWnd || front == nullptr) SetForegroundWindow(before);
}

bool CBombDlg::OutOfSightInFront() const {
    return GetForegroundWindow() == m_hWnd && !IsWindowVisible(m_hWnd) && !m_inTrayMenu;
}
