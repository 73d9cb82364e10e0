#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/unit/FakeDesktop.h"
#include "trigger/Targets.h"
#include "trigger/TriggerMonitor.h"

namespace {

using Calls = std::vector<std::string>;

constexpr WindowId kBar = 1;
constexpr WindowId kTarget = 77;

// Moves the cursor and runs one tick; returns what the tick changed.
Calls TickTo(TriggerMonitor& monitor, FakeDesktop& desktop, BombSettings& settings, ScreenPoint cursor) {
    desktop.calls.clear();
    desktop.cursor = cursor;
    monitor.Tick(desktop, settings);
    return desktop.Effects();
}

const Calls kFired = {"SetRangePos(200)", "StopTimer()",           "ShowArmedPicture(false)",
                      "PostClose(77)",    "EnableArmButton(true)", "SetRangePos(0)"};

TEST(TriggerMonitor, ArmDisarmAndDestroyOrder) {
    FakeDesktop desktop;
    BombSettings settings;
    settings.Records[2].Sensitivity = "300";
    settings.CurrentSetting = 2;
    TriggerMonitor monitor;

    monitor.Arm(desktop, settings);
    // The range takes the reapplied Sensitivity, so ApplySetting came first.
    EXPECT_EQ(desktop.calls, (Calls{"RefreshAfterApply()", "SetRangeMax(300)", "EnableArmButton(false)", "StartTimer()",
                                    "ShowArmedPicture(true)"}));

    const Calls disarm = {"StopTimer()", "EnableArmButton(true)", "ShowArmedPicture(false)", "SetRangePos(0)"};
    for (int i = 0; i < 2; ++i) {  // the second disarm is as harmless as the first
        desktop.calls.clear();
        monitor.Disarm(desktop);
        EXPECT_EQ(desktop.calls, disarm);
    }

    desktop.calls.clear();
    monitor.OnDestroy(desktop);
    EXPECT_EQ(desktop.calls, (Calls{"StopTimer()", "ShowArmedPicture(false)"}));
}

TEST(TriggerMonitor, ArmingLeavesTheReferencePoint) {
    FakeDesktop desktop;
    BombSettings settings;
    TriggerMonitor monitor;
    desktop.foreground = kBar;
    TickTo(monitor, desktop, settings, {40, 50});
    monitor.Arm(desktop, settings);
    monitor.Disarm(desktop);
    desktop.foreground = kTarget;
    // Travel is measured from where the last tick left the cursor.
    EXPECT_EQ(TickTo(monitor, desktop, settings, {190, 60}), (Calls{"SetRangePos(150)", "RefreshControls()"}));
}

TEST(TriggerMonitor, ForegroundWindow) {
    const struct {
        const char* name;
        WindowId foreground;
        const char* title;
        Calls effects;
    } cases[] = {
        {"control bar, any title", kBar, "", {"SetRangePos(0)"}},
        {"own title", kTarget, "VEXAL settings", {"SetRangePos(0)"}},
        {"lower-case title", kTarget, "vexal settings", kFired},
        {"short title", kTarget, "VEXA", kFired},
        {"null window",
         0,
         "",
         {"SetRangePos(200)", "StopTimer()", "ShowArmedPicture(false)", "EnableArmButton(true)", "SetRangePos(0)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        desktop.foreground = c.foreground;
        desktop.titles[c.foreground] = c.title;
        BombSettings settings;
        TriggerMonitor monitor;
        EXPECT_EQ(TickTo(monitor, desktop, settings, {500, 0}), c.effects);
        // A null window is never asked about.
        if (c.foreground == 0) {
            EXPECT_FALSE(desktop.Called("IsControlBar") || desktop.Called("WindowTitle") ||
                         desktop.Called("WindowClassName"));
        }
    }
}

TEST(TriggerMonitor, QuietTickFollowsTheCursorAndReadsLittle) {
    FakeDesktop desktop;
    desktop.foreground = kTarget;
    BombSettings settings;
    TriggerMonitor monitor;

    TickTo(monitor, desktop, settings, {150, 120});
    // No Shift, screen size or clock is read when nothing depends on it; the
    // class only when another window has come to the front.
    EXPECT_EQ(desktop.calls, (Calls{"ForegroundWindow()", "IsControlBar(77)", "WindowTitle(77)", "WindowClassName(77)",
                                    "CursorPos()", "SetRangePos(150)", "RefreshControls()"}));
    // Travel is measured from the last tick, not from arming.
    EXPECT_EQ(TickTo(monitor, desktop, settings, {300, 300}), (Calls{"SetRangePos(180)", "RefreshControls()"}));
    EXPECT_FALSE(desktop.Called("WindowClassName"));
    EXPECT_EQ(TickTo(monitor, desktop, settings, {501, 300}), kFired);
    // A firing tick keeps the old point.
    EXPECT_EQ(TickTo(monitor, desktop, settings, {450, 300}), (Calls{"SetRangePos(150)", "RefreshControls()"}));

    // 999: the bar still shows the travel and clamps it itself.
    settings.Active.Sensitivity = 999;
    EXPECT_EQ(TickTo(monitor, desktop, settings, {5450, 300}), (Calls{"SetRangePos(5000)", "RefreshControls()"}));
}

TEST(TriggerMonitor, ShiftStopsOnlyTheMouse) {
    FakeDesktop desktop;
    desktop.foreground = kTarget;
    desktop.shift = true;
    BombSettings settings;
    TriggerMonitor monitor;

    EXPECT_EQ(TickTo(monitor, desktop, settings, {900, 400}), (Calls{"SetRangePos(900)", "RefreshControls()"}));
    settings.Active.EdgeFlags = "0001";
    EXPECT_EQ(TickTo(monitor, desktop, settings, {1023, 400}), kFired);
}

TEST(TriggerMonitor, ScheduledTimeFiresOncePerArming) {
    FakeDesktop desktop;
    desktop.foreground = kTarget;
    desktop.now = {12, 0, 0};
    BombSettings settings;
    settings.Records[0].PresetString = "0,0,0,0,0,0,0,0,0,0,0,0,1";
    settings.Records[0].DetonationTime = 12 * 3600;
    TriggerMonitor monitor;

    // An own window in front during the second: nothing, and no clock read.
    monitor.Arm(desktop, settings);
    desktop.foreground = kBar;
    EXPECT_EQ(TickTo(monitor, desktop, settings, {0, 0}), (Calls{"SetRangePos(0)"}));
    EXPECT_FALSE(desktop.Called("LocalNow"));

    desktop.foreground = kTarget;
    EXPECT_EQ(TickTo(monitor, desktop, settings, {0, 0}), kFired);
    EXPECT_EQ(settings.Active.TimerEnabled, 0);
    EXPECT_EQ(settings.Records[0].PresetString, "0,0,0,0,0,0,0,0,0,0,0,0,1");
    // A late tick in the same second finds the trigger off.
    EXPECT_EQ(TickTo(monitor, desktop, settings, {0, 0}), (Calls{"SetRangePos(0)", "RefreshControls()"}));

    monitor.Arm(desktop, settings);
    EXPECT_EQ(settings.Active.TimerEnabled, 1);
    EXPECT_EQ(TickTo(monitor, desktop, settings, {0, 0}), kFired);
}

TEST(TriggerMonitor, AnotherSettingWhileArmedTakesItsSensitivity) {
    FakeDesktop desktop;
    desktop.foreground = kTarget;
    BombSettings settings;
    settings.Records[1].Sensitivity = "20";
    TriggerMonitor monitor;
    monitor.Arm(desktop, settings);

    EXPECT_EQ(TickTo(monitor, desktop, settings, {50, 0}), (Calls{"SetRangePos(50)", "RefreshControls()"}));
    settings.ApplySetting(1);
    EXPECT_EQ(TickTo(monitor, desktop, settings, {100, 0}),
              (Calls{"SetRangePos(20)", "StopTimer()", "ShowArmedPicture(false)", "PostClose(77)",
                     "EnableArmButton(true)", "SetRangePos(0)"}));
}

}  // namespace

namespace {

// Armed with the idle trigger on (10 s, then a 3 s warning), the target in front.
struct IdleRig {
    FakeDesktop desktop;
    BombSettings settings;
    TriggerMonitor monitor;
    IdleRig(int warningSeconds = 3) {
        settings.Extra.IdleSeconds = 10;
        settings.Extra.IdleWarningSeconds = warningSeconds;
        monitor.Arm(desktop, settings);
        desktop.foreground = kTarget;
    }
    Calls TickAfter(uint32_t sinceInputMs, ScreenPoint cursor = {}) {
        desktop.sinceInputMs = sinceInputMs;
        return TickTo(monitor, desktop, settings, cursor);
    }
};

bool Has(const Calls& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

}  // namespace

// Untouched: the warning counts down, a mouse jump meanwhile sets nothing
// off, and at 0 the window in front when it appeared is the target.
TEST(IdleTrigger, WarnsCountsDownAndFiresAtTheWindowThatWasInFront) {
    IdleRig r;
    EXPECT_EQ(r.TickAfter(9999), (Calls{"SetRangePos(0)", "RefreshControls()"}));
    EXPECT_TRUE(Has(r.TickAfter(10000), "ShowIdleWarning(3)"));
    r.desktop.foreground = 88;
    EXPECT_TRUE(Has(r.TickAfter(11500), "ShowIdleWarning(2)"));
    const Calls jump = r.TickAfter(12100, {600, 600});  // no input the system counts, yet a jump
    EXPECT_TRUE(Has(jump, "ShowIdleWarning(1)"));
    EXPECT_FALSE(Has(jump, "StopTimer()"));
    const Calls fired = r.TickAfter(13000, {600, 600});
    EXPECT_TRUE(Has(fired, "HideIdleWarning()") && Has(fired, "PostClose(77)")) << fired.size();
}

// Any input cancels the warning; its own mouse move fires nothing, and the
// idle time starts again from it.
TEST(IdleTrigger, InputCancelsTheWarningAndNothingHappens) {
    IdleRig r;
    r.TickAfter(10000);
    const Calls cancelled = r.TickAfter(40, {900, 900});
    EXPECT_TRUE(Has(cancelled, "HideIdleWarning()") && !Has(cancelled, "StopTimer()"));
    EXPECT_FALSE(Has(r.TickAfter(9000, {900, 900}), "ShowIdleWarning(3)"));
    EXPECT_TRUE(Has(r.TickAfter(10000, {900, 900}), "ShowIdleWarning(3)"));
}

// A person's movement that cancels the warning lasts longer than a tick:
// none of it is a jump, and the pointer is followed until it rests for a
// tick; then a jump fires again. An edge fires all the while.
TEST(IdleTrigger, TheMovementThatCancelsFiresNothingUntilItRests) {
    IdleRig r;
    r.TickAfter(10000);
    int x = 0;
    EXPECT_TRUE(Has(r.TickAfter(10, {x += 300, 100}), "HideIdleWarning()"));
    for (int tick = 0; tick < 5; ++tick) EXPECT_FALSE(Has(r.TickAfter(10, {x += 300, 100}), "StopTimer()")) << tick;
    EXPECT_FALSE(Has(r.TickAfter(200, {x + 150, 100}), "StopTimer()"));  // at rest, within the range
    EXPECT_TRUE(Has(r.TickAfter(400, {x + 500, 100}), "PostClose(77)"));

    IdleRig edge;
    edge.settings.Active.EdgeFlags = "1000";
    edge.TickAfter(10000);
    edge.TickAfter(10, {600, 300});
    EXPECT_TRUE(Has(edge.TickAfter(10, {900, 0}), "PostClose(77)"));
}

// A person's movement starts slowly: the tick after the cancel may see less
// travel than the range while input still streams in. That is the start of
// the movement, not a rest, and its fast part is no jump either.
TEST(IdleTrigger, TheSlowStartOfTheCancellingMovementIsNoRest) {
    IdleRig r;
    r.TickAfter(10000);
    EXPECT_TRUE(Has(r.TickAfter(10, {30, 100}), "HideIdleWarning()"));
    EXPECT_FALSE(Has(r.TickAfter(10, {180, 100}), "StopTimer()"));  // 150 px, speeding up
    EXPECT_FALSE(Has(r.TickAfter(10, {580, 100}), "StopTimer()"));  // 400 px, the fast part
}

// The hotkey, or /detonate, during the countdown ends the warning before
// anything else; so does disarming.
TEST(IdleTrigger, EveryDetonationEndsTheWarningFirst) {
    IdleRig r;
    r.TickAfter(10000);
    r.desktop.calls.clear();
    r.monitor.DetonateNow(r.desktop, r.settings, nullptr);
    const Calls effects = r.desktop.Effects();
    ASSERT_FALSE(effects.empty());
    EXPECT_EQ(effects.front(), "HideIdleWarning()");
    EXPECT_TRUE(Has(effects, "PostClose(77)"));

    IdleRig disarmed;
    disarmed.TickAfter(10000);
    disarmed.desktop.calls.clear();
    disarmed.monitor.Disarm(disarmed.desktop);
    EXPECT_TRUE(Has(disarmed.desktop.Effects(), "HideIdleWarning()"));
}

// Without a warning it fires at once; the time of day firing while the
// warning shows fires once, at the window in front now.
TEST(IdleTrigger, NoWarningAndTheTimeOfDayInTheSameTick) {
    IdleRig quick(0);
    const Calls fired = quick.TickAfter(10000);
    EXPECT_TRUE(Has(fired, "PostClose(77)") && !Has(fired, "ShowIdleWarning(0)"));

    IdleRig r;
    r.TickAfter(10000);
    r.desktop.foreground = 88;
    r.settings.Active.TimerEnabled = 1;
    r.settings.Active.DetonationTime = 12 * 3600;  // the fake's clock says 12:00:00
    const Calls both = r.TickAfter(11000);
    EXPECT_EQ(std::count(both.begin(), both.end(), "StopTimer()"), 1);
    EXPECT_TRUE(Has(both, "HideIdleWarning()") && Has(both, "PostClose(88)") && !Has(both, "PostClose(77)"));
}

// The window given back once the icon's menu closes: on Windows the click on
// the icon has made the taskbar the window in front, so the last window the
// armed bomb watched is given back, never the taskbar nor VEXAL's own.
TEST(IconMenu, GivesBackTheLastWatchedWindowNotTheTaskbar) {
    FakeDesktop d;
    d.classNames = {{80, "Shell_TrayWnd"}, {81, "Progman"}};
    d.windowProcess = {{kTarget, 9}, {80, 5}, {81, 5}, {88, 10}};
    BombSettings settings;
    TriggerMonitor monitor;
    monitor.Arm(d, settings);
    for (WindowId front : {kTarget, WindowId{80}, kBar, WindowId{0}, WindowId{81}}) {
        d.foreground = front;
        TickTo(monitor, d, settings, {});
    }
    EXPECT_EQ(monitor.LastWatched(), kTarget);
    EXPECT_EQ(WindowToGiveBack(d, monitor.LastWatched(), 80), kTarget);

    d.windowProcess.erase(kTarget);  // closed meanwhile
    EXPECT_EQ(WindowToGiveBack(d, monitor.LastWatched(), 80), 0u);
    EXPECT_EQ(WindowToGiveBack(d, monitor.LastWatched(), 88), 88u);
    EXPECT_EQ(WindowToGiveBack(d, 0, kBar), 0u);
    monitor.Arm(d, settings);
    EXPECT_EQ(monitor.LastWatched(), 0u);
}

// On Windows 10 and 11 a new icon waits in the taskbar's overflow: a click on
// the arrow makes the overflow window the one in front, for the ticks until
// the icon is clicked. It is the shell's, as the taskbar is: the window given
// back once the menu closes is still the one the user was in.
TEST(IconMenu, TheTaskbarsOverflowIsNoWatchedWindow) {
    for (const char* overflow : {"NotifyIconOverflowWindow", "TopLevelWindowForOverflowXamlIsland"}) {
        FakeDesktop d;
        d.classNames = {{kTarget, "Notepad"}, {90, overflow}};
        d.windowProcess = {{kTarget, 9}, {90, 5}};
        BombSettings settings;
        TriggerMonitor monitor;
        monitor.Arm(d, settings);
        for (WindowId front : {kTarget, WindowId{90}}) {
            d.foreground = front;
            TickTo(monitor, d, settings, {});
        }
        EXPECT_EQ(WindowToGiveBack(d, monitor.LastWatched(), 90), kTarget) << overflow;
    }
}
