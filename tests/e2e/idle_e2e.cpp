// The idle trigger from the outside, with small values: untouched, the
// warning counts down and the bomb goes off at the window in front; a key,
// or the pointer moved, through the X server cancels it. Until then the
// pointer rests still: Wine counts a cursor set by a program, and a window
// appearing under a resting pointer, as input too (Windows counts neither).
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/ControlBarDriver.h"

namespace {

// VEXAL.ini with the hotkey F12 and the idle trigger at its shortest, the
// warning counting `warningSeconds` down.
std::string IdleIni(int warningSeconds) {
    return "[Extra]\r\nHotkey=F12\r\nIdleSeconds=10\r\nIdleWarningSeconds=" + std::to_string(warningSeconds) + "\r\n";
}
const std::string kIdleIni = IdleIni(3);

// The warning: a window of the run whose text counts the seconds down.
HWND Warning(const ControlBar& bar) {
    for (HWND w : bar.Windows())
        if (WindowText(w).rfind(L"VEXAL将在", 0) == 0) return w;
    return nullptr;
}

// Armed with `target` in front and the pointer resting where the warning
// would appear: it must keep out of the pointer's way.
bool ArmAndRest(ControlBar& bar, TargetWindow& target) { return bar.Start() && bar.Arm(target, {512, 384}); }

// A hand moving the mouse: from where the pointer rests, to and fro across
// `window` at `speed` px/s for `ms`, a point every kStrokeStepMs. It stays
// over the window, where Wine counts its motion as input.
constexpr DWORD kStrokeStepMs = 10;
std::vector<POINT> Stroke(HWND window, int speed, DWORD ms) {
    RECT r;
    GetWindowRect(window, &r);
    const int left = r.left + 20, right = r.right - 20, step = speed * static_cast<int>(kStrokeStepMs) / 1000;
    POINT at;
    GetCursorPos(&at);
    std::vector<POINT> path;
    int dir = 1;
    while (path.size() < ms / kStrokeStepMs) {
        if (at.x + dir * step > right || at.x + dir * step < left) dir = -dir;
        at.x += dir * step;
        path.push_back(at);
    }
    return path;
}

}  // namespace

E2E_CASE(idle_warning_then_detonation) {
    LASTINPUTINFO before = {}, after = {};
    before.cbSize = after.cbSize = sizeof before;
    GetLastInputInfo(&before);
    WaitFor([&] { return GetTickCount() != before.dwTime; });
    POINT at;
    GetCursorPos(&at);
    SetCursorPos(at.x + 1, at.y);
    GetLastInputInfo(&after);
    CheckTodoWine(after.dwTime == before.dwTime, "a cursor set by a program is no input", "Wine counts it as input");
    ControlBar bar({WithSensitivity(20), kIdleIni});
    TargetWindow target(L"Left alone");
    if (!Check(ArmAndRest(bar, target), "armed with the idle trigger on")) return;
    HWND warning = nullptr;
    Check(WaitFor([&] { return (warning = Warning(bar)) != nullptr; }, 15000),
          "after 10 s untouched, the warning shows");
    if (warning) {
        RECT r;
        GetWindowRect(warning, &r);
        POINT cursor;
        GetCursorPos(&cursor);
        Check(!PtInRect(&r, cursor), "away from the resting pointer");
        Check(GetForegroundWindow() == target.Handle(), "taking no focus from the window in front");
        SaveScreenshot("idle-warning", warning);
    }
    Check(WaitFor([&] { return target.CloseRequests() == 1; }, 6000), "at 0 the window in front is closed");
    Check(WaitFor([&] { return !Warning(bar) && !bar.Armed(); }), "the warning is gone and the bomb disarmed");
}

E2E_CASE(idle_warning_cancelled_by_a_key) {
    ControlBar bar({WithSensitivity(20), kIdleIni});
    TargetWindow target(L"Only reading");
    if (!Check(ArmAndRest(bar, target), "armed with the idle trigger on")) return;
    FocusXKeys(target.Handle());
    if (!Check(WaitFor([&] { return Warning(bar) != nullptr; }, 15000), "the warning shows")) return;
    if (!XKey("key shift")) {
        Skip("a key through the X server", "no X key bridge here");
        return;
    }
    Check(WaitFor([&] { return !Warning(bar); }, 3000), "a key cancels the warning");
    // Watched past the 3 s the warning had to count down.
    Check(!WaitFor([&] { return target.CloseRequests() != 0 || !bar.Armed(); }, 4000),
          "nothing happened and the bomb is still armed");
}

E2E_CASE(idle_detonation_in_hide_mode_comes_back) {
    ControlBar bar({WithSensitivity(20), kIdleIni + "HideInsteadOfClose=1\r\n"});
    TargetWindow target(L"Hidden when idle");
    if (!Check(ArmAndRest(bar, target), "armed with the idle trigger and hiding on")) return;
    Check(WaitFor([&] { return !IsWindowVisible(target.Handle()); }, 25000),
          "untouched, the window in front is hidden");
    bar.PostHotkey();
    Check(WaitFor([&] { return IsWindowVisible(target.Handle()) != FALSE; }, 8000), "the hotkey brings it back");
}

