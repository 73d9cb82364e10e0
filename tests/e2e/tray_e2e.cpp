// VEXAL.ini's TrayWhileArmed from the outside: the icon's clicks are posted
// to the control bar as the shell posts them, and whether the icon is in
// the notification area is asked as any program may ask: a change of
// nothing succeeds only for an icon that is there.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/TrayIcon_win.h"
#include "tests/e2e/ControlBarDriver.h"

namespace {

bool IconThere(HWND bar) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = bar;
    data.uID = 1;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool MenuOpen() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu);
}

void ClickIcon(HWND bar, UINT mouseMessage) { PostMessageW(bar, kTrayMessage, 1, mouseMessage); }

// The window in front, for a check's detail: its class and caption.
std::string WhatIsInFront() {
    HWND w = GetForegroundWindow();
    return "in front: " + WideToUtf8(ClassName(w)) + " \"" + WideToUtf8(WindowText(w)) + "\"";
}

// The icon's menu opened with the right button and closed with Esc.
bool MenuOpenedAndEscaped(HWND bar) {
    ClickIcon(bar, WM_RBUTTONUP);
    if (!WaitFor(MenuOpen, 3000)) return false;
    // The menu's own loop runs in the bar's thread and reads its keys there.
    PostMessageW(bar, WM_KEYDOWN, VK_ESCAPE, 0);
    return WaitFor([] { return !MenuOpen(); }, 3000);
}

// Wine's explorer keeps a hidden taskbar window: shown and brought to the
// front, as Windows brings its own when the icon is clicked; hidden again
// at the end if it was.
class TaskbarInFront {
public:
    TaskbarInFront() : m_taskbar(FindWindowW(L"Shell_TrayWnd", nullptr)) {
        if (!m_taskbar) return;
        m_wasVisible = IsWindowVisible(m_taskbar) != FALSE;
        ShowWindow(m_taskbar, SW_SHOWNA);
        m_inFront = BringToFront(m_taskbar);
    }
    ~TaskbarInFront() {
        if (m_taskbar && !m_wasVisible) ShowWindow(m_taskbar, SW_HIDE);
    }
    bool Found() const { return m_taskbar != nullptr; }
    bool InFront() const { return m_inFront; }

private:
    HWND m_taskbar;
    bool m_wasVisible = false;
    bool m_inFront = false;
};

bool Away(HWND bar) { return !IsWindowVisible(bar) && IconThere(bar); }
bool Back(HWND bar) { return IsWindowVisible(bar) && !IconThere(bar); }

// VEXAL with Sensitivity 20 and VEXAL.ini saying `ini`.
BarFiles TrayFiles(const std::string& ini) { return {WithSensitivity(20), ini}; }

// Armed with the target in front, the bar away in the tray; false, with a
// skip said, where no notification area takes icons and the bar rightly stays.
bool ArmIntoTray(const ControlBar& t, TargetWindow& target) {
    if (!Check(t.Arm(target), "armed with the target in front")) return false;
    if (Away(t.Handle())) return true;
    Skip("the notification area", "no notification area takes icons here; the bar rightly stays");
    return false;
}

}  // namespace

