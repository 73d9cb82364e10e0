#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "actions/SystemActions.h"
#include "tests/unit/WideText.h"

namespace {

// Every value as one lower-case hex text, strings quoted, so a call reads
// as one line: "MessageBeep(0x40)".
std::string Arg(uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(v));
    return text;
}
std::string Arg(const char* s) { return s ? std::string("\"") + s + "\"" : "null"; }
std::string Arg(const std::u16string& s) { return Arg(Utf8(s).c_str()); }
std::string Arg(const void* p) { return p ? "item" : "null"; }

template <typename... Args>
std::string Call(const char* name, const Args&... args) {
    std::string text;
    ((text += "," + Arg(args)), ...);
    return std::string(name) + "(" + (text.empty() ? text : text.substr(1)) + ")";
}

// Records every call with its arguments, in order, and answers as scripted.
// The enumeration behaves as remote access does: a buffer too small for the
// active connections fails with 603 and reports the bytes needed.
class RecordingWin : public WinCalls {
public:
    std::vector<std::string> calls;
    std::vector<std::vector<uintptr_t>> activeByCall = {{}};  // per enumeration; the last one stays
    uint32_t enumFailure = 0;                                 // another error to fail with
    uint32_t reportedBytes = 0;                               // a size to report on 603 instead
    bool vista = false;
    bool audio = true;  // a playback device exists
    bool endpointMuted = false;
    uint32_t endpointLevel = 600000;
    std::u16string defaultEndpoint = u"{speakers}";
    std::u16string pluggedEndpoint = u"{speakers}";  // the one device there is, by id
    uint32_t waveVolume = 0x80008000;
    bool tokenOpens = true;
    std::map<std::u16string, uintptr_t> shellResults;  // 42 for any other path

    void SHAddToRecentDocs(uint32_t flags, const void* item) override { Log("SHAddToRecentDocs", flags, item); }
    void SHEmptyRecycleBinA(uintptr_t owner, const char* root, uint32_t flags) override {
        Log("SHEmptyRecycleBinA", owner, root, flags);
    }
    uint32_t RasEnumConnectionsA(uint32_t entrySize, uint32_t& bytes, uint32_t& count,
                                 std::vector<uintptr_t>& connections) override {
        Log("RasEnumConnectionsA", entrySize, bytes);
        const auto& active = activeByCall[std::min(enumCalls++, activeByCall.size() - 1)];
        if (enumFailure) return enumFailure;
        uint32_t needed = static_cast<uint32_t>(active.size()) * entrySize;
        count = static_cast<uint32_t>(active.size());
        if (bytes < needed || reportedBytes) {
            bytes = reportedBytes ? reportedBytes : needed;
            return 603;
        }
        bytes = needed;
        connections = active;
        return 0;
    }
    uint32_t RasHangUpA(uintptr_t connection) override { return Log("RasHangUpA", connection), 0; }
    uint32_t waveOutSetVolume(uintptr_t device, uint32_t volume) override {
        return Log("waveOutSetVolume", device, volume), 0;
    }
    uint32_t waveOutGetVolume(uintptr_t device, uint32_t& volume) override {
        Log("waveOutGetVolume", device);
        volume = waveVolume;
        return audio ? 0 : 6;  // MMSYSERR_NODRIVER
    }
    bool IsVistaOrLater() override { return Log("IsVistaOrLater"), vista; }
    void SetMasterVolumeToZero() override { Log("SetMasterVolumeToZero"); }
    bool GetEndpointState(std::u16string& id, bool& muted, uint32_t& level) override {
        Log("GetEndpointState");
        id = defaultEndpoint, muted = endpointMuted, level = endpointLevel;
        return audio;
    }
    bool SetEndpointMute(const std::u16string& id, bool muted) override {
        return Log("SetEndpointMute", id, muted), Present(id);
    }
    bool SetEndpointLevel(const std::u16string& id, uint32_t level) override {
        return Log("SetEndpointLevel", id, level), Present(id);
    }
    bool Present(const std::u16string& id) const { return audio && (id.empty() || id == pluggedEndpoint); }
    bool LockWorkStation() override { return Log("LockWorkStation"), true; }
    void MessageBeep(uint32_t type) override { Log("MessageBeep", type); }
    void SendMessageA(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        Log("SendMessageA", window, message, wParam, static_cast<uint64_t>(lParam));
    }
    uintptr_t GetCurrentProcess() override { return Log("GetCurrentProcess"), 0xFFFFFFFF; }
    bool OpenProcessToken(uintptr_t process, uint32_t access, uintptr_t& token) override {
        Log("OpenProcessToken", process, access);
        if (tokenOpens) token = 0x77;
        return tokenOpens;
    }
    bool LookupPrivilegeValueA(const char* system, const char* name, uint64_t& luid) override {
        Log("LookupPrivilegeValueA", system, name);
        luid = 0x13;
        return true;
    }
    bool AdjustTokenPrivileges(uintptr_t token, bool disableAll, uint32_t count, uint64_t luid,
                               uint32_t attributes) override {
        return Log("AdjustTokenPrivileges", token, disableAll, count, luid, attributes), true;
    }
    bool ExitWindowsEx(uint32_t flags, uint32_t reason) override { return Log("ExitWindowsEx", flags, reason), true; }
    bool CloseHandle(uintptr_t handle) override { return Log("CloseHandle", handle), true; }
    uintptr_t ShellExecuteOpen(const std::u16string& path, int show) override {
        Log("ShellExecuteOpen", path, static_cast<uint64_t>(show));
        auto it = shellResults.find(path);
        return it == shellResults.end() ? 42 : it->second;
    }

private:
    template <typename... Args>
    void Log(const char* name, const Args&... args) {
        calls.push_back(Call(name, static_cast<std::conditional_t<std::is_integral_v<Args>, uint64_t, Args>>(args)...));
    }
    size_t enumCalls = 0;
};

