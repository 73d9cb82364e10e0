#include "trigger/Hiding.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/BarPresence.h"
#include "tests/unit/FakeDesktop.h"
#include "trigger/HiddenStateText.h"
#include "trigger/ProgramList.h"

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

// Record, hide, then silence: the sound system is not touched before the
// windows are gone, and the record names the sound before it is silenced.
TEST(Hiding, RecordsFirstThenHidesAndSilencesAndGivesEverythingBackInOrder) {
    FakeDesktop d = ShellLikeProcess();
    Hiding hiding;
    hiding.HideTarget(d, 77, true, {});
    hiding.HideBar(d);
    EXPECT_EQ(d.Effects(), Calls({"SaveHiddenState(77 78)", "HideWindow(77)", "HideWindow(78)", "ReadSound()",
                                  "SaveHiddenState(77 78)", "Silence(1)", "HideControlBar()"}));
    EXPECT_EQ(d.savedStates.back().sound.kind, SavedSound::kEndpointMute);
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
    hiding.HideTarget(d, 77, false, {});
    d.windowProcess.erase(77);  // closed meanwhile
    d.calls.clear();
    hiding.Restore(d);
    EXPECT_EQ(d.Effects(), Calls({"ShowHiddenWindow(78)", "ActivateWindow(78)", "ForgetHiddenState()"}));

    hiding.Adopt({{{78, 500}, {90, 600}}, {}});  // as recorded by a run that was killed
    d.windowProcess[78] = 501;                   // the handle now names another process's window
    d.calls.clear();
    hiding.Restore(d);
    EXPECT_EQ(d.Effects(), Calls({"ForgetHiddenState()"}));

    // A process that got the id of the one recorded has another creation time;
    // a record of the version before has none and goes by the id.
    d.windowProcess = {{91, 700}, {92, 700}, {93, 700}};
    d.processCreated = {{91, 55}, {92, 56}, {93, 56}};
    hiding.Adopt({{{91, 700, 55}, {92, 700, 55}, {93, 700, 0}}, {}});
    d.calls.clear();
    hiding.Restore(d);
    EXPECT_EQ(d.Effects(),
              Calls({"ShowHiddenWindow(93)", "ShowHiddenWindow(91)", "ActivateWindow(91)", "ForgetHiddenState()"}));
}

TEST(Hiding, ASecondDetonationAddsInFrontAndKeepsTheFirstSound) {
    FakeDesktop d = ShellLikeProcess();
    d.processWindows[60] = {{60, 700, "Notepad"}, {77, 500, "CabinetWClass"}};
    Hiding hiding;
    hiding.HideTarget(d, 77, true, {});
    d.sound = {SavedSound::kEndpointMute, 1};  // muted by the first one
    d.calls.clear();
    hiding.HideTarget(d, 60, true, {});
    EXPECT_EQ(d.Effects(), Calls({"SaveHiddenState(60 77 78)", "HideWindow(60)"}));
    EXPECT_EQ(d.savedStates.back().sound, (SavedSound{SavedSound::kEndpointMute, 0}));

    d.windowProcess[60] = 700;
    d.calls.clear();
    hiding.Restore(d);
    EXPECT_EQ(d.Effects(), Calls({"ShowHiddenWindow(78)", "ShowHiddenWindow(77)", "ShowHiddenWindow(60)",
                                  "ActivateWindow(60)", "RestoreSound(1,0)", "ForgetHiddenState()"}));
}

// A listed program's window above the target (a topmost player, a chat
// pop-up) comes back in its place, and the target is the active one again,
// also after a kill, through the record.
TEST(Hiding, TheTargetIsActiveAgainWhateverWasAboveIt) {
    FakeDesktop d = ShellLikeProcess();
    d.processWindows[77] = {{60, 700, "Player", 3}, {77, 500, "CabinetWClass", 4}};  // as listed, in stacking order
    d.windowProcess[60] = 700;
    d.processCreated = {{60, 3}, {77, 4}};
    Hiding hiding;
    hiding.HideTarget(d, 77, false, {});
    const HiddenState recorded = ParseHiddenRecord(FormatHiddenRecord(d.savedStates.back(), {5, 5})).state;
    for (int run = 0; run < 2; ++run) {
        d.calls.clear();
        hiding.Restore(d);
        EXPECT_EQ(d.Effects(),
                  Calls({"ShowHiddenWindow(77)", "ShowHiddenWindow(60)", "ActivateWindow(77)", "ForgetHiddenState()"}));
        hiding.Adopt(recorded);
    }
}

// Only listed programs went (the desktop was in front): none of their
// windows was the one in use, so none takes the front and the keys when
// they come back, the last hidden in front or not.
TEST(Hiding, ListedProgramsAloneComeBackWithoutTakingTheFront) {
    FakeDesktop d = ShellLikeProcess();
    d.programs = {{u"QQ.exe", {90, 20, "TXGuiFoundation"}}};
    d.windowProcess[90] = 20;
    Hiding hiding;
    hiding.HideTarget(d, 0, false, ParseProgramList("qq.exe"));
    d.calls.clear();
    hiding.Restore(d);
    EXPECT_EQ(d.Effects(), Calls({"ShowHiddenWindow(90)", "ForgetHiddenState()"}));
}

