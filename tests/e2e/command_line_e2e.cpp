// The command line from the outside: each argument with VEXAL running and
// with none running, the exit codes, and never a second control bar.
#include <windows.h>

#include "app/TrayIcon_win.h"
#include "tests/e2e/ControlBarDriver.h"

namespace {

const wchar_t kBar[] = L"VEXAL汉化版";

// vexal.exe started with `arguments` in a folder of its own; its exit code
// once it has ended, or STILL_ACTIVE.
DWORD RunWith(const std::wstring& arguments, DWORD timeoutMs = 8000) {
    ControlBar p(DefaultSettings());
    if (!p.Launch(arguments)) return STILL_ACTIVE;
    p.WaitExit(timeoutMs);
    return p.ExitCode();
}

size_t Bars() { return BarWindows().size(); }

// The message an unknown argument brings names it, and what is wanted
// instead where it says; answered with OK.
bool RefusedNaming(ControlBar& p, const std::wstring& name, const wchar_t* wanted) {
    HWND box = p.WaitMessage(8000);
    bool named = ControlBar::Mentions(box, L"“" + name + L"”") && ControlBar::Mentions(box, wanted);
    if (box) SaveScreenshot("unknown-argument", box);
    if (box) ControlBar::Dismiss(box);
    return named && p.WaitExit(5000) && p.ExitCode() == 2 && Bars() == 0;
}

}  // namespace

E2E_CASE(command_line_with_none_running) {
    if (!Check(WaitFor(NoneRunning, 10000), "no VEXAL of an earlier case runs")) return;
    for (const wchar_t* argument : {L"/detonate", L"/disarm", L"-SHOW", L"/exit"})
        Check(RunWith(argument) == 1 && Bars() == 0, "with none running it ends with 1 and shows nothing",
              WideToUtf8(argument));
    Check(RunWith(L"/restore") == 0 && Bars() == 0, "/restore with nothing recorded ends with 0");
    for (const wchar_t* argument : {L"/bogus", L"/arm 7"}) {
        ControlBar p;
        p.Launch(argument);
        Check(RefusedNaming(p, argument, argument[1] == L'a' ? L"1到6" : L"/restore"),
              "an argument it does not know is named in one message, and it ends with 2", WideToUtf8(argument));
    }

    // Armed at start with the number asked for, and VEXAL.vxl left alone.
    ControlBar p(DefaultSettings());
    if (!Check(p.Start(L"/ARM 3"), "/arm 3 starts VEXAL")) return;
    Check(WaitFor([&] { return p.Armed() && p.Checked(IDC_RADIO3); }), "armed with setting 3 in force");
    Check(p.FileIs(L"VEXAL.vxl", SettingsBytes(DefaultSettings())), "VEXAL.vxl is not written");
}

E2E_CASE(command_line_with_vexal_running) {
    BombSettings s = DefaultSettings();
    s.Records[0].Sensitivity = "20";
    ControlBar p({s, "[Extra]\r\nHideInsteadOfClose=1\r\nTrayWhileArmed=1\r\n"});
    if (!Check(p.Start(), "VEXAL runs")) return;

    Check(RunWith(L"/arm 2") == 0 && WaitFor([&] { return p.Armed() && p.Checked(IDC_RADIO2); }),
          "/arm 2 ends with 0 once the running bar is armed with setting 2");
    Check(RunWith(L"/show") == 0 && WaitFor([&] { return IsWindowVisible(p.Handle()) != FALSE; }) && p.Armed(),
          "/show brings the bar out of the notification area, still armed");
    Check(RunWith(L"/disarm") == 0 && WaitFor([&] { return !p.Armed(); }), "/disarm disarms it");

    TargetWindow target(L"Command line target");
    target.Activate();
    Check(RunWith(L"/detonate") == 0 && WaitFor([&] { return !IsWindowVisible(target.Handle()); }, 8000),
          "/detonate sets it off against the window in front, which is hidden");
    Check(RunWith(L"/restore") == 0 && WaitFor([&] { return IsWindowVisible(target.Handle()) != FALSE; }, 8000),
          "/restore brings it back");
    Check(Bars() == 1, "no second bar ever appeared");
    Check(RunWith(L"/exit") == 0 && p.WaitExit(5000), "/exit ends VEXAL");
}