using Calls = std::vector<std::string>;

// An enumeration with entries of `entry` bytes over a buffer of `bytes` bytes.
std::string Enum(uint32_t entry, uint64_t bytes) { return Call("RasEnumConnectionsA", uint64_t{entry}, bytes); }

TEST(SystemActions, SingleCallActions) {
    RecordingWin a, b, c;
    ActClearRecentDocs(a);
    ActEmptyRecycleBin(b);
    ActScreenSaver(c, 0x1234);
    EXPECT_EQ(a.calls, Calls({"SHAddToRecentDocs(0x1,null)"}));
    EXPECT_EQ(b.calls, Calls({"SHEmptyRecycleBinA(0x0,null,0x1)"}));
    EXPECT_EQ(c.calls, Calls({"SendMessageA(0x1234,0x112,0xf140,0x0)"}));
}

TEST(SystemActions, PlaySoundBySoundType) {
    const struct {
        int soundType;
        Calls expected;
    } cases[] = {
        {0, {"MessageBeep(0x40)"}},
        {1, {"MessageBeep(0x30)"}},
        {2, {"MessageBeep(0x10)"}},
        {3, {"MessageBeep(0x20)"}},
        {4, {"MessageBeep(0x0)"}},
        {-1, {}},
        {5, {}},
        {99, {}},
    };
    for (const auto& c : cases) {
        RecordingWin win;
        ActPlaySound(win, c.soundType);
        EXPECT_EQ(win.calls, c.expected) << "SoundType " << c.soundType;
    }
}