// A program that shows its hidden window again by itself (a new message)
// has it hidden again by the next detonation; the record keeps it once.
TEST(Hiding, AWindowShownAgainByItsProgramIsHiddenAgain) {
    FakeDesktop d = ShellLikeProcess();
    Hiding hiding;
    hiding.HideTarget(d, 77, false, {});
    d.hidden.erase(78);
    d.processWindows[78] = d.processWindows[77];
    d.calls.clear();
    hiding.HideTarget(d, 78, false, {});
    EXPECT_EQ(d.Effects(), Calls({"SaveHiddenState(78 77)", "HideWindow(78)"}));
}

// What is hidden comes back only for the password it was first hidden
// under: a later detonation under another password, or none (VEXAL.ini
// edited and VEXAL started again), adds windows but keeps the record's; a
// record under none takes the first one set.
TEST(Hiding, ALaterDetonationKeepsThePasswordOfWhatIsHidden) {
    FakeDesktop d = ShellLikeProcess();
    d.processWindows[60] = {{60, 700, "Notepad"}};
    Hiding hiding;
    hiding.HideTarget(d, 77, false, {}, "pbkdf2-sha256$1$aa$bb");
    hiding.HideTarget(d, 60, false, {}, "");
    EXPECT_EQ(hiding.Verifier(), "pbkdf2-sha256$1$aa$bb");
    EXPECT_EQ(d.savedStates.back().verifier, "pbkdf2-sha256$1$aa$bb");
    hiding.TakeVerifier(d, "pbkdf2-sha256$1$cc$dd");
    EXPECT_EQ(hiding.Verifier(), "pbkdf2-sha256$1$aa$bb");

    // One set while windows hidden under none are hidden is taken and written.
    FakeDesktop e = ShellLikeProcess();
    Hiding unprotected;
    unprotected.TakeVerifier(e, "pbkdf2-sha256$1$cc$dd");  // nothing hidden: nothing written
    EXPECT_TRUE(e.savedStates.empty());
    unprotected.HideTarget(e, 77, false, {}, "");
    unprotected.TakeVerifier(e, "pbkdf2-sha256$1$cc$dd");
    EXPECT_EQ(e.savedStates.back().verifier, "pbkdf2-sha256$1$cc$dd");
}

TEST(Hiding, NothingToHideLeavesEverythingAlone) {
    FakeDesktop d = ShellLikeProcess();
    d.processWindows[81] = {{81, 500, "Progman"}, {80, 500, "Shell_TrayWnd"}};
    Hiding hiding;
    hiding.HideTarget(d, 81, true, {});
    hiding.HideTarget(d, 0, true, {});
    EXPECT_EQ(d.Effects(), Calls());
    EXPECT_FALSE(hiding.Active());
}

// The record read back as written; a line spoiled by hand is left out, the rest stays.
TEST(Hiding, StateRecordReadsBackAndSurvivesSpoiledLines) {
    const HiddenState state = {{{0x301a4, 1234, 133000000000000001u}, {UINTPTR_MAX, 4294967295u, UINT64_MAX}},
                               {SavedSound::kEndpointMute, 1, 400000, u"{0.0.1}.{\u00e9\U0001F600,x}"}};
    const HiddenRecord back = ParseHiddenRecord(FormatHiddenRecord(state, {13441137494u, 7}));
    EXPECT_EQ(back.state.windows, state.windows);
    EXPECT_EQ(back.state.sound, state.sound);
    ASSERT_TRUE(back.stamp);
    EXPECT_EQ(back.stamp->bootSeconds, 13441137494u);
    EXPECT_EQ(back.stamp->written, 7u);
    for (const SavedSound& sound : {SavedSound{SavedSound::kWaveVolume, 0xFFFF0000, SavedSound::kLevelUnknown, u""},
                                    SavedSound{}, SavedSound{SavedSound::kEndpointMute, 0, 0, u""},
                                    SavedSound{SavedSound::kEndpointMute, 0, SavedSound::kLevelUnknown, u"id"}})
        EXPECT_EQ(ParseHiddenRecord(FormatHiddenRecord({{}, sound}, {})).state.sound, sound);

    // As the version before wrote it: no Boot= line, two numbers a window, two for the sound.
    const HiddenRecord old = ParseHiddenRecord(
        "[Hidden]\nSound=9,1\nWindow=0x10\nWindow=0x20,7\nWindow=junk,7\nWindow=0x30,0\nWindow=0x40,8 \n");
    EXPECT_FALSE(old.stamp);
    EXPECT_EQ(old.state.windows, (std::vector<HiddenWindow>{{0x20, 7}, {0x40, 8}}));
    EXPECT_EQ(old.state.sound.kind, SavedSound::kNothing);
    EXPECT_EQ(ParseHiddenRecord("[Hidden]\nSound=1,1\n").state.sound,
              (SavedSound{SavedSound::kEndpointMute, 1, SavedSound::kLevelUnknown, u""}));
}