// A script ends VEXAL and starts it again armed, one call right after the
// other: /exit returns only once the running VEXAL has ended, so the next
// start is a VEXAL of its own, armed as asked.
E2E_CASE(command_line_exit_then_arm_at_once) {
    if (!Check(WaitFor(NoneRunning, 10000), "no VEXAL of an earlier case runs")) return;
    ControlBar first(DefaultSettings()), exitRun(DefaultSettings()), armRun(DefaultSettings());
    if (!Check(first.Start(), "VEXAL runs")) return;
    if (!Check(exitRun.Launch(L"/exit"), "/exit starts")) return;
    // Waited on directly, to look at the running VEXAL the moment /exit ends.
    WaitForSingleObject(exitRun.Process(), 8000);
    const bool firstGone = !first.Running();
    armRun.Launch(L"/arm 2");
    Check(exitRun.ExitCode() == 0 && firstGone, "/exit ends with 0 once the running VEXAL has ended",
          "exit code " + std::to_string(exitRun.ExitCode()) + (firstGone ? "" : ", VEXAL still running"));
    const bool started = WaitFor([&] { return !armRun.Running() || FindTopWindow(armRun.ProcessId(), kBar); }, 10000) &&
                         armRun.WaitBar(0);
    if (!Check(started, "/arm 2 right after it starts a new VEXAL",
               "it ended with " + std::to_string(armRun.ExitCode())))
        return;
    Check(WaitFor([&] { return armRun.Armed() && armRun.Checked(IDC_RADIO2); }), "armed with setting 2 in force");
}

// A killed run left a window hidden: /restore alone brings it back and ends.
E2E_CASE(command_line_restore_after_a_kill) {
    ControlBar p({std::nullopt, "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n"});
    p.Start();
    TargetWindow target(L"Left hidden");
    target.Activate();
    p.PostHotkey();
    if (!Check(WaitFor([&] { return !IsWindowVisible(target.Handle()); }, 8000), "hidden")) return;
    TerminateProcess(p.Process(), 1);
    p.WaitExit(5000);
    p.Launch(L"/restore");
    Check(p.WaitExit(8000) && p.ExitCode() == 0, "/restore ends with 0");
    Check(IsWindowVisible(target.Handle()) && Bars() == 0, "with the window back and no bar shown");
}

// A request that comes while the final message shows waits for the
// detonation to end, as the hotkey does: it is carried out once the message
// is answered. With one of VEXAL's dialogs open, it is refused with 3.
E2E_CASE(command_line_during_a_detonation) {
    BombSettings s = DefaultSettings();
    SetPreset(s, 0, Preset::FinalAction, 5);
    s.Records[0].FinalMessage = "bye";
    ControlBar p(s);
    if (!Check(p.Start(), "VEXAL runs, with a final message")) return;
    TargetWindow target(L"Before the message");
    target.Activate();
    HWND box = nullptr;
    if (!Check(RunWith(L"/detonate") == 0 && (box = p.WaitMessage(8000)) != nullptr, "/detonate shows the message"))
        return;
    Check(RunWith(L"/arm 2") == 0 && !p.Armed(), "/arm 2 meanwhile is taken, and waits");
    Check(ControlBar::Dismiss(box) && WaitFor([&] { return p.Armed() && p.Checked(IDC_RADIO2); }),
          "once the message is answered, setting 2 is armed");

    p.Press(IDC_SETTINGS);
    HWND dialog = p.WaitWindow(L"VEXAL：爆炸后的处理和各种设置");
    if (!Check(dialog != nullptr, "the settings dialog opens")) return;
    Check(RunWith(L"/disarm") == 3 && p.Armed(), "/disarm with the dialog open ends with 3 and changes nothing");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    Check(WaitFor([&] { return !IsWindow(dialog); }), "the dialog is cancelled");
}
