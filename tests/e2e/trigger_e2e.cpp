// The armed bomb from the outside: the driver owns the target windows,
// moves the real cursor and records what the targets receive.
#include <windows.h>

#include "base/TimeConversion.h"
#include "tests/e2e/ControlBarDriver.h"

namespace {

const POINT kHome = ControlBar::kRest;

void Jump(int dx, int dy) { SetCursorPos(kHome.x + dx, kHome.y + dy); }

bool Fired(const TargetWindow& t, DWORD ms = 1500) {
    return WaitFor([&] { return t.CloseRequests() > 0; }, ms);
}

}  // namespace

E2E_CASE(trigger_mouse_tolerance) {
    ControlBar bomb(WithSensitivity(50));
    TargetWindow target(L"Target window");
    if (!Check(bomb.Start() && bomb.Arm(target), "armed with the target in front")) return;
    Check(bomb.RangeMax() == 50, "arming sets the range to Sensitivity");
    Jump(50, -50);
    int shown = bomb.MaxRangePosWithin(600);
    Check(target.CloseRequests() == 0, "exactly Sensitivity on both axes does not fire");
    Check(bomb.Armed(), "and the bomb stays armed");
    Check(shown == 50, "the range bar shows the travel", std::to_string(shown));
    Check(bomb.RangePos() == 0, "and drops back when the cursor rests");
    Jump(50 - 51, -50);  // 51 px left of the last resting point
    Check(Fired(target), "Sensitivity + 1 on one axis closes the target");
    Check(WaitFor([&] { return bomb.Disarmed(); }), "after the detonation the bar is disarmed");
    Check(target.CloseRequests() == 1, "exactly one close request");
    Check(!IsIconic(target.Handle()), "closed, not minimised");
}

E2E_CASE(trigger_minimize_and_no_detonation) {
    BombSettings s = WithSensitivity(20);
    SetPreset(s, 0, Preset::MinimizeTarget, 1);
    SetPreset(s, 1, Preset::NoDetonation, 2);
    s.Records[1].Sensitivity = "20";
    ControlBar bomb(s);
    {
        TargetWindow target(L"Minimised target");
        if (!Check(bomb.Start() && bomb.Arm(target), "armed")) return;
        Jump(200, 0);
        Check(WaitFor([&] { return IsIconic(target.Handle()); }), "MinimizeTarget 1 minimises the target");
        Check(target.CloseRequests() == 0, "instead of closing it");
        Check(WaitFor([&] { return bomb.Disarmed(); }), "and disarms");
    }
    bomb.Press(IDC_RADIO2);
    {
        TargetWindow target(L"Untouched target");
        if (!Check(bomb.Arm(target), "armed with NoDetonation 2")) return;
        Jump(-200, 0);
        Check(WaitFor([&] { return bomb.Disarmed(); }), "the bomb goes off and disarms");
        Check(target.CloseRequests() == 0 && !IsIconic(target.Handle()), "NoDetonation 2 leaves the target alone");
    }
}

E2E_CASE(trigger_own_window_titles) {
    ControlBar bomb(WithSensitivity(20));
    {
        TargetWindow own(L"VEXAL lookalike");
        if (!Check(bomb.Start() && bomb.Arm(own), "armed")) return;
        Jump(300, 0);
        Check(!Fired(own, 800), "a title beginning with VEXAL never fires");
        Check(bomb.RangePos() == 0, "and keeps the range bar at 0");
        Jump(0, 0);
        Check(!Fired(own, 600) && bomb.Armed(), "still armed and quiet");
    }
    TargetWindow foreign(L"vexal lookalike");
    foreign.Activate();
    Check(bomb.WaitTick(), "a tick with it in front takes the resting cursor as the reference");
    Jump(300, 0);
    Check(Fired(foreign), "the same letters in lower case fire");
}

E2E_CASE(trigger_shift_and_edges) {
    BombSettings s = WithSensitivity(20);
    s.Records[0].EdgeFlags = "0010";  // left edge only
    ControlBar bomb(s);
    TargetWindow target(L"Shift target");
    if (!Check(bomb.Start() && bomb.Arm(target), "armed")) return;
    if (!XKey("keydown shift")) {
        Skip("Shift held", "no X key bridge here");
        return;
    }
    if (!Check(WaitFor([] { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }, 2000), "Shift is down")) return;
    Jump(300, 0);
    bool quiet = !Fired(target, 800);
    Jump(-100, 0);
    bool quietBack = !Fired(target, 600);
    Check(quiet && quietBack, "Shift held stops the mouse trigger");
    SetCursorPos(0, kHome.y);
    Check(Fired(target), "but not an enabled edge");
    XKey("keyup shift");
}