E2E_CASE(tray_while_armed) {
    ControlBar t(TrayFiles("[Extra]\r\nTrayWhileArmed=1\r\n"));
    if (!Check(t.Start(), "starts with TrayWhileArmed=1")) return;
    HWND bar = t.Handle();
    Check(!IconThere(bar), "no icon before arming");
    TargetWindow target(L"Tray target");
    if (!ArmIntoTray(t, target)) return;
    Check(Away(bar), "arming hides the bar and puts the icon in the notification area");
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return target.CloseRequests() == 1; }), "a detonation in the tray still closes the target");
    Check(WaitFor([&] { return t.Disarmed(); }) && Away(bar),
          "and disarms, with the bar still away and the icon there");
    ClickIcon(bar, WM_LBUTTONUP);
    Check(WaitFor([&] { return Back(bar); }), "a click on the icon shows the bar and removes the icon");

    if (!Check(t.Arm(target) && Away(bar), "armed into the tray again")) return;
    ClickIcon(bar, WM_RBUTTONUP);
    Check(WaitFor(MenuOpen, 3000), "the right button opens the icon's menu");
    Check(t.Armed(), "which leaves the bomb armed");
    // The menu's own loop runs in the bar's thread and reads its keys there.
    PostMessageW(bar, WM_CHAR, 'd', 0);
    Check(WaitFor([&] { return Back(bar) && t.Disarmed(); }), "its first item disarms and shows the bar");

    if (!Check(t.Arm(target) && Away(bar), "armed into the tray once more")) return;
    PostMessageW(bar, WM_COMMAND, IDCANCEL, 0);
    Check(t.WaitExit(5000), "VEXAL ends from the tray");
    Check(!IconThere(bar), "and leaves no icon behind");
}

// Hiding and the tray together: the bar stays away when the hidden windows
// come back; only the icon brings it back.
E2E_CASE(tray_with_hiding) {
    ControlBar t(TrayFiles("[Extra]\r\nTrayWhileArmed=1\r\nHideInsteadOfClose=1\r\nHotkey=F12\r\n"));
    TargetWindow target(L"Tray hidden target");
    if (!Check(t.Start(), "starts") || !ArmIntoTray(t, target)) return;
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return !IsWindowVisible(target.Handle()); }), "a detonation in the tray hides the target");
    t.PostHotkey();
    Check(WaitFor([&] { return IsWindowVisible(target.Handle()) != FALSE; }), "the hotkey brings it back");
    Check(Away(t.Handle()), "while the bar stays away and the icon stays");
    ClickIcon(t.Handle(), WM_LBUTTONUP);
    Check(WaitFor([&] { return Back(t.Handle()); }), "the icon brings the bar back");
}

// The icon's menu makes the hidden bar the window in front while it is
// open; once the menu, and the panel opened from it, are closed, the
// window the user was in is in front again and the bomb still fires.
E2E_CASE(tray_menu_leaves_the_bomb_watching) {
    ControlBar t(TrayFiles("[Extra]\r\nTrayWhileArmed=1\r\n"));
    TargetWindow target(L"Tray menu target");
    if (!Check(t.Start(), "starts") || !ArmIntoTray(t, target)) return;
    HWND bar = t.Handle();
    auto inFront = [&] { return GetForegroundWindow() == target.Handle(); };
    Check(MenuOpenedAndEscaped(bar) && WaitFor(inFront, 3000),
          "the menu opens, Esc closes it and the window the user was in is in front again");

    ClickIcon(bar, WM_RBUTTONUP);
    Check(WaitFor(MenuOpen, 3000), "the menu opens again");
    PostMessageW(bar, WM_CHAR, 'a', 0);
    HWND panel = t.WaitWindow(L"VEXAL：信息", 8000);
    if (!Check(panel != nullptr, "the information panel opens from it")) return;
    PostMessageW(panel, WM_COMMAND, IDCANCEL, 0);
    Check(WaitFor([&] { return !IsWindow(panel); }, 5000) && WaitFor(inFront, 3000),
          "the panel closed, the window the user was in is in front again");
    Check(t.Armed(), "and the bomb is still armed");
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return target.CloseRequests() == 1; }), "and fires at it when the mouse jumps");
}

// Windows puts the taskbar in front when the icon is clicked: once the
// icon's menu is closed, the window the user was in is in front again, and
// the armed bomb fires at it.
E2E_CASE(tray_menu_from_the_taskbar_leaves_the_bomb_watching) {
    ControlBar t(TrayFiles("[Extra]\r\nTrayWhileArmed=1\r\n"));
    TargetWindow target(L"Taskbar menu target");
    if (!Check(t.Start(), "starts") || !ArmIntoTray(t, target)) return;
    TaskbarInFront taskbar;
    if (!taskbar.Found()) {
        Skip("the taskbar in front", "no Shell_TrayWnd here");
        return;
    }
    if (!Check(taskbar.InFront(), "the taskbar is shown and in front")) return;
    t.WaitTick();
    Check(MenuOpenedAndEscaped(t.Handle()), "the icon's menu opens and Esc closes it");
    const bool back = WaitFor([&] { return GetForegroundWindow() == target.Handle(); }, 3000);
    Check(back, "the window the user was in is in front again", WhatIsInFront());
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return target.CloseRequests() == 1; }), "and a jump of the mouse closes it");
}

