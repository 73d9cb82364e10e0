#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/unit/FakeDesktop.h"
#include "trigger/Detonation.h"
#include "trigger/Hiding.h"
#include "trigger/TriggerMonitor.h"

namespace {

using Calls = std::vector<std::string>;

constexpr WindowId kTarget = 77;

// The steps every detonation makes around the target step and the actions.
Calls Framed(const Calls& middle) {
    Calls out = {"SetRangePos(200)", "StopTimer()", "ShowArmedPicture(false)"};
    out.insert(out.end(), middle.begin(), middle.end());
    out.push_back("EnableArmButton(true)");
    out.push_back("SetRangePos(0)");
    return out;
}

Calls Detonate(const ActiveSettings& active, WindowId target = kTarget, const char* targetClass = "Notepad") {
    FakeDesktop desktop;
    desktop.classNames[kTarget] = targetClass;
    RunDetonation(desktop, active, target);
    return desktop.Effects();
}

TEST(Detonation, AllSwitchesOnInOrder) {
    ActiveSettings a;
    a.MinimizeTarget = a.PlaySound = a.MuteWave = a.HangUpDialUp = a.HideSelf = 1;
    a.ClearRecentDocs = a.EmptyRecycleBin = a.NotTopmost = 1;
    a.SoundType = 3;
    a.FinalAction = kFinalMessage;
    a.FinalMessage = "gone";
    // HideSelf minimises the control bar before the message box shows.
    EXPECT_EQ(Detonate(a),
              Framed({"MinimizeWindow(77)", "PlaySound(3)", "MuteWave()", "HangUpDialUp()", "MinimizeControlBar()",
                      "ClearRecentDocs()", "EmptyRecycleBin()", "SetControlBarTopmost(true)", "ShowFinalMessage(gone)",
                      "SetControlBarTopmost(false)"}));
}

TEST(Detonation, FollowUpSwitchesOnlyAtExactlyOne) {
    ActiveSettings a;
    a.PlaySound = a.MuteWave = a.HangUpDialUp = a.HideSelf = 2;
    a.ClearRecentDocs = a.EmptyRecycleBin = -1;
    EXPECT_EQ(Detonate(a), Framed({"PostClose(77)"}));
}

TEST(Detonation, TargetStep) {
    const struct {
        const char* name;
        int32_t noDetonation;
        int32_t minimizeTarget;
        WindowId target;
        const char* targetClass;
        Calls middle;
    } cases[] = {
        {"close", 0, 0, kTarget, "Notepad", {"PostClose(77)"}},
        {"minimise", 0, 1, kTarget, "Notepad", {"MinimizeWindow(77)"}},
        {"MinimizeTarget 2 is off", 0, 2, kTarget, "Notepad", {"PostClose(77)"}},
        {"NoDetonation 1", 1, 1, kTarget, "Notepad", {}},
        {"NoDetonation 2 is on", 2, 0, kTarget, "Notepad", {}},
        {"NoDetonation -1 is on", -1, 0, kTarget, "Notepad", {}},
        {"null target", 0, 0, 0, "", {}},
        {"null target minimise", 0, 1, 0, "", {}},
        {"desktop", 0, 0, kTarget, "Progman", {}},
        {"desktop worker", 0, 1, kTarget, "WorkerW", {}},
        {"taskbar", 0, 0, kTarget, "Shell_TrayWnd", {}},
        {"taskbar minimise", 0, 1, kTarget, "Shell_TrayWnd", {}},
        {"similar class", 0, 0, kTarget, "Progman2", {"PostClose(77)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ActiveSettings a;
        a.NoDetonation = c.noDetonation;
        a.MinimizeTarget = c.minimizeTarget;
        a.PlaySound = 1;
        a.SoundType = 0;
        // The rest of the sequence runs whatever the target step did.
        Calls middle = c.middle;
        middle.push_back("PlaySound(0)");
        EXPECT_EQ(Detonate(a, c.target, c.targetClass), Framed(middle));
    }
}

TEST(Detonation, FinalAction) {
    const struct {
        int32_t finalAction;
        int32_t notTopmost;
        Calls middle;
    } cases[] = {
        {0, 1, {}},
        {1, 0, {"Blackout()"}},
        {1, 1, {"Blackout()", "SetControlBarTopmost(false)"}},
        {2, 1, {"ScreenSaver()"}},
        {3, 1, {"ShutDown()"}},
        {4, 1, {"RunProgram(C:\\x.exe)"}},
        {5, 0, {"ShowFinalMessage(bye)"}},
        {5, 2, {"ShowFinalMessage(bye)"}},
        {5, 1, {"SetControlBarTopmost(true)", "ShowFinalMessage(bye)", "SetControlBarTopmost(false)"}},
        {6, 1, {}},
        {-1, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "FinalAction " << c.finalAction << ", NotTopmost " << c.notTopmost);
        ActiveSettings a;
        a.NoDetonation = 1;
        a.FinalAction = c.finalAction;
        a.NotTopmost = c.notTopmost;
        a.FinalProgram = "C:\\x.exe";
        a.FinalMessage = "bye";
        EXPECT_EQ(Detonate(a), Framed(c.middle));
    }
}

// VEXAL.ini's switches: hiding takes the place of closing and minimising,
// hides the bar instead of minimising it, and the lock comes last.
TEST(Detonation, HidingInsteadOfClosingAndTheLockAfterwards) {
    ActiveSettings a;
    a.MinimizeTarget = a.HideSelf = a.MuteWave = 1;
    a.FinalAction = kFinalScreenSaver;
    ExtraSettings extra;
    extra.HideInsteadOfClose = extra.MuteWhileHidden = extra.LockAfterDetonation = true;
    FakeDesktop d;
    d.processWindows[kTarget] = {{kTarget, 9, "Notepad"}};
    d.sound = {SavedSound::kWaveVolume, 7};
    Hiding hiding;
    RunDetonation(d, a, kTarget, extra, &hiding);
    // The windows go first; the sound to give back is read before the preset's own mute.
    EXPECT_EQ(d.Effects(),
              Framed({"SaveHiddenState(77)", "HideWindow(77)", "ReadSound()", "SaveHiddenState(77)", "Silence(2)",
                      "MuteWave()", "HideControlBar()", "ScreenSaver()", "LockWorkStation()"}));

    extra.LockAfterDetonation = false;
    d.calls.clear();
    RunDetonation(d, a, kTarget, extra);  // no one to keep the hidden windows: minimised as before
    EXPECT_EQ(d.Effects(), Framed({"MinimizeWindow(77)", "MuteWave()", "MinimizeControlBar()", "ScreenSaver()"}));
}

// Closing, minimising and hiding spare the same windows: a taskbar on a
// second screen or the desktop window in front is never a target.
TEST(Detonation, TheSameWindowsAreSparedWhateverIsDoneToTheTarget) {
    for (const char* spared : {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd", "#32769"})
        for (int mode = 0; mode < 3; ++mode) {
            ActiveSettings a;
            a.MinimizeTarget = mode == 1;
            ExtraSettings extra;
            extra.HideInsteadOfClose = mode == 2;
            FakeDesktop d;
            d.classNames[kTarget] = spared;
            d.processWindows[kTarget] = {{kTarget, 9, spared}, {78, 9, "CabinetWClass"}};
            Hiding hiding;
            RunDetonation(d, a, kTarget, extra, &hiding);
            EXPECT_EQ(d.Effects(), Framed({})) << spared << " mode " << mode;
        }
}

// The hotkey fires at the window in front, but never at one of the program's own.
TEST(Detonation, HotkeyDetonationSparesOwnWindows) {
    BombSettings s(0);
    TriggerMonitor monitor;
    for (WindowId front : {WindowId{1}, WindowId{5}, kTarget}) {
        FakeDesktop d;                                  // the control bar is window 1
        d.titles[5] = "VEXAL\xa3\xba\xd0\xc5\xcf\xa2";  // the information panel
        d.foreground = front;
        monitor.DetonateNow(d, s, nullptr);
        EXPECT_EQ(d.Effects(), front == kTarget ? Framed({"PostClose(77)"}) : Framed({})) << front;
    }
}

}  // namespace

// The programs listed to go along are hidden with the target in one record,
// and only in hide mode; closing never reaches them.
TEST(Detonation, ListedProgramsHideWithTheTargetOnlyInHideMode) {
    ExtraSettings extra;
    extra.AlsoHide = "qq.exe; chrome*.exe";
    ActiveSettings a;
    FakeDesktop d;
    d.processWindows[kTarget] = {{kTarget, 9, "Notepad"}};
    d.programs = {{u"QQ.exe", {90, 20, "TXGuiFoundation"}},
                  {u"explorer.exe", {91, 21, "Shell_TrayWnd"}},
                  {u"chrome_proxy.exe", {92, 22, "Chrome_WidgetWin_1"}},
                  {u"music.exe", {93, 23, "Player"}}};
    Hiding hiding;
    RunDetonation(d, a, kTarget, extra, &hiding);
    EXPECT_EQ(d.Effects(), Framed({"PostClose(77)"}));

    extra.HideInsteadOfClose = true;
    d.calls.clear();
    RunDetonation(d, a, kTarget, extra, &hiding);
    EXPECT_EQ(d.Effects(), Framed({"SaveHiddenState(77 90 92)", "HideWindow(77)", "HideWindow(90)", "HideWindow(92)"}));

    a.NoDetonation = 1;
    d.calls.clear();
    d.hidden.clear();
    RunDetonation(d, a, kTarget, extra, &hiding);
    EXPECT_EQ(d.Effects(), Framed({}));
}

// In hide mode the listed programs go whatever is in front: the desktop,
// the taskbar, one of VEXAL's own windows or none; the window in front
// itself still never goes when it is spared. Outside hide mode nothing does.
TEST(Detonation, ListedProgramsGoWhenTheWindowInFrontIsSpared) {
    ExtraSettings extra;
    extra.AlsoHide = "qq.exe";
    extra.HideInsteadOfClose = true;
    BombSettings s(0);
    s.Extra = extra;
    TriggerMonitor monitor;
    for (WindowId front : {WindowId{81}, WindowId{1}, WindowId{0}}) {
        FakeDesktop d;  // the control bar is window 1
        d.classNames[81] = "Progman";
        d.processWindows[81] = {{81, 500, "Progman"}};
        d.programs = {{u"QQ.exe", {90, 20, "TXGuiFoundation"}}};
        d.foreground = front;
        Hiding hiding;
        monitor.DetonateNow(d, s, &hiding);
        EXPECT_EQ(d.Effects(), Framed({"SaveHiddenState(90)", "HideWindow(90)"})) << front;

        s.Extra.HideInsteadOfClose = false;
        d.calls.clear();
        d.hidden.clear();
        monitor.DetonateNow(d, s, &hiding);
        EXPECT_EQ(d.Effects(), Framed({})) << front;
        s.Extra.HideInsteadOfClose = true;
    }
}
