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

// What the program holds, by its own count window and by the kernel.
struct Holdings {
    LRESULT handles = -1, user = -1, gdi = -1, windows = -1;
    uint64_t residentKiB = 0;
};

Holdings Measure(const ControlBar& p, int unixPid) {
    Holdings h;
    HWND hook = FindTestHook(p.ProcessId());
    if (hook) {
        DWORD_PTR r;
        if (SendMessageTimeoutW(hook, kTestHookCount, kCountHandles, 0, SMTO_ABORTIFHUNG, 5000, &r)) h.handles = r;
        if (SendMessageTimeoutW(hook, kTestHookCount, kCountUserObjects, 0, SMTO_ABORTIFHUNG, 5000, &r)) h.user = r;
        if (SendMessageTimeoutW(hook, kTestHookCount, kCountGdiObjects, 0, SMTO_ABORTIFHUNG, 5000, &r)) h.gdi = r;
        if (SendMessageTimeoutW(hook, kTestHookCount, kCountWindows, 0, SMTO_ABORTIFHUNG, 5000, &r)) h.windows = r;
    }
    h.residentKiB = unixPid ? CurrentResidentKiB(unixPid) : 0;
    if (!h.residentKiB) std::printf("     no resident size for unix pid %d\n", unixPid);
    return h;
}

std::string Describe(const Holdings& h) {
    char text[160];
    std::snprintf(text, sizeof text, "handles %ld, USER %ld, GDI %ld, windows %ld, resident %lu KiB",
                  static_cast<long>(h.handles), static_cast<long>(h.user), static_cast<long>(h.gdi),
                  static_cast<long>(h.windows), static_cast<unsigned long>(h.residentKiB));
    return text;
}

// Counts may move by a few while Wine settles; a leak grows with the cycles.
void CheckHeld(const Holdings& before, const Holdings& after, const char* after_what) {
    std::string detail = "before: " + Describe(before) + "; after: " + Describe(after);
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
struct TestBuild : ControlBar {
    explicit TestBuild(const BarFiles& files) : ControlBar(files, L"vexal.exe", L"vexal_test.exe") {}
    // What it holds once the counts have stopped moving (3 s at most): Wine
    // lets some things go a moment after the work that used them.
    Holdings Steady() const {
        const int unixPid = UnixPidOf(ExePath());
        Holdings last = Measure(*this, unixPid), now;
        WaitFor(
            [&] {
                now = Measure(*this, unixPid);
                bool same = now.handles == last.handles && now.user == last.user && now.gdi == last.gdi &&
                            now.windows == last.windows;
                last = now;
                return same;
            },
            3000);
        return last;
    }
};

}  // namespace

E2E_CASE(reliability_arm_disarm_cycles) {
    const int cycles = Soak() ? 10000 : 2000;
    TestBuild t(DefaultSettings());
    if (!Check(t.Start() && FindTestHook(t.ProcessId()), "the test build starts with its count window")) return;
    // A warm-up cycle, so first-use allocations do not count.
    t.Command(IDC_ARM);
    t.Command(IDC_DISARM);
    Holdings before = t.Steady();
    int armed = 0;
    for (int i = 0; i < cycles; ++i) {
        t.Command(IDC_ARM);
        armed += t.Armed();
        t.Command(IDC_DISARM);
    }
    std::string what = std::to_string(cycles) + " arm and disarm cycles all armed and disarmed";
    Check(armed == cycles && t.Disarmed(), what.c_str());
    CheckHeld(before, t.Steady(), (std::to_string(cycles) + " cycles").c_str());
}

E2E_CASE(reliability_detonations) {
    const int firings = Soak() ? 1000 : 100;
    TestBuild t(WithSensitivity(20));
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
    Holdings before = t.Steady();
    int fired = 0;
    for (int i = 0; i < firings; ++i) fired += fire();
    std::string what = std::to_string(firings) + " detonations with final action 0 all fired and disarmed";
    Check(fired == firings, what.c_str(), std::to_string(fired));
    CheckHeld(before, t.Steady(), (std::to_string(firings) + " detonations").c_str());
}

E2E_CASE(reliability_long_armed_watch) {
    const DWORD seconds = Soak() ? 1800 : 60;
    TestBuild t(WithSensitivity(20));
    if (!Check(t.Start(), "the test build starts")) return;
    TargetWindow target(L"Watched target");
    if (!Check(t.Arm(target), "armed with the target in front")) return;
    Holdings before = t.Steady();
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
    CheckHeld(before, t.Steady(), (std::to_string(seconds) + " s armed").c_str());
}

// The hotkey as Windows delivers it, posted to the bar: hide, then bring back.
E2E_CASE(reliability_hide_and_restore_cycles) {
    const int cycles = Soak() ? 1000 : 100;
    TestBuild t({DefaultSettings(), "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n"});
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
    Holdings before = t.Steady();
    int whole = 0;
    for (int i = 0; i < cycles; ++i) whole += cycle();
    std::string what = std::to_string(cycles) + " hide and restore cycles of two windows: all back every time";
    Check(whole == cycles, what.c_str(), std::to_string(whole));
    CheckHeld(before, t.Steady(), (std::to_string(cycles) + " hide and restore cycles").c_str());
}
