#include "app/TrayPresence_win.h"

#include "base/Scoped_win.h"
#include "res/resource.h"
#include "trigger/Hiding.h"
#include "trigger/Targets.h"
#include "trigger/TriggerMonitor.h"

namespace {

const wchar_t kTipArmed[] = L"VEXAL：爆弹待机中";
const wchar_t kTipIdle[] = L"VEXAL：爆弹未待机";

// After the shell restarts, an icon it refuses is offered again every 2 s
// for 30 s; then the bar comes back, so that VEXAL is never out of reach.
constexpr UINT kRetryMs = 2000;
constexpr int kRetries = 15;

}  // namespace

const wchar_t* TrayPresence::Tip() const { return m_armed ? kTipArmed : kTipIdle; }

void TrayPresence::Show(bool shown) const { ShowWindow(m_bar, shown ? SW_SHOWNA : SW_HIDE); }

// Without a notification area the bar stays, so that it can always be
// disarmed and ended.
void TrayPresence::Move(BarEvent event, bool trayWhileArmed) {
    const BarPresence before = m_presence;
    m_presence = BarAfter(m_presence, event, trayWhileArmed);
    if (m_presence.IconShown() && !before.IconShown() && !m_trayIcon.Add(m_bar, m_icon, Tip()))
        m_presence.inTray = false;
    if (!m_presence.IconShown()) {
        m_trayIcon.Remove();
        KillTimer(m_bar, kTrayRetryTimer);
    }
    if (m_presence.BarShown() != before.BarShown()) Show(m_presence.BarShown());
}

void TrayPresence::SetArmed(bool armed) {
    m_armed = armed;
    m_trayIcon.SetTip(Tip());
}

void TrayPresence::OnTaskbarCreated() {
    if (m_presence.IconShown() && !m_trayIcon.Add(m_bar, m_icon, Tip())) {
        m_retriesLeft = kRetries;
        SetTimer(m_bar, kTrayRetryTimer, kRetryMs, nullptr);
    }
}

void TrayPresence::OnRetryTimer() {
    if (m_presence.IconShown() && !m_trayIcon.Add(m_bar, m_icon, Tip()) && --m_retriesLeft > 0) return;
    KillTimer(m_bar, kTrayRetryTimer);
    if (m_trayIcon.Shown() || !m_presence.IconShown()) return;
    m_trayIcon.Remove();
    const bool wasShown = m_presence.BarShown();
    m_presence.inTray = false;
    if (m_presence.BarShown() && !wasShown) Show(true);
}

bool TrayPresence::Handle(ScreenState& screen, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayMessage)
        OnIcon(screen, lParam);
    else if (message == TaskbarCreatedMessage())
        OnTaskbarCreated();
    else if (message == WM_TIMER && wParam == kTrayRetryTimer)
        OnRetryTimer();
    else
        return false;
    return true;
}

// Once the menu and what was chosen from it are over, the window the armed
// bomb watched is in front again, and it watches it as before: on Windows
// the click on the icon has given the taskbar the front already. A user who
// has gone to another window of their own meanwhile stays there.
void TrayPresence::OnIcon(ScreenState& screen, LPARAM mouse) {
    if (!IsWindowEnabled(m_bar)) return;  // one of VEXAL's modal windows is open
    if (mouse == WM_LBUTTONUP) SendMessageW(m_bar, WM_COMMAND, ID_TRAY_DISARM, 0);
    if (mouse != WM_RBUTTONUP && mouse != WM_CONTEXTMENU) return;
    const WindowId back = WindowToGiveBack(screen, m_armed ? m_monitor.LastWatched() : 0,
                                           reinterpret_cast<WindowId>(GetForegroundWindow()));
    if (const UINT command = TrackMenu()) SendMessageW(m_bar, WM_COMMAND, command, 0);
    if (!IsWatchableWindow(screen, reinterpret_cast<WindowId>(GetForegroundWindow())))
        GiveForegroundBack(reinterpret_cast<HWND>(back));
}

// The bar, hidden or not, is the foreground window while the menu is open,
// so that the armed bomb idles as it does over any window of its own, and
// the menu closes when the user clicks elsewhere.
UINT TrayPresence::TrackMenu() {
    const ScopedMenu menu(CreatePopupMenu());
    if (!menu.Get()) return 0;
    AppendMenuW(menu.Get(), MF_STRING, ID_TRAY_DISARM, L"放弃爆弹并显示VEXAL(&D)");
    if (m_hiding.Active()) AppendMenuW(menu.Get(), MF_STRING, ID_TRAY_BRING_BACK, L"恢复隐藏的窗口(&R)");
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.Get(), MF_STRING, ID_TRAY_SETTINGS, L"设置(&S)...");
    AppendMenuW(menu.Get(), MF_STRING, ID_TRAY_INFO, L"关于本程序(&A)...");
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.Get(), MF_STRING, ID_TRAY_EXIT, L"退出(&X)");
    SetMenuDefaultItem(menu.Get(), ID_TRAY_DISARM, FALSE);
    POINT at;
    GetCursorPos(&at);
    SetForegroundWindow(m_bar);
    m_inMenu = true;
    const UINT command = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_bar, nullptr);
    m_inMenu = false;
    PostMessageW(m_bar, WM_NULL, 0, 0);
    return command;
}

// Only while the bar is still away and `window` in sight.
void TrayPresence::GiveForegroundBack(HWND window) const {
    // A minimised window is out of sight: the user put it down.
    if (m_presence.BarShown() || !window || window == m_bar || !IsWindow(window) || !IsWindowVisible(window) ||
        IsIconic(window))
        return;
    SetForegroundWindow(window);
}

bool TrayPresence::OutOfSightInFront() const {
    return GetForegroundWindow() == m_bar && !IsWindowVisible(m_bar) && !m_inMenu;
}