// Digits only and in range; each bad line goes alone.
TEST(Hiding, StateRecordReadsNumbersStrictly) {
    const char* badWindows[] = {"0x10,7",    // no creation time in a stamped record
                                "0x11,8,0",  // nor one that proves nothing
                                "-1,7,1",
                                "0x-1,7,1",
                                "0x10,-7,1",
                                "0x10,+7,1",
                                "0x10,7,-1",
                                "0x10, 7,1",
                                "0x10,7 ,1",
                                "0x10,4294967296,1",
                                "0x10,7,18446744073709551616",
                                "0x10000000000000000,7,1",
                                "0x,7,1",
                                "16,7,1",
                                "0x10,7,1,2",
                                "0x10,0x7,1",
                                "0x10,7,1e3",
                                "0x0,7,1",
                                "0x10,0,1",
                                "0x10,,1"};
    std::string text = "[Hidden]\nBoot=5\n";
    for (const char* line : badWindows) text += std::string("Window=") + line + "\n";
    text += "Window=0xAbC,4294967295,18446744073709551615\n";
    EXPECT_EQ(ParseHiddenRecord(text).state.windows, (std::vector<HiddenWindow>{{0xABC, 4294967295u, UINT64_MAX}}));

    for (const char* sound : {"1,2", "3,0", "-1,0", "1,0,1000001", "2,5,3", "0,0,1", "1,0,-1", "1,0,5,\xC3",
                              "1,0,1,\xED\xA0\x80", "01,4294967296", ",1",
                              // an endpoint id with a control character, which no record could write back
                              "1,0,5,{0.0.1}\r2", "1,0,5,a\tb"}) {
        SCOPED_TRACE(sound);
        EXPECT_EQ(ParseHiddenRecord(std::string("[Hidden]\nSound=") + sound).state.sound.kind, SavedSound::kNothing);
    }
    EXPECT_EQ(ParseHiddenRecord("[Hidden]\nBoot=-5\n").stamp->bootSeconds, 0u);
}

// A start obeys the newest record that names its boot, else one of the
// version before. Its windows prove themselves by their processes' creation
// times, so a record read after the clock was set still brings them back;
// only its sound needs the boot that wrote it.
TEST(Hiding, StartObeysTheNewestRecordAndItsSoundOnlyInItsBoot) {
    const RecordStamp now = {100000, 0};
    auto record = [](WindowId w, std::optional<RecordStamp> stamp) {
        return HiddenRecord{{{{w, 7, 1}}, {SavedSound::kEndpointMute, 0, 0, u""}}, stamp};
    };
    auto obeyed = [&](const std::vector<HiddenRecord>& found) {
        const HiddenState s = StateToObey(found, now);
        return s.windows.empty() ? WindowId(0) : s.windows.front().window;
    };
    auto sound = [&](RecordStamp stamp) { return StateToObey({record(1, stamp)}, now).sound.kind; };
    EXPECT_EQ(sound({100000 - 120, 5}), SavedSound::kEndpointMute);  // a step of the time service
    EXPECT_EQ(sound({100000 + 120, 5}), SavedSound::kEndpointMute);
    EXPECT_EQ(sound({100000 - 121, 5}), SavedSound::kNothing);  // another boot, or the clock set
    EXPECT_EQ(sound({0, 5}), SavedSound::kNothing);
    EXPECT_EQ(obeyed({record(1, RecordStamp{100000 - 86400, 5})}), 1u);  // the clock set back a day
    EXPECT_EQ(obeyed({record(1, RecordStamp{0, 5})}), 1u);
    EXPECT_EQ(obeyed({record(1, RecordStamp{now.bootSeconds, 6}), record(2, RecordStamp{now.bootSeconds, 5})}), 1u);
    EXPECT_EQ(obeyed({record(1, RecordStamp{now.bootSeconds, 5}), record(2, RecordStamp{now.bootSeconds, 6})}), 2u);
    EXPECT_EQ(obeyed({record(1, std::nullopt), record(2, RecordStamp{now.bootSeconds, 1})}), 2u);
    // An old record that could not be deleted is outranked by the empty one
    // written then, in this boot and after every later one.
    EXPECT_EQ(obeyed({record(1, std::nullopt), {{}, RecordStamp{now.bootSeconds, 6}}}), 0u);
    EXPECT_EQ(obeyed({record(1, std::nullopt), {{}, RecordStamp{9, 6}}}), 0u);
    EXPECT_EQ(obeyed({record(1, std::nullopt)}), 1u);
    EXPECT_EQ(obeyed({record(1, RecordStamp{now.bootSeconds, 5}), {{}, RecordStamp{now.bootSeconds, 6}}}), 0u);
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
