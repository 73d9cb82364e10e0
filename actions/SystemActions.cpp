#include "actions/SystemActions.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/Codepage.h"

namespace {

constexpr uint32_t kShardPidl = 1;
constexpr uint32_t kSherbNoConfirmation = 1;

constexpr uint32_t kErrorBufferTooSmall = 603;
// Connections can come up between two enumerations, so a grown buffer may be
// short again; a few rounds settle it. The bound of entries keeps a bogus size
// reported by the system from turning into a huge allocation.
constexpr int kEnumAttempts = 4;
constexpr uint32_t kMaxEnumEntries = 256;

constexpr uint32_t kWmSysCommand = 0x0112;
constexpr uintptr_t kScScreenSave = 0xF140;

constexpr uint32_t kTokenAdjustPrivilegesQuery = 0x20 | 0x08;
constexpr uint32_t kSePrivilegeEnabled = 2;
constexpr uint32_t kEwxShutdown = 1;
constexpr uint32_t kEwxPowerOff = 8;

constexpr int kSwShow = 5;
constexpr uintptr_t kShellExecuteFailedMax = 32;

}  // namespace

void ActClearRecentDocs(WinCalls& win) { win.SHAddToRecentDocs(kShardPidl, nullptr); }

void ActEmptyRecycleBin(WinCalls& win) { win.SHEmptyRecycleBinA(0, nullptr, kSherbNoConfirmation); }

void ActHangUpDialUp(WinCalls& win, uint32_t entrySize) {
    const uint32_t maxBytes = kMaxEnumEntries * entrySize;
    uint32_t size = entrySize;
    uint32_t bytes = size;
    uint32_t count = 0;
    std::vector<uintptr_t> connections;
    uint32_t result = win.RasEnumConnectionsA(entrySize, bytes, count, connections);
    for (int attempt = 1; attempt < kEnumAttempts && result == kErrorBufferTooSmall; ++attempt) {
        // The size asked for, in whole entries, and never less than one
        // entry more than before, so that every round makes progress.
        uint32_t wanted = std::min(bytes, maxBytes);
        uint32_t grown = (wanted + entrySize - 1) / entrySize * entrySize;
        if (grown <= size) grown = size + entrySize;
        if (grown > maxBytes) return;
        size = grown;
        bytes = size;
        count = 0;
        connections.clear();
        result = win.RasEnumConnectionsA(entrySize, bytes, count, connections);
    }
    if (result != 0) return;
    size_t active = std::min<size_t>(count, connections.size());
    for (size_t i = 0; i < active; ++i) win.RasHangUpA(connections[i]);
}

void ActMuteWave(WinCalls& win) {
    win.waveOutSetVolume(0, 0);
    // From Vista on the wave volume is only this program's own audio session;
    // the endpoint's master volume is what the user hears.
    if (win.IsVistaOrLater()) win.SetMasterVolumeToZero();
}

void ActPlaySound(WinCalls& win, int soundType) {
    static constexpr uint32_t kBeepTypes[] = {0x40, 0x30, 0x10, 0x20, 0x00};
    if (soundType < 0 || soundType >= static_cast<int>(std::size(kBeepTypes))) return;
    win.MessageBeep(kBeepTypes[soundType]);
}

void ActScreenSaver(WinCalls& win, uintptr_t window) { win.SendMessageA(window, kWmSysCommand, kScScreenSave, 0); }

void ActShutDown(WinCalls& win, const std::string& windowsVersion) {
    // Every step runs whatever the one before returned: on the 9x family the
    // privilege calls fail and the shutdown request is made all the same.
    uintptr_t process = win.GetCurrentProcess();
    uintptr_t token = 0;
    bool opened = win.OpenProcessToken(process, kTokenAdjustPrivilegesQuery, token);
    uint64_t luid = 0;
    win.LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", luid);
    win.AdjustTokenPrivileges(token, false, 1, luid, kSePrivilegeEnabled);
    win.ExitWindowsEx(windowsVersion == "XP" ? kEwxPowerOff : kEwxShutdown, 0);
    if (opened) win.CloseHandle(token);
}

void ActRunProgram(WinCalls& win, const std::string& pathGbk) {
    // The shell opens a folder window for an empty file name on some systems.
    if (pathGbk.empty()) return;
    win.ShellExecuteOpen(GbkToWide(pathGbk), kSwShow);
}

void ActOpenVolumeControl(WinCalls& win) {
    // SNDVOL32.EXE is gone from Vista on; SndVol.exe took its place.
    if (win.ShellExecuteOpen(u"SNDVOL32.EXE", kSwShow) <= kShellExecuteFailedMax)
        win.ShellExecuteOpen(u"SndVol.exe", kSwShow);
}

void ActLockWorkStation(WinCalls& win) { win.LockWorkStation(); }

SavedSound ActReadSound(WinCalls& win) {
    SavedSound saved;
    if (win.IsVistaOrLater()) {
        // From Vista on the wave volume is only this program's own session.
        bool muted = false;
        uint32_t level = 0;
        std::u16string id;
        if (win.GetEndpointState(id, muted, level)) saved = {SavedSound::kEndpointMute, muted ? 1u : 0u, level, id};
    } else {
        uint32_t volume = 0;
        if (win.waveOutGetVolume(0, volume) == 0) saved = {SavedSound::kWaveVolume, volume};
    }
    return saved;
}

void ActSilence(WinCalls& win, const SavedSound& saved) {
    if (saved.kind == SavedSound::kEndpointMute) win.SetEndpointMute(saved.device, true);
    if (saved.kind == SavedSound::kWaveVolume) win.waveOutSetVolume(0, 0);
}

// The level goes back before the mute comes off, so that nothing is heard
// at a level the user did not choose. An endpoint that is gone gets nothing,
// and neither does the one that took its place.
void ActRestoreSound(WinCalls& win, const SavedSound& saved) {
    if (saved.kind == SavedSound::kEndpointMute) {
        if (saved.level != SavedSound::kLevelUnknown && !win.SetEndpointLevel(saved.device, saved.level)) return;
        win.SetEndpointMute(saved.device, saved.value != 0);
    }
    if (saved.kind == SavedSound::kWaveVolume) win.waveOutSetVolume(0, saved.value);
}
