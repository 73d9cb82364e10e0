// Long use without leaks: many arm and disarm cycles, many detonations and
// a long armed watch leave the program's handles, objects and memory where
// they were. Short forms run with every test run; VEXAL_SOAK=1 (make soak)
// runs the long ones.
#include <windows.h>

#include <cstdio>

#include "tests/e2e/ControlBarDriver.h"
#include "tests/e2e/ProcStats.h"
#include "tests/e2e/hook/TestHook.h"

namespace {

bool Soak() {
    wchar_t value[8];
    return GetEnvironmentVariableW(L"VEXAL_SOAK", value, 8) > 0 && value[0] == L'1';
}

// Counts may move by a few while Wine settles; a leak grows with the cycles.
void CheckHeld(const Holdings& before, const Holdings& after, const char* after_what) {
    std::string detail = "before: " + before.Describe() + "; after: " + after.Describe();
    std::printf("     %s\n", detail.c_str());
    std::string what = std::string("handles unchanged after ") + after_what;
    Check(before.handles > 0 && after.handles <= before.handles + 4, what.c_str(), detail);
    if (CheckTodoWine(before.user != 0 || before.gdi != 0, "USER and GDI objects are counted",
                      "Wine counts none; memory stands in for them")) {
        what = std::string("USER objects unchanged after ") + after_what;
        Check(after.user <= before.user + 4, what.c_str(), detail);
        what = std::string("GDI objects unchanged after ") + after_what;
        Check(after.gdi <= before.gdi + 4, what.c_str(), detail);
    }
    what = std::string("windows unchanged after ") + after_what;
    Check(after.windows == before.windows, what.c_str(), detail);
    what = std::string("memory did not grow after ") + after_what;
    Check(before.residentKiB > 0 && after.residentKiB > 0 && after.residentKiB <= before.residentKiB + 1024,
          what.c_str(), detail);
}

// The test build, whose count window answers for what it holds.
const wchar_t kTestBuild[] = L"vexal_test.exe";

}  // namespace

E2E_CASE(reliability_arm_disarm_cycles) {
    const int cycles = Soak() ? 10000 : 2000;
    ControlBar t(DefaultSettings(), L"vexal.exe", kTestBuild);
    if (!Check(t.Start() && FindTestHook(t.ProcessId()), "the test build starts with its count window")) return;
    // A warm-up cycle, so first-use allocations do not count.
    t.Command(IDC_ARM);
    t.Command(IDC_DISARM);
    Holdings before = SteadyHoldings(t);
    int armed = 0;
    for (int i = 0; i < cycles; ++i) {
        t.Command(IDC_ARM);
        armed += t.Armed();
        t.Command(IDC_DISARM);
    }
    std::string what = std::to_string(cycles) + " arm and disarm cycles all armed and disarmed";
    Check(armed == cycles && t.Disarmed(), what.c_str());
    CheckHeld(before, SteadyHoldings(t), (std::to_string(cycles) + " cycles").c_str());
}

E2E_CASE(reliability_detonations) {
    const int firings = Soak() ? 1000 : 100;
    ControlBar t(WithSensitivity(20), L"vexal.exe", kTestBuild);
    if (!Check(t.Start(), "the test build starts")) return;
    TargetWindow target(L"Reliability target");
    // Rest at A as the reference, then stay at B: the reference is left at A
    // by every detonation, so each new arming fires on its first tick.
    SetCursorPos(400, 400);
    t.Activate();
    t.Command(IDC_ARM);
    t.WaitTick();
    t.Command(IDC_DISARM);
    target.Activate();
    SetCursorPos(600, 400);
    auto fire = [&] {
        int before = target.CloseRequests();
        t.Command(IDC_ARM);
        return WaitFor([&] { return target.CloseRequests() > before && t.Disarmed(); }, 3000);
    };
    fire();
    Holdings before = SteadyHoldings(t);
    int fired = 0;
    for (int i = 0; i < firings; ++i) fired += fire();
    std::string what = std::to_string(firings) + " detonations with final action 0 all fired and disarmed";
    Check(fired == firings, what.c_str(), std::to_string(fired));
    CheckHeld(before, SteadyHoldings(t), (std::to_string(firings) + " detonations").c_str());
}

E2E_CASE(reliability_long_armed_watch) {
    const DWORD seconds = Soak() ? 1800 : 60;
    ControlBar t(WithSensitivity(20), L"vexal.exe", kTestBuild);
    if (!Check(t.Start(), "the test build starts")) return;
    TargetWindow target(L"Watched target");
    if (!Check(t.Arm(target), "armed with the target in front")) return;
    Holdings before = SteadyHoldings(t);
    // The cursor wanders, never more than 15 px within one tick.
    DWORD start = GetTickCount();
    int x = 500, step = 0;
    while (GetTickCount() - start < seconds * 1000 && target.CloseRequests() == 0) {
        x += (step++ / 40) % 2 ? -6 : 6;
        SetCursorPos(x, 400 + (step % 3));
        Rest(100);  // the pace of the wander, half a tick
    }
    std::string what = "armed " + std::to_string(seconds) + " s with small movements: no detonation";
    Check(target.CloseRequests() == 0 && t.Armed(), what.c_str());
    CheckHeld(before, SteadyHoldings(t), (std::to_string(seconds) + " s armed").c_str());
}

// The hotkey as Windows delivers it, posted to the bar: hide, then bring back.
E2E_CASE(reliability_hide_and_restore_cycles) {
    const int cycles = Soak() ? 1000 : 100;
    ControlBar t({DefaultSettings(), "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n"}, L"vexal.exe", kTestBuild);
    if (!Check(t.Start(), "the test build starts")) return;
    WindowProgram w;
    if (!Check(w.Started(), "the window program starts")) return;
    // Back in full once the record of what was hidden is gone too.
    auto cycle = [&] {
        w.ActivateFront();
        t.PostHotkey();
        bool gone = WaitFor([&] { return w.BothHidden(); }, 3000);
        t.PostHotkey();
        return gone && WaitFor([&] { return w.BothShown() && !t.Has(L"VEXAL.hidden"); }, 3000);
    };
    cycle();  // first use: the state file's first write, COM and the like
    Holdings before = SteadyHoldings(t);
    int whole = 0;
    for (int i = 0; i < cycles; ++i) whole += cycle();
    std::string what = std::to_string(cycles) + " hide and restore cycles of two windows: all back every time";
    Check(whole == cycles, what.c_str(), std::to_string(whole));
    CheckHeld(before, SteadyHoldings(t), (std::to_string(cycles) + " hide and restore cycles").c_str());
}
