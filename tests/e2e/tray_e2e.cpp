// VEXAL.ini's TrayWhileArmed from the outside: the icon's clicks are posted
// to the control bar as the shell posts them, and whether the icon is in
// the notification area is asked as any program may ask: a change of
// nothing succeeds only for an icon that is there.
#include <windows.h>
#include <shellapi.h>

#include "app/TrayIcon.h"
#include "res/resource.h"
#include "tests/e2e/Rig.h"
#include "tests/e2e/Settings.h"

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

struct TrayBar {
    Program program;
    HWND bar = nullptr;
    explicit TrayBar(const std::string& ini) {
        BombSettings s = DefaultSettings();
        s.Records[0].Sensitivity = "20";
        program.WriteFile(L"VEXAL.vxl", SettingsBytes(s));
        program.WriteFile(L"VEXAL.ini", ini);
        program.Start();
        bar = program.WaitControlBar();
    }
    bool Armed() const { return !IsWindowEnabled(GetDlgItem(bar, IDC_ARM)); }
    bool Away() const { return !IsWindowVisible(bar) && IconThere(bar); }
    bool Back() const { return IsWindowVisible(bar) && !IconThere(bar); }
};

}  // namespace

E2E_CASE(tray_while_armed) {
    TrayBar t("[Extra]\r\nTrayWhileArmed=1\r\n");
    if (!Check(t.bar != nullptr, "starts with TrayWhileArmed=1")) return;
    Check(!IconThere(t.bar), "no icon before arming");
    TargetWindow target(L"Tray target");
    if (!Check(ArmWithTarget(t.bar, target), "armed with the target in front")) return;
    if (!IconThere(t.bar) && IsWindowVisible(t.bar)) {
        Skip("the notification area", "no notification area takes icons here; the bar rightly stays");
        return;
    }
    Check(t.Away(), "arming hides the bar and puts the icon in the notification area");
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return target.CloseRequests() == 1; }), "a detonation in the tray still closes the target");
    Check(WaitFor([&] { return !t.Armed(); }) && t.Away(), "and disarms, with the bar still away and the icon there");
    ClickIcon(t.bar, WM_LBUTTONUP);
    Check(WaitFor([&] { return t.Back(); }), "a click on the icon shows the bar and removes the icon");

    if (!Check(ArmWithTarget(t.bar, target) && t.Away(), "armed into the tray again")) return;
    ClickIcon(t.bar, WM_RBUTTONUP);
    Check(WaitFor(MenuOpen, 3000), "the right button opens the icon's menu");
    Check(t.Armed(), "which leaves the bomb armed");
    // The menu's own loop runs in the bar's thread and reads its keys there.
    PostMessageW(t.bar, WM_CHAR, 'd', 0);
    Check(WaitFor([&] { return t.Back() && !t.Armed(); }), "its first item disarms and shows the bar");

    if (!Check(ArmWithTarget(t.bar, target) && t.Away(), "armed into the tray once more")) return;
    PostMessageW(t.bar, WM_COMMAND, IDCANCEL, 0);
    Check(t.program.WaitExit(5000), "VEXAL ends from the tray");
    Check(!IconThere(t.bar), "and leaves no icon behind");
}

// Hiding and the tray together: the bar stays away when the hidden windows
// come back; only the icon brings it back.
E2E_CASE(tray_with_hiding) {
    TrayBar t("[Extra]\r\nTrayWhileArmed=1\r\nHideInsteadOfClose=1\r\nHotkey=F12\r\n");
    if (!Check(t.bar != nullptr, "starts")) return;
    TargetWindow target(L"Tray hidden target");
    if (!Check(ArmWithTarget(t.bar, target), "armed")) return;
    if (!t.Away()) {
        Skip("the notification area", "no notification area takes icons here");
        return;
    }
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return !IsWindowVisible(target.Handle()); }), "a detonation in the tray hides the target");
    PostMessageW(t.bar, WM_HOTKEY, 1, MAKELPARAM(0, VK_F12));
    Check(WaitFor([&] { return IsWindowVisible(target.Handle()) != FALSE; }), "the hotkey brings it back");
    Check(t.Away(), "while the bar stays away and the icon stays");
    ClickIcon(t.bar, WM_LBUTTONUP);
    Check(WaitFor([&] { return t.Back(); }), "the icon brings the bar back");
}

// The icon's menu makes the hidden bar the window in front while it is
// open; once the menu, and the panel opened from it, are closed, the
// window the user was in is in front again and the bomb still fires.
E2E_CASE(tray_menu_leaves_the_bomb_watching) {
    TrayBar t("[Extra]\r\nTrayWhileArmed=1\r\n");
    if (!Check(t.bar != nullptr, "starts")) return;
    TargetWindow target(L"Tray menu target");
    if (!Check(ArmWithTarget(t.bar, target), "armed")) return;
    if (!t.Away()) {
        Skip("the notification area", "no notification area takes icons here");
        return;
    }
    auto inFront = [&] { return GetForegroundWindow() == target.Handle(); };
    ClickIcon(t.bar, WM_RBUTTONUP);
    Check(WaitFor(MenuOpen, 3000), "the menu opens");
    PostMessageW(t.bar, WM_KEYDOWN, VK_ESCAPE, 0);
    Check(WaitFor([] { return !MenuOpen(); }, 3000) && WaitFor(inFront, 3000),
          "Esc closes it and the window the user was in is in front again");

    ClickIcon(t.bar, WM_RBUTTONUP);
    Check(WaitFor(MenuOpen, 3000), "the menu opens again");
    PostMessageW(t.bar, WM_CHAR, 'a', 0);
    HWND panel = WaitTopWindow(t.program.ProcessId(), L"VEXAL：信息", 8000);
    if (!Check(panel != nullptr, "the information panel opens from it")) return;
    PostMessageW(panel, WM_COMMAND, IDCANCEL, 0);
    Check(WaitFor([&] { return !IsWindow(panel); }, 5000) && WaitFor(inFront, 3000),
          "the panel closed, the window the user was in is in front again");
    Check(t.Armed(), "and the bomb is still armed");
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return target.CloseRequests() == 1; }), "and fires at it when the mouse jumps");
}

// Whoever has lost sight of the icon starts VEXAL again: with nothing
// hidden, the bar comes back as the icon's click brings it.
E2E_CASE(tray_second_start_brings_the_bar_back) {
    TrayBar t("[Extra]\r\nTrayWhileArmed=1\r\n");
    if (!Check(t.bar != nullptr, "starts")) return;
    TargetWindow target(L"Tray lost target");
    if (!Check(ArmWithTarget(t.bar, target), "armed")) return;
    if (!t.Away()) {
        Skip("the notification area", "no notification area takes icons here");
        return;
    }
    Program second;
    second.Start();
    Check(second.WaitExit(5000), "a second start ends at once");
    Check(WaitFor([&] { return t.Back() && !t.Armed(); }), "and the bar is back, the icon gone, disarmed");
}