// A script that starts VEXAL armed with TrayWhileArmed on never sees the
// bar: it goes straight to the notification area, and the window in front
// stays there, watched.
E2E_CASE(tray_arm_at_start_never_shows_the_bar) {
    if (!Check(WaitFor(NoneRunning, 10000), "no VEXAL of an earlier case runs")) return;
    BombSettings s = DefaultSettings();
    s.Records[1].Sensitivity = "20";
    ControlBar t({s, "[Extra]\r\nTrayWhileArmed=1\r\n"});
    TargetWindow target(L"Armed at start target");
    target.Activate();
    SetCursorPos(ControlBar::kRest.x, ControlBar::kRest.y);
    bool shown = false;
    if (!Check(t.Launch(L"/arm 2") && t.WaitArmedWatching(shown), "/arm 2 starts VEXAL armed")) return;
    if (!IconThere(t.Handle())) {
        Skip("the notification area", "no notification area takes icons here; the bar rightly shows");
        return;
    }
    Check(!shown, "the bar never showed, the icon is there");
    Check(t.Checked(IDC_RADIO2), "setting 2 is in force");
    Check(GetForegroundWindow() == target.Handle(), "the window in front stays in front", WhatIsInFront());
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return target.CloseRequests() == 1; }), "a jump of the mouse closes it");
    ClickIcon(t.Handle(), WM_LBUTTONUP);
    Check(WaitFor([&] { return Back(t.Handle()); }), "a click on the icon then brings the bar");
}

// Whoever has lost sight of the icon starts VEXAL again: with nothing
// hidden, the bar comes back as the icon's click brings it.
E2E_CASE(tray_second_start_brings_the_bar_back) {
    ControlBar t(TrayFiles("[Extra]\r\nTrayWhileArmed=1\r\n"));
    TargetWindow target(L"Tray lost target");
    if (!Check(t.Start(), "starts") || !ArmIntoTray(t, target)) return;
    ControlBar second;
    second.Launch();
    Check(second.WaitExit(5000), "a second start ends at once");
    Check(WaitFor([&] { return Back(t.Handle()) && t.Disarmed(); }), "and the bar is back, the icon gone, disarmed");
}

// A window the user put down (minimised, with the taskbar in front) stays
// down once the menu closes: it was not in front and is not in sight, so the
// bomb never fires at it.
E2E_CASE(tray_menu_leaves_a_minimised_window_down) {
    ControlBar t(TrayFiles("[Extra]\r\nTrayWhileArmed=1\r\n"));
    TargetWindow target(L"Put down before the menu");
    if (!Check(t.Start(), "starts") || !ArmIntoTray(t, target)) return;
    ShowWindow(target.Handle(), SW_MINIMIZE);
    TaskbarInFront taskbar;
    if (!taskbar.InFront()) {
        Skip("the taskbar in front", "no taskbar window here");
        return;
    }
    t.WaitTick();
    Check(MenuOpenedAndEscaped(t.Handle()), "the icon's menu opens and closes");
    SetCursorPos(700, 400);
    const bool closed = WaitFor([&] { return target.CloseRequests() > 0; }, 2000);
    Check(!closed && GetForegroundWindow() != target.Handle(),
          "the minimised window is neither in front nor closed (watched for 2 s)",
          std::string(GetForegroundWindow() == target.Handle() ? "in front" : "not in front") +
              (IsIconic(target.Handle()) ? ", minimised, " : ", restored, ") + std::to_string(target.CloseRequests()) +
              " close request(s)");
}