// Moving the mouse is how the user cancels the warning: however long the
// hand keeps moving, that movement sets nothing off, and the armed bomb
// watches on as before once the mouse rests.
E2E_CASE(idle_warning_cancelled_by_moving_the_mouse) {
    ControlBar bar({WithSensitivity(20), IdleIni(10)});
    TargetWindow target(L"Still here");
    if (!Check(ArmAndRest(bar, target), "armed with the idle trigger on")) return;
    if (!Check(WaitFor([&] { return Warning(bar) != nullptr; }, 15000), "the warning shows")) return;
    if (!XPointerPath(Stroke(target.Handle(), 1500, 1000), kStrokeStepMs)) {
        Skip("the pointer moved through the X server", "no X bridge here");
        return;
    }
    Check(WaitFor([&] { return !Warning(bar); }, 1000), "a second's movement at 1500 px/s cancels the warning");
    // Two ticks of the pointer at rest, of a bar still armed.
    const bool rested = bar.Armed() && bar.WaitTick() && bar.WaitTick();
    if (!Check(rested && target.CloseRequests() == 0 && bar.Armed(), "nothing went off and the bomb is still armed",
               std::to_string(target.CloseRequests()) + " close requests"))
        return;
    POINT at;
    GetCursorPos(&at);
    SetCursorPos(at.x - 200, at.y);
    Check(WaitFor([&] { return target.CloseRequests() == 1; }), "then a jump closes the window in front");
}

// The hotkey while the warning counts down sets the bomb off at once: the
// warning goes with it, and does not come back.
E2E_CASE(idle_warning_gone_after_the_hotkey) {
    ControlBar bar({WithSensitivity(20), IdleIni(10)});
    TargetWindow target(L"Hotkey pressed");
    if (!Check(ArmAndRest(bar, target), "armed with the idle trigger and the hotkey F12")) return;
    FocusXKeys(target.Handle());
    if (!Check(WaitFor([&] { return Warning(bar) != nullptr; }, 15000), "the warning shows")) return;
    if (!XKey("key F12")) {
        Skip("a key through the X server", "no X key bridge here");
        return;
    }
    Check(WaitFor([&] { return target.CloseRequests() == 1; }), "F12 sets the bomb off at the window in front");
    Check(WaitFor([&] { return !Warning(bar); }, 1000), "the warning is gone right after");
    // A dozen ticks' time in which it must not show again.
    Check(!WaitFor([&] { return Warning(bar) != nullptr; }, 2500), "and stays gone");
}

// The hotkey during the countdown sets the bomb off at once, and the
// warning goes with it.
E2E_CASE(idle_warning_ended_by_the_hotkey) {
    ControlBar bar({WithSensitivity(20), kIdleIni});
    TargetWindow target(L"Hotkey during the warning");
    if (!Check(ArmAndRest(bar, target), "armed with the idle trigger on")) return;
    if (!Check(WaitFor([&] { return Warning(bar) != nullptr; }, 15000), "the warning shows")) return;
    bar.PostHotkey();
    Check(WaitFor([&] { return target.CloseRequests() == 1; }, 3000), "the hotkey closes the window in front");
    Check(WaitFor([&] { return !Warning(bar); }, 1000) && !bar.Armed(), "and the warning is gone");
}

// A hand's movement through the X server cancels the warning: it starts
// slowly (less than the range in a tick, for more than two ticks) and then
// goes fast for half a second. None of it sets the bomb off.
E2E_CASE(idle_warning_cancelled_by_a_movement_that_speeds_up) {
    ControlBar bar({WithSensitivity(20), kIdleIni});
    TargetWindow target(L"Reached for the mouse");
    if (!Check(ArmAndRest(bar, target), "armed with the idle trigger on")) return;
    // The pointer stays over a window of Wine's all the way, where Wine sees it move.
    MoveWindow(target.Handle(), 0, 0, 1024, 700, TRUE);
    if (!Check(WaitFor([&] { return Warning(bar) != nullptr; }, 15000), "the warning shows")) return;
    if (!XKey("mousemove_relative 2")) {
        Skip("a movement through the X server", "no X bridge here");
        return;
    }
    // About 60 ms a step: 2 px a step for more than two ticks, then 40.
    for (int step = 0; step < 9; ++step) XKey("mousemove_relative 2");
    for (int step = 0; step < 8; ++step) XKey("mousemove_relative 40");
    Check(WaitFor([&] { return !Warning(bar); }, 1000), "the movement cancels the warning");
    // Five ticks' watch, ended at once by a detonation.
    Check(!WaitFor([&] { return target.CloseRequests() > 0 || !bar.Armed(); }, 1000),
          "nothing happened and the bomb is still armed", std::to_string(target.CloseRequests()) + " close request(s)");
}