E2E_CASE(trigger_mouse_off_at_999) {
    ControlBar bomb(WithSensitivity(999));
    TargetWindow target(L"999 target");
    if (!Check(bomb.Start() && bomb.Arm(target), "armed")) return;
    Jump(450, 0);
    int shown = bomb.MaxRangePosWithin(600);
    Check(target.CloseRequests() == 0, "Sensitivity 999 never fires by mouse");
    Check(shown == 450, "the range bar still shows the travel", std::to_string(shown));
    Jump(-450, -350);
    Check(!Fired(target, 600), "not even the longest jump");
}

E2E_CASE(trigger_scheduled_time) {
    auto nowMs = [] {
        FILETIME ft;
        GetSystemTimeAsFileTime(&ft);
        return ((static_cast<int64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) - kEpochAsFileTime) / 10000;
    };
    BombSettings s = WithSensitivity(999);
    SetPreset(s, 0, Preset::TimerEnabled, 1);
    // Six seconds from now, time enough to start and arm on a busy machine;
    // only the local time of day counts.
    const int64_t setAt = nowMs() / 1000 + 6;
    s.Records[0].DetonationTime = static_cast<int32_t>(setAt) - 86400 * 400;  // another day, same time
    ControlBar bomb(s);
    TargetWindow target(L"Timed target");
    if (!Check(bomb.Start() && bomb.Arm(target), "armed")) return;
    const int64_t quiet = setAt * 1000 - 300 - nowMs();
    Check(quiet >= 1500 && !Fired(target, static_cast<DWORD>(quiet)), "nothing before the set time",
          "watched " + std::to_string(quiet) + " ms");
    WaitFor([&] { return target.CloseRequests() > 0; }, 6000);
    int64_t late = nowMs() - setAt * 1000;
    Check(target.CloseRequests() == 1 && late >= 0 && late < 1000, "fires within one second of the set time",
          std::to_string(late) + " ms after");
}

E2E_CASE(trigger_final_message) {
    BombSettings s = WithSensitivity(20);
    SetPreset(s, 0, Preset::FinalAction, 5);
    SetPreset(s, 0, Preset::HideSelf, 1);
    s.Records[0].FinalMessage = "\xc4\xe3\xba\xc3 VEXAL";  // "你好 VEXAL"
    ControlBar bomb(s, L"Quiet.exe");
    TargetWindow target(L"Message target");
    if (!Check(bomb.Start() && bomb.Arm(target), "armed")) return;
    Jump(100, 0);
    HWND box = bomb.WaitMessage(3000);
    if (!Check(box != nullptr, "a message box captioned with the executable's name")) return;
    Check(ControlBar::Says(box, L"你好 VEXAL"), "shows FinalMessage");
    Check(IsIconic(bomb.Handle()), "HideSelf minimised the control bar before the message");
    Check(bomb.RangePos() == 20 && bomb.Armed(),
          "the range bar stays full and the arm button disabled while it is shown");
    Check(target.CloseRequests() == 1, "the target was closed first");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Check(WaitFor([&] { return bomb.Disarmed(); }), "dismissing it leaves the bar disarmed");
}

E2E_CASE(trigger_final_program) {
    BombSettings s = WithSensitivity(20);
    SetPreset(s, 0, Preset::FinalAction, 4);
    ControlBar bomb;
    CopyFileW(L"marker.exe", bomb.PathOf(L"final.exe").c_str(), FALSE);
    s.Records[0].FinalProgram = WideToUtf8(bomb.PathOf(L"final.exe"));
    bomb.Write(s);
    TargetWindow target(L"Program target");
    if (!Check(bomb.Start() && bomb.Arm(target), "armed")) return;
    Jump(100, 0);
    Check(WaitFor([&] { return bomb.Has(L"final.exe.ran"); }), "final action 4 starts the program");
    Check(WaitFor([&] { return bomb.Disarmed(); }), "and disarms");
}

E2E_CASE(trigger_radio_while_armed) {
    BombSettings s = WithSensitivity(300);
    s.Records[1].Sensitivity = "20";
    ControlBar bomb(s);
    TargetWindow target(L"Radio target");
    if (!Check(bomb.Start() && bomb.Arm(target), "armed")) return;
    Jump(100, 0);
    Check(!Fired(target, 700), "100 px is within 300");
    bomb.Press(IDC_RADIO2);
    Check(WaitFor([&] { return bomb.RangeMax() == 20; }), "another radio sets its range at once");
    Check(bomb.Armed(), "and keeps the bomb armed");
    target.Activate();
    Check(bomb.WaitTick(), "a tick with the target in front takes the resting cursor as the reference");
    Jump(0, 0);
    Check(Fired(target), "the next movement is measured against the new Sensitivity");
}

E2E_CASE(trigger_disarm) {
    ControlBar bomb(WithSensitivity(20));
    TargetWindow target(L"Disarm target");
    if (!Check(bomb.Start(), "starts")) return;
    Check(bomb.Disarm(), "disarming before arming is harmless");
    if (!Check(bomb.Arm(target), "armed")) return;
    Check(bomb.Disarm(), "disarm enables the arm button and hides the picture");
    target.Activate();
    Jump(300, 0);
    Check(!Fired(target, 800), "a disarmed bomb never fires");
}