// The same growth with the 32-bit and the 64-bit entry.
TEST(SystemActions, HangUpDialUp) {
    static_assert(RasConnSize(4) == 412 && RasConnSize(8) == 416, "the entry of each width");
    for (uint32_t e : {RasConnSize(4), RasConnSize(8)}) {
        auto en = [e](uint64_t entries) { return Enum(e, entries * e); };
        const struct {
            const char* name;
            std::vector<std::vector<uintptr_t>> activeByCall;
            uint32_t failure, reported;
            Calls expected;
        } cases[] = {
            {"none", {{}}, 0, 0, {en(1)}},
            {"one", {{0xA1}}, 0, 0, {en(1), "RasHangUpA(0xa1)"}},
            {"two", {{0xA1, 0xA2}}, 0, 0, {en(1), en(2), "RasHangUpA(0xa1)", "RasHangUpA(0xa2)"}},
            {"three",
             {{0xA1, 0xA2, 0xA3}},
             0,
             0,
             {en(1), en(3), "RasHangUpA(0xa1)", "RasHangUpA(0xa2)", "RasHangUpA(0xa3)"}},
            {"a third comes up meanwhile",
             {{1, 2}, {1, 2, 3}},
             0,
             0,
             {en(1), en(2), en(3), "RasHangUpA(0x1)", "RasHangUpA(0x2)", "RasHangUpA(0x3)"}},
            {"other error", {{1, 2}}, 632, 0, {en(1)}},
            // Grows to the bound of 256 entries once; another round would pass it.
            {"huge size reported", {{1, 2}}, 0, 0xFFFFFFF0u, {en(1), en(256)}},
            // A size that never grows still gains an entry a round, for a few rounds only.
            {"no growth reported", {{1, 2}}, 0, e, {en(1), en(2), en(3), en(4)}},
        };
        for (const auto& c : cases) {
            RecordingWin win;
            win.activeByCall = c.activeByCall;
            win.enumFailure = c.failure;
            win.reportedBytes = c.reported;
            ActHangUpDialUp(win, e);
            EXPECT_EQ(win.calls, c.expected) << c.name << ", " << e << "-byte entries";
        }
    }
}

TEST(SystemActions, MuteWaveAlsoSilencesTheEndpointFromVistaOn) {
    for (bool vista : {false, true}) {
        RecordingWin win;
        win.vista = vista;
        ActMuteWave(win);
        Calls expected = {"waveOutSetVolume(0x0,0x0)", "IsVistaOrLater()"};
        if (vista) expected.push_back("SetMasterVolumeToZero()");
        EXPECT_EQ(win.calls, expected) << "Vista " << vista;
    }
}

TEST(SystemActions, ShutDownPowersOffOnlyOnXp) {
    const struct {
        const char* version;
        bool tokenOpens;
        Calls tail;
    } cases[] = {
        {"XP", true, {"AdjustTokenPrivileges(0x77,0x0,0x1,0x13,0x2)", "ExitWindowsEx(0x8,0x0)", "CloseHandle(0x77)"}},
        {"2000", true, {"AdjustTokenPrivileges(0x77,0x0,0x1,0x13,0x2)", "ExitWindowsEx(0x1,0x0)", "CloseHandle(0x77)"}},
        {"NT4.0",
         true,
         {"AdjustTokenPrivileges(0x77,0x0,0x1,0x13,0x2)", "ExitWindowsEx(0x1,0x0)", "CloseHandle(0x77)"}},
        {"98", true, {"AdjustTokenPrivileges(0x77,0x0,0x1,0x13,0x2)", "ExitWindowsEx(0x1,0x0)", "CloseHandle(0x77)"}},
        {"", true, {"AdjustTokenPrivileges(0x77,0x0,0x1,0x13,0x2)", "ExitWindowsEx(0x1,0x0)", "CloseHandle(0x77)"}},
        {"xp", true, {"AdjustTokenPrivileges(0x77,0x0,0x1,0x13,0x2)", "ExitWindowsEx(0x1,0x0)", "CloseHandle(0x77)"}},
        {"XP ", true, {"AdjustTokenPrivileges(0x77,0x0,0x1,0x13,0x2)", "ExitWindowsEx(0x1,0x0)", "CloseHandle(0x77)"}},
        // Without a token (the 9x family) the shutdown is asked for all the same.
        {"98", false, {"AdjustTokenPrivileges(0x0,0x0,0x1,0x13,0x2)", "ExitWindowsEx(0x1,0x0)"}},
    };
    for (const auto& c : cases) {
        RecordingWin win;
        win.tokenOpens = c.tokenOpens;
        ActShutDown(win, c.version);
        Calls expected = {"GetCurrentProcess()", "OpenProcessToken(0xffffffff,0x28)",
                          "LookupPrivilegeValueA(null,\"SeShutdownPrivilege\")"};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(win.calls, expected) << "version \"" << c.version << "\"";
    }
}

