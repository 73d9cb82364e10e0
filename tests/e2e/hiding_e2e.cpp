// The hotkey and hiding from the outside: the driver's own windows are the
// ones hidden and brought back, the key comes through the X server as a
// person's would, and VEXAL.vxl is never touched by any of it.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "tests/e2e/Rig.h"
#include "tests/e2e/Settings.h"

namespace {

const wchar_t kExtraCaption[] = L"VEXAL：热键和隐藏设置";

// A program whose VEXAL.ini says `ini` and whose VEXAL.vxl holds the
// defaults, shown until the control bar is up.
struct Hider {
    Program program;
    HWND bar = nullptr;
    std::string vxl = SettingsBytes(DefaultSettings());

    explicit Hider(const std::string& ini) {
        program.WriteFile(L"VEXAL.vxl", vxl);
        program.WriteFile(L"VEXAL.ini", ini);
        program.Start();
        bar = program.WaitControlBar();
    }
    bool StateFileExists() const {
        return GetFileAttributesW(program.PathOf(L"VEXAL.hidden").c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    bool VxlUntouched() const {
        std::string now;
        return program.ReadFile(L"VEXAL.vxl", now) && now == vxl;
    }
};

// The hotkey pressed and let go through the X server, aimed at the window
// in front.
bool PressF12() { return XKey("key F12"); }

// The window in front, and with the keys, after another one was.
void TakeKeys(HWND bar, TargetWindow& w) {
    SetForegroundWindow(bar);
    WaitFor([&] { return GetForegroundWindow() == bar; }, 2000);
    w.Activate();
    FocusXKeys(w.Handle());
}

bool Visible(const TargetWindow& w) { return IsWindowVisible(w.Handle()) != FALSE; }

// True when `upper` stands above `lower` in the z-order.
bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

// Two windows of the driver's process, `back` behind `front`, front active.
struct TwoWindows {
    TargetWindow back{L"Hidden back"};
    TargetWindow front{L"Hidden front"};
    explicit TwoWindows(HWND bar) {
        back.Activate();
        TakeKeys(bar, front);
    }
    bool BothHidden() const { return !Visible(back) && !Visible(front); }
    bool BackInOrder() const {
        return Visible(back) && Visible(front) && Above(front.Handle(), back.Handle()) &&
               GetForegroundWindow() == front.Handle();
    }
};

// The message box a start shows, by its text; closed again with OK.
bool MessageShown(DWORD process, const std::wstring& text) {
    HWND box = WaitTopWindow(process, L"vexal", 8000);
    bool found = false;
    for (HWND c = box ? GetWindow(box, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
        if (WindowText(c) == text) found = true;
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
    return found;
}

}  // namespace

E2E_CASE(hotkey_detonates_armed_or_not) {
    Hider h("[Extra]\r\nHotkey=F12\r\n");
    if (!Check(h.bar != nullptr, "starts with a hotkey in VEXAL.ini")) return;
    TargetWindow target(L"Hotkey target");
    TakeKeys(h.bar, target);
    if (!PressF12()) {
        Skip("the hotkey", "no X key bridge here");
        return;
    }
    Check(WaitFor([&] { return target.CloseRequests() == 1; }, 3000), "unarmed, the hotkey closes the window in front");
    if (!Check(ArmWithTarget(h.bar, target), "armed with the target in front")) return;
    PressF12();
    Check(WaitFor([&] { return target.CloseRequests() == 2; }, 3000), "armed, the hotkey closes it too");
    Check(WaitFor([&] { return IsWindowEnabled(GetDlgItem(h.bar, IDC_ARM)) != FALSE; }), "and disarms the bomb");
    Check(h.VxlUntouched(), "VEXAL.vxl is left byte for byte as it was");
}

E2E_CASE(hotkey_hides_and_brings_back_in_order) {
    Hider h("; mine\r\n[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\nMuteWhileHidden=1\r\n");
    if (!Check(h.bar != nullptr, "starts with hiding in VEXAL.ini")) return;
    TwoWindows w(h.bar);
    if (!PressF12()) {
        Skip("the hotkey", "no X key bridge here");
        return;
    }
    // Wine waits 2 s for a window manager each time a managed window is
    // hidden, and none runs here; Windows hides them at once.
    Check(WaitFor([&] { return w.BothHidden(); }, 8000), "both windows of the process in front are hidden");
    Check(w.front.CloseRequests() == 0 && w.back.CloseRequests() == 0, "and nothing is closed");
    Check(h.StateFileExists(), "what is hidden is recorded beside the program");
    // Hidden while it held the X focus, the front window never got the key's
    // release, and Wine would take the next press for a repeat: the bar
    // takes the keys and is told of the release first. (Windows needs none.)
    SetForegroundWindow(h.bar);
    WaitFor([&] { return GetForegroundWindow() == h.bar; }, 2000);
    FocusXKeys(h.bar);
    XKey("keyup F12");
    PressF12();
    Check(WaitFor([&] { return w.BackInOrder(); }, 8000), "the hotkey again brings them back, in order, front active");
    Check(WaitFor([&] { return !h.StateFileExists(); }), "and the record is gone");
    Check(h.VxlUntouched(), "VEXAL.vxl is left byte for byte as it was");
}

// However VEXAL ends, or when it is started again, or after it was killed,
// the hidden windows come back. The hotkey comes as Windows delivers it, a
// WM_HOTKEY posted to the bar; the X server's way is shown above.
E2E_CASE(hidden_windows_come_back_whatever_happens) {
    const char* ini = "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n";
    auto hide = [](const Hider& h, const WindowProgram& w) {
        w.ActivateFront();
        PostMessageW(h.bar, WM_HOTKEY, 1, MAKELPARAM(0, VK_F12));
        return Check(WaitFor([&] { return w.BothHidden() && h.StateFileExists(); }, 3000), "hidden and recorded");
    };
    {
        Hider h(ini);
        WindowProgram w;
        if (!Check(w.Started(), "the window program starts") || !hide(h, w)) return;
        PostMessageW(h.bar, WM_COMMAND, IDCANCEL, 0);
        Check(h.program.WaitExit(5000), "the exit button ends VEXAL");
        Check(WaitFor([&] { return w.InOrder(); }), "and the windows are back, in order, front active");
    }
    {
        Hider h(ini);
        WindowProgram w;
        if (!hide(h, w)) return;
        Program second;
        second.Start();
        Check(second.WaitExit(5000), "a second start ends at once");
        Check(WaitFor([&] { return w.InOrder(); }), "and has the first bring the windows back");
    }
    {
        Hider h(ini);
        WindowProgram w;
        if (!hide(h, w)) return;
        TerminateProcess(h.program.Process(), 1);
        Check(h.program.WaitExit(5000) && w.BothHidden(), "VEXAL killed: the windows stay hidden");
        h.program.Start();
        Check(WaitFor([&] { return w.BothShown(); }, 8000), "the next start brings them back");
        Check(WaitFor([&] { return !h.StateFileExists(); }), "and forgets the record");
    }
}

E2E_CASE(hotkey_taken_by_another_program) {
    if (!RegisterHotKey(nullptr, 7, 0, VK_F11)) {
        Skip("a taken hotkey", "the driver could not take F11 itself");
        return;
    }
    Program p;
    p.WriteFile(L"VEXAL.ini", "[Extra]\nHotkey=f11\n");
    p.Start();
    Check(MessageShown(p.ProcessId(), L"热键 F11 已被其他程序占用，请另选一个。"),
          "a key another program holds is named as VEXAL.ini writes it");
    Check(p.WaitControlBar() != nullptr, "and VEXAL runs on without it");
    UnregisterHotKey(nullptr, 7);
}

// The dialog writes VEXAL.ini, keeping what a person wrote there; a key
// another program holds keeps it open; Cancel changes nothing.
E2E_CASE(hotkey_dialog_round_trip) {
    Hider h("; my notes\n[Other]\nKeep=this\n[Extra]\nUnknown=stays\n");
    if (!Check(h.bar != nullptr, "starts")) return;
    auto open = [&] {
        PostMessageW(h.bar, WM_SYSCOMMAND, IDM_EXTRA, 0);
        return WaitTopWindow(h.program.ProcessId(), kExtraCaption);
    };
    HWND dlg = open();
    if (!Check(dlg != nullptr, "the system menu item opens the dialog")) return;
    Rest(300);
    SaveScreenshot("hotkey-dialog", dlg);
    SendDlgItemMessageW(dlg, IDC_EXTRA_HOTKEY, HKM_SETHOTKEY, MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    Click(dlg, IDC_EXTRA_HIDE);
    Click(dlg, IDOK);
    Check(WaitFor([&] { return !IsWindow(dlg); }), "OK closes it");
    const std::string expected =
        "; my notes\n[Other]\nKeep=this\n[Extra]\nUnknown=stays\nHotkey=Ctrl+Alt+B\nHideInsteadOfClose=1\n"
        "MuteWhileHidden=0\nLockAfterDetonation=0\nTrayWhileArmed=0\n";
    std::string ini;
    Check(WaitFor([&] { return h.program.ReadFile(L"VEXAL.ini", ini) && ini == expected; }),
          "VEXAL.ini has the new settings and everything else as it was", ini);

    dlg = open();
    if (!Check(dlg != nullptr, "opens again")) return;
    Check(SendDlgItemMessageW(dlg, IDC_EXTRA_HOTKEY, HKM_GETHOTKEY, 0, 0) ==
                  MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT) &&
              IsChecked(dlg, IDC_EXTRA_HIDE),
          "showing what is in force");
    if (RegisterHotKey(nullptr, 8, 0, VK_F10)) {
        SendDlgItemMessageW(dlg, IDC_EXTRA_HOTKEY, HKM_SETHOTKEY, VK_F10, 0);
        Click(dlg, IDOK);
        Check(MessageShown(h.program.ProcessId(), L"热键 F10 已被其他程序占用，请另选一个。"),
              "a taken key is refused");
        Check(!WaitFor([&] { return !IsWindow(dlg); }, 1000), "and the dialog stays open (watched for 1 s)");
        UnregisterHotKey(nullptr, 8);
    }
    Click(dlg, IDCANCEL);
    Check(WaitFor([&] { return !IsWindow(dlg); }), "Cancel closes it");
    std::string after;
    h.program.ReadFile(L"VEXAL.ini", after);
    Check(after == ini, "and changes nothing");
    Check(h.VxlUntouched(), "VEXAL.vxl is left byte for byte as it was");
}

// VEXAL.ini is never a reason not to start, and a start never rewrites it.
E2E_CASE(extra_settings_file_never_stops_a_start) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) >> 3);
    const std::string files[] = {
        junk,
        "\xef\xbb\xbf[Extra]\r\nHotkey=Ctrl+Ctrl+Q\r\nHideInsteadOfClose=yes\r\nMuteWhileHidden=1",
        "[Extra]\nHotkey=" + std::string(100000, 'A') + "\n[Extra\n=\n",
    };
    for (const std::string& ini : files) {
        Hider h(ini);
        if (!Check(h.bar != nullptr, "VEXAL starts")) continue;
        Check(!WaitFor([&] { return FindTopWindow(h.program.ProcessId(), L"vexal") != nullptr; }, 1000),
              "without any message (watched for 1 s)");
        std::string after;
        h.program.ReadFile(L"VEXAL.ini", after);
        Check(after == ini && h.VxlUntouched(), "and leaves both files as they were");
    }
}
