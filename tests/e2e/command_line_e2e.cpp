// The command line from the outside: each argument with VEXAL running and
// with none running, the exit codes, and never a second control bar.
#include <windows.h>

#include "res/resource.h"
#include "tests/e2e/Rig.h"
#include "tests/e2e/Settings.h"

namespace {

const wchar_t kBar[] = L"VEXAL汉化版";

// vexal.exe started with `arguments` in a folder of its own; its exit code
// once it has ended, or STILL_ACTIVE.
DWORD RunWith(const std::wstring& arguments, DWORD timeoutMs = 8000) {
    Program p;
    p.WriteFile(L"VEXAL.vxl", SettingsBytes(DefaultSettings()));
    if (!p.Start(arguments)) return STILL_ACTIVE;
    p.WaitExit(timeoutMs);
    return p.ExitCode();
}

int Bars() {
    int n = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", kBar); w; w = FindWindowExW(nullptr, w, L"#32770", kBar))
        ++n;
    return n;
}

bool Armed(HWND bar) { return !IsWindowEnabled(GetDlgItem(bar, IDC_ARM)); }

// The message an unknown argument brings names it; answered with OK.
bool RefusedNaming(Program& p, const std::wstring& name) {
    HWND box = WaitTopWindow(p.ProcessId(), L"vexal", 8000);
    bool named = false;
    for (HWND c = box ? GetWindow(box, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
        named = named || WindowText(c).find(L"“" + name + L"”") != std::wstring::npos;
    if (box) SaveScreenshot("unknown-argument", box);
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
    return named && p.WaitExit(5000) && p.ExitCode() == 2 && Bars() == 0;
}

}  // namespace

E2E_CASE(command_line_with_none_running) {
    for (const wchar_t* argument : {L"/detonate", L"/disarm", L"-SHOW", L"/exit"})
        Check(RunWith(argument) == 1 && Bars() == 0, "with none running it ends with 1 and shows nothing",
              WideToUtf8(argument));
    Check(RunWith(L"/restore") == 0 && Bars() == 0, "/restore with nothing recorded ends with 0");
    for (const wchar_t* argument : {L"/bogus", L"/arm 7"}) {
        Program p;
        p.Start(argument);
        Check(RefusedNaming(p, argument[1] == L'a' ? L"/arm" : L"/bogus"),
              "an argument it does not know is named in one message, and it ends with 2", WideToUtf8(argument));
    }

    // Armed at start with the number asked for, and VEXAL.vxl left alone.
    Program p;
    const std::string vxl = SettingsBytes(DefaultSettings());
    p.WriteFile(L"VEXAL.vxl", vxl);
    p.Start(L"/ARM 3");
    HWND bar = p.WaitControlBar();
    if (!Check(bar != nullptr, "/arm 3 starts VEXAL")) return;
    Check(WaitFor([&] { return Armed(bar) && IsChecked(bar, IDC_RADIO3); }), "armed with setting 3 in force");
    std::string now;
    Check(p.ReadFile(L"VEXAL.vxl", now) && now == vxl, "VEXAL.vxl is not written");
}

E2E_CASE(command_line_with_vexal_running) {
    BombSettings s = DefaultSettings();
    s.Records[0].Sensitivity = "20";
    Program p;
    p.WriteFile(L"VEXAL.vxl", SettingsBytes(s));
    p.WriteFile(L"VEXAL.ini", "[Extra]\r\nHideInsteadOfClose=1\r\nTrayWhileArmed=1\r\n");
    p.Start();
    HWND bar = p.WaitControlBar();
    if (!Check(bar != nullptr, "VEXAL runs")) return;

    Check(RunWith(L"/arm 2") == 0 && WaitFor([&] { return Armed(bar) && IsChecked(bar, IDC_RADIO2); }),
          "/arm 2 ends with 0 once the running bar is armed with setting 2");
    Check(RunWith(L"/show") == 0 && WaitFor([&] { return IsWindowVisible(bar) != FALSE; }) && Armed(bar),
          "/show brings the bar out of the notification area, still armed");
    Check(RunWith(L"/disarm") == 0 && WaitFor([&] { return !Armed(bar); }), "/disarm disarms it");

    TargetWindow target(L"Command line target");
    target.Activate();
    Check(RunWith(L"/detonate") == 0 && WaitFor([&] { return !IsWindowVisible(target.Handle()); }, 8000),
          "/detonate sets it off against the window in front, which is hidden");
    Check(RunWith(L"/restore") == 0 && WaitFor([&] { return IsWindowVisible(target.Handle()) != FALSE; }, 8000),
          "/restore brings it back");
    Check(Bars() == 1, "no second bar ever appeared");
    Check(RunWith(L"/exit") == 0 && p.WaitExit(5000), "/exit ends VEXAL");
}

// A killed run left a window hidden: /restore alone brings it back and ends.
E2E_CASE(command_line_restore_after_a_kill) {
    Program p;
    p.WriteFile(L"VEXAL.ini", "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n");
    p.Start();
    HWND bar = p.WaitControlBar();
    TargetWindow target(L"Left hidden");
    target.Activate();
    PostMessageW(bar, WM_HOTKEY, 1, MAKELPARAM(0, VK_F12));
    if (!Check(WaitFor([&] { return !IsWindowVisible(target.Handle()); }, 8000), "hidden")) return;
    TerminateProcess(p.Process(), 1);
    p.WaitExit(5000);
    p.Start(L"/restore");
    Check(p.WaitExit(8000) && p.ExitCode() == 0, "/restore ends with 0");
    Check(IsWindowVisible(target.Handle()) && Bars() == 0, "with the window back and no bar shown");
}
