// Which windows a detonation acts on and brings back, seen from outside:
// a window its program showed again is hidden again, the hotkey's way back
// is open over VEXAL's own final message, and a taskbar in front is never
// a target, whatever the detonation does to targets.
#include <windows.h>

#include "tests/e2e/ControlBarDriver.h"

namespace {

int RecordedWindows(const ControlBar& b) {
    std::string record;
    if (!b.ReadFile(L"VEXAL.hidden", record)) return 0;
    int n = 0;
    for (size_t at = record.find("Window="); at != std::string::npos; at = record.find("Window=", at + 1)) ++n;
    return n;
}

const char kHideIni[] = "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n";

bool Visible(HWND w) { return IsWindowVisible(w) != FALSE; }

}  // namespace

// A chat program shows its hidden window on a new message: the next
// detonation hides it again, and the record still holds it once.
E2E_CASE(window_shown_again_is_hidden_again) {
    ControlBar b({WithSensitivity(20), kHideIni});
    if (!Check(b.Start(), "starts with hiding")) return;
    TargetWindow chat(L"Chat window");
    chat.Activate();
    b.PostHotkey();
    // Wine waits for a window manager each time a managed window is hidden.
    if (!Check(WaitFor([&] { return !Visible(chat.Handle()); }, 8000), "the hotkey hides it")) return;
    ShowWindow(chat.Handle(), SW_SHOWNOACTIVATE);
    if (!Check(b.Arm(chat), "shown again by its program and in front, VEXAL armed")) return;
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return !Visible(chat.Handle()); }, 8000), "the mouse jump hides it again");
    Check(RecordedWindows(b) == 1, "the record holds it once");
    Check(WaitFor([&] { return b.Disarmed(); }), "and disarms");
    b.PostHotkey();
    Check(WaitFor([&] { return Visible(chat.Handle()); }, 8000), "the hotkey brings it back");
}

// The user comes back to the final message: the hotkey brings the windows
// back behind it, and the message stays until it is answered.
E2E_CASE(hotkey_brings_back_over_the_final_message) {
    BombSettings s = DefaultSettings();
    SetPreset(s, 0, Preset::FinalAction, 5);
    s.Records[0].FinalMessage = "bye";
    ControlBar b({s, kHideIni});
    if (!Check(b.Start(), "starts with a final message and hiding")) return;
    TargetWindow target(L"Behind the message");
    target.Activate();
    b.PostHotkey();
    HWND box = b.WaitMessage(8000);
    if (!Check(box != nullptr && !Visible(target.Handle()), "the target hidden, the final message shown")) return;
    b.PostHotkey();
    Check(WaitFor([&] { return Visible(target.Handle()); }, 8000), "the hotkey brings the target back");
    Check(Visible(box) && GetForegroundWindow() == box, "while the message stays open in front");
    Check(ControlBar::Dismiss(box), "and is answered");
}

// A taskbar of a second screen in front: neither closed, minimised nor
// hidden, and with it none of its process's windows.
E2E_CASE(secondary_taskbar_is_never_a_target) {
    TargetWindow other(L"Beside the taskbar");
    const char* inis[] = {"[Extra]\r\nHotkey=F12\r\n", kHideIni};
    for (const char* ini : inis) {
        ControlBar b({DefaultSettings(), ini});
        if (!Check(b.Start(), "starts")) return;
        HWND taskbar = CreateTaskbarStandIn(L"Shell_SecondaryTrayWnd", 700, 40);
        BringToFront(taskbar);
        b.PostHotkey();
        Check(WaitFor([&] { return b.Disarmed(); }), "the hotkey is taken");
        Check(!WaitFor([&] { return !IsWindow(taskbar) || !Visible(taskbar) || IsIconic(taskbar); }, 1500),
              "the taskbar stays as it was (watched for 1.5 s)");
        Check(Visible(other.Handle()) && other.CloseRequests() == 0, "and so does its process's other window");
        DestroyWindow(taskbar);
        b.Stop();
    }
}
