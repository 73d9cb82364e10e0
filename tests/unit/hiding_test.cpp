#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/FakeDesktop.h"
#include "trigger/BarPresence.h"
#include "trigger/HiddenStateText.h"
#include "trigger/Hiding.h"

namespace {

using Calls = std::vector<std::string>;

// A target (77) with a dialog of its own (78), in a process (500) that also
// holds a taskbar and the desktop, as the shell's process does.
FakeDesktop ShellLikeProcess() {
    FakeDesktop d;
    d.processWindows[77] = {{77, 500, "CabinetWClass"},
                            {78, 500, "#32770"},
                            {79, 500, "Shell_SecondaryTrayWnd"},
                            {80, 500, "Shell_TrayWnd"},
                            {81, 500, "Progman"}};
    d.windowProcess = {{77, 500}, {78, 500}, {79, 500}, {80, 500}, {81, 500}};
    d.sound = {SavedSound::kEndpointMute, 0};
    return d;
}

TEST(Hiding, RecordsFirstThenSilencesAndHidesAndGivesEverythingBackInOrder) {
    FakeDesktop d = ShellLikeProcess();
    Hiding hiding;
    hiding.HideTarget(d, 77, true);
    hiding.HideBar(d);
    EXPECT_EQ(d.Effects(), Calls({"ReadSound()", "SaveHiddenState(77 78)", "HideWindow(77)", "HideWindow(78)",
                                  "Silence(1)", "HideControlBar()"}));
    EXPECT_TRUE(hiding.Active());

    d.calls.clear();
    hiding.Restore(d);
    // Bottom first, each shown on top of the others, so the old order returns.
    EXPECT_EQ(d.Effects(), Calls({"ShowControlBar()", "ShowHiddenWindow(78)", "ShowHiddenWindow(77)",
                                  "ActivateWindow(77)", "RestoreSound(1,0)", "ForgetHiddenState()"}));
    EXPECT_FALSE(hiding.Active());
}

TEST(Hiding, SkipsWindowsThatWentOrNowBelongToAnotherProcess) {
    FakeDesktop d = ShellLikeProcess();
    Hiding hiding;
    hiding.HideTarget(d, 77, false);
    d.windowProcess.erase(77);  // closed meanwhile
    d.calls.clear();
    hiding.Restore(d);
    EXPECT_EQ(d.Effects(), Calls({"ShowHiddenWindow(78)", "ActivateWindow(78)", "ForgetHiddenState()"}));

    hiding.Adopt({{{78, 500}, {90, 600}}, {}});  // as recorded by a run that was killed
    d.windowProcess[78] = 501;                   // the handle now names another process's window
    d.calls.clear();
    hiding.Restore(d);
    EXPECT_EQ(d.Effects(), Calls({"ForgetHiddenState()"}));
}

TEST(Hiding, ASecondDetonationAddsInFrontAndKeepsTheFirstSound) {
    FakeDesktop d = ShellLikeProcess();
    d.processWindows[60] = {{60, 700, "Notepad"}, {77, 500, "CabinetWClass"}};
    Hiding hiding;
    hiding.HideTarget(d, 77, true);
    d.sound = {SavedSound::kEndpointMute, 1};  // muted by the first one
    d.calls.clear();
    hiding.HideTarget(d, 60, true);
    EXPECT_EQ(d.Effects(), Calls({"SaveHiddenState(60 77 78)", "HideWindow(60)"}));
    EXPECT_EQ(d.savedStates.back().sound, (SavedSound{SavedSound::kEndpointMute, 0}));

    d.windowProcess[60] = 700;
    d.calls.clear();
    hiding.Restore(d);
    EXPECT_EQ(d.Effects(), Calls({"ShowHiddenWindow(78)", "ShowHiddenWindow(77)", "ShowHiddenWindow(60)",
                                  "ActivateWindow(60)", "RestoreSound(1,0)", "ForgetHiddenState()"}));
}

// A program that shows its hidden window again by itself (a new message)
// has it hidden again by the next detonation; the record keeps it once.
TEST(Hiding, AWindowShownAgainByItsProgramIsHiddenAgain) {
    FakeDesktop d = ShellLikeProcess();
    Hiding hiding;
    hiding.HideTarget(d, 77, false);
    d.hidden.erase(78);
    d.processWindows[78] = d.processWindows[77];
    d.calls.clear();
    hiding.HideTarget(d, 78, false);
    EXPECT_EQ(d.Effects(), Calls({"SaveHiddenState(78 77)", "HideWindow(78)"}));
}

TEST(Hiding, NothingToHideLeavesEverythingAlone) {
    FakeDesktop d = ShellLikeProcess();
    d.processWindows[81] = {{81, 500, "Progman"}, {80, 500, "Shell_TrayWnd"}};
    Hiding hiding;
    hiding.HideTarget(d, 81, true);
    hiding.HideTarget(d, 0, true);
    EXPECT_EQ(d.Effects(), Calls());
    EXPECT_FALSE(hiding.Active());
}

// The record read back as written; a line spoiled by hand is left out, the rest stays.
TEST(Hiding, StateRecordReadsBackAndSurvivesSpoiledLines) {
    const HiddenState state = {{{0x301a4, 1234}, {0xFFFFFFFF, 4294967295u}}, {SavedSound::kWaveVolume, 0xFFFF0000}};
    const HiddenState back = ParseHiddenState(FormatHiddenState(state));
    EXPECT_EQ(back.windows, state.windows);
    EXPECT_EQ(back.sound, state.sound);

    const HiddenState spoiled = ParseHiddenState(
        "[Hidden]\nSound=9,1\nWindow=0x10\nWindow=0x20,7\nWindow=junk,7\nWindow=0x30,0\nWindow=0x40,8 \n");
    EXPECT_EQ(spoiled.windows, (std::vector<HiddenWindow>{{0x20, 7}, {0x40, 8}}));
    EXPECT_EQ(spoiled.sound.kind, SavedSound::kNothing);
}

// Where the bar is after each event, from each state, with the tray switch
// on and off: "b" bar shown, "i" icon shown, "-" neither.
TEST(BarPresence, EventTable) {
    auto show = [](BarPresence p) {
        return std::string(p.BarShown() ? "b" : "") + (p.IconShown() ? "i" : "") +
               (p.BarShown() || p.IconShown() ? "" : "-");
    };
    const BarPresence shown, tray{true, false}, hiddenAway{false, true}, both{true, true};
    const struct {
        BarEvent event;
        bool trayWhileArmed;
        // from shown, tray, hidden away, both
        const char* after[4];
    } rows[] = {
        {BarEvent::Arm, true, {"i", "i", "i", "i"}},
        {BarEvent::Arm, false, {"b", "i", "-", "i"}},
        {BarEvent::HidingTookBar, true, {"-", "i", "-", "i"}},
        {BarEvent::HidingGaveBack, true, {"b", "i", "b", "i"}},  // the tray keeps it away
        {BarEvent::Disarm, true, {"b", "b", "b", "b"}},
        {BarEvent::Exit, false, {"b", "b", "-", "-"}},
    };
    for (const auto& row : rows) {
        const BarPresence from[] = {shown, tray, hiddenAway, both};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(show(BarAfter(from[i], row.event, row.trayWhileArmed)), row.after[i])
                << "event " << static_cast<int>(row.event) << " from state " << i;
    }
}

}  // namespace
