// Which windows a detonation acts on and brings back, seen from outside:
// a window its program showed again is hidden again, the hotkey's way back
// is open over VEXAL's own final message, and a taskbar in front is never
// a target, whatever the detonation does to targets.
#include <windows.h>

#include "res/resource.h"
#include "tests/e2e/Rig.h"
#include "tests/e2e/Settings.h"

namespace {

// VEXAL started with `settings` and VEXAL.ini saying `ini`.
struct Bar {
    Program program;
    HWND bar = nullptr;
    Bar(const BombSettings& settings, const std::string& ini) {
        program.WriteFile(L"VEXAL.vxl", SettingsBytes(settings));
        program.WriteFile(L"VEXAL.ini", ini);
        program.Start();
        bar = program.WaitControlBar();
    }
    void PressHotkey() const { PostMessageW(bar, WM_HOTKEY, 1, MAKELPARAM(0, VK_F12)); }
    int RecordedWindows() const {
        std::string record;
        if (!program.ReadFile(L"VEXAL.hidden", record)) return 0;
        int n = 0;
        for (size_t at = record.find("Window="); at != std::string::npos; at = record.find("Window=", at + 1)) ++n;
        return n;
    }
};

const char kHideIni[] = "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n";

bool Visible(HWND w) { return IsWindowVisible(w) != FALSE; }

}  // namespace

// A chat program shows its hidden window on a new message: the next
// detonation hides it again, and the record still holds it once.
E2E_CASE(window_shown_again_is_hidden_again) {
    BombSettings s = DefaultSettings();
    s.Records[0].Sensitivity = "20";
    Bar b(s, kHideIni);
    if (!Check(b.bar != nullptr, "starts with hiding")) return;
    TargetWindow chat(L"Chat window");
    chat.Activate();
    b.PressHotkey();
    // Wine waits for a window manager each time a managed window is hidden.
    if (!Check(WaitFor([&] { return !Visible(chat.Handle()); }, 8000), "the hotkey hides it")) return;
    ShowWindow(chat.Handle(), SW_SHOWNOACTIVATE);
    if (!Check(ArmWithTarget(b.bar, chat), "shown again by its program and in front, VEXAL armed")) return;
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return !Visible(chat.Handle()); }, 8000), "the mouse jump hides it again");
    Check(b.RecordedWindows() == 1, "the record holds it once");
    Check(WaitFor([&] { return IsWindowEnabled(GetDlgItem(b.bar, IDC_ARM)) != FALSE; }), "and disarms");
    b.PressHotkey();
    Check(WaitFor([&] { return Visible(chat.Handle()); }, 8000), "the hotkey brings it back");
}

// The user comes back to the final message: the hotkey brings the windows
// back behind it, and the message stays until it is answered.
E2E_CASE(hotkey_brings_back_over_the_final_message) {
    BombSettings s = DefaultSettings();
    SetPreset(s, 0, Preset::FinalAction, 5);
    s.Records[0].FinalMessage = "bye";
    Bar b(s, kHideIni);
    if (!Check(b.bar != nullptr, "starts with a final message and hiding")) return;
    TargetWindow target(L"Behind the message");
    target.Activate();
    b.PressHotkey();
    HWND box = WaitTopWindow(b.program.ProcessId(), L"vexal", 8000);
    if (!Check(box != nullptr && !Visible(target.Handle()), "the target hidden, the final message shown")) return;
    b.PressHotkey();
    Check(WaitFor([&] { return Visible(target.Handle()); }, 8000), "the hotkey brings the target back");
    Check(Visible(box) && GetForegroundWindow() == box, "while the message stays open in front");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Check(WaitFor([&] { return !IsWindow(box); }), "and is answered");
}

// A taskbar of a second screen in front: neither closed, minimised nor
// hidden, and with it none of its process's windows.
E2E_CASE(secondary_taskbar_is_never_a_target) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_SecondaryTrayWnd";
    RegisterClassW(&wc);
    TargetWindow other(L"Beside the taskbar");
    const char* inis[] = {"[Extra]\r\nHotkey=F12\r\n", kHideIni};
    for (const char* ini : inis) {
        Bar b(DefaultSettings(), ini);
        if (!Check(b.bar != nullptr, "starts")) return;
        HWND taskbar = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 700, 1024,
                                       40, nullptr, nullptr, wc.hInstance, nullptr);
        SetForegroundWindow(taskbar);
        WaitFor([&] { return GetForegroundWindow() == taskbar; }, 2000);
        b.PressHotkey();
        Check(WaitFor([&] { return IsWindowEnabled(GetDlgItem(b.bar, IDC_ARM)) != FALSE; }), "the hotkey is taken");
        Rest(1500);
        Check(IsWindow(taskbar) && Visible(taskbar) && !IsIconic(taskbar), "the taskbar stays as it was");
        Check(Visible(other.Handle()) && other.CloseRequests() == 0, "and so does its process's other window");
        DestroyWindow(taskbar);
        b.program.Stop();
    }
}