TEST(SystemActions, RunProgramOpensTheWidePath) {
    const struct {
        std::string pathGbk;
        Calls expected;
    } cases[] = {
        {"C:\\\xD3\xCE\xCF\xB7\\a.exe", {"ShellExecuteOpen(\"C:\\游戏\\a.exe\",0x5)"}},
        {"notepad", {"ShellExecuteOpen(\"notepad\",0x5)"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        RecordingWin win;
        ActRunProgram(win, c.pathGbk);
        EXPECT_EQ(win.calls, c.expected);
    }
}

TEST(SystemActions, VolumeControlFallsBackToTheVistaProgram) {
    const Calls both = {"ShellExecuteOpen(\"SNDVOL32.EXE\",0x5)", "ShellExecuteOpen(\"SndVol.exe\",0x5)"};
    const Calls first = {both[0]};
    const struct {
        uintptr_t firstResult;
        Calls expected;
    } cases[] = {{42, first}, {33, first}, {32, both}, {2, both}};
    for (const auto& c : cases) {
        RecordingWin win;
        win.shellResults = {{u"SNDVOL32.EXE", c.firstResult}, {u"SndVol.exe", 2}};
        ActOpenVolumeControl(win);
        EXPECT_EQ(win.calls, c.expected) << "first result " << c.firstResult;
    }
}

}  // namespace

// The sound comes back as it was: the endpoint's level and mute from Vista
// on, on the endpoint they were read from, the wave volume before; without a
// device nothing is touched at all.
TEST(SystemActions, SoundSilencedAndGivenBack) {
    const SavedSound speakersOn = {SavedSound::kEndpointMute, 0, 600000, u"{speakers}"};
    const struct {
        bool vista, audio, muted;
        SavedSound saved;
        Calls silence, restore;
    } cases[] = {
        {true,
         true,
         false,
         speakersOn,
         {"SetEndpointMute(\"{speakers}\",0x1)"},
         {"SetEndpointLevel(\"{speakers}\",0x927c0)", "SetEndpointMute(\"{speakers}\",0x0)"}},
        {true,
         true,
         true,
         {SavedSound::kEndpointMute, 1, 600000, u"{speakers}"},
         {"SetEndpointMute(\"{speakers}\",0x1)"},
         {"SetEndpointLevel(\"{speakers}\",0x927c0)", "SetEndpointMute(\"{speakers}\",0x1)"}},
        {false,
         true,
         false,
         {SavedSound::kWaveVolume, 0x80008000},
         {"waveOutSetVolume(0x0,0x0)"},
         {"waveOutSetVolume(0x0,0x80008000)"}},
        {true, false, false, {}, {}, {}},
        {false, false, false, {}, {}, {}},
    };
    for (const auto& c : cases) {
        RecordingWin win;
        win.vista = c.vista, win.audio = c.audio, win.endpointMuted = c.muted;
        SavedSound saved = ActReadSound(win);
        EXPECT_EQ(saved, c.saved);
        win.calls.clear();
        ActSilence(win, saved);
        EXPECT_EQ(win.calls, c.silence);
        // The level the preset's own "volume to 0" left is put back too.
        win.endpointLevel = 0;
        win.calls.clear();
        ActRestoreSound(win, saved);
        EXPECT_EQ(win.calls, c.restore);
    }
}

// A device changed while the windows were hidden: the one read from gets
// its sound back if it is still there; the new default is never touched.
TEST(SystemActions, SoundGoesBackOnlyToTheEndpointItWasReadFrom) {
    RecordingWin win;
    win.vista = true;
    const SavedSound saved = ActReadSound(win);
    win.defaultEndpoint = win.pluggedEndpoint = u"{headset}";
    win.calls.clear();
    ActRestoreSound(win, saved);
    EXPECT_EQ(win.calls, Calls({"SetEndpointLevel(\"{speakers}\",0x927c0)"}));

    // A record of an older version knows neither the level nor the device.
    win.calls.clear();
    ActRestoreSound(win, {SavedSound::kEndpointMute, 0});
    EXPECT_EQ(win.calls, Calls({"SetEndpointMute(\"\",0x0)"}));
}
