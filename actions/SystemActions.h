#pragma once
// The system actions: short call sequences into Windows, run on request by
// the detonation sequence and the settings dialog. None reports a failure or
// keeps state between calls; only ActReadSound returns what it read.
#include <cstdint>
#include <string>

#include "actions/WinCalls.h"

void ActClearRecentDocs(WinCalls& win);
void ActEmptyRecycleBin(WinCalls& win);
// The size of the RASCONNA entry without phone-book and sub-entry fields, as
// remote access lays it out (4-byte packing) in a program whose pointers are
// `pointerBytes` wide: 412 bytes in a 32-bit program, 416 in a 64-bit one.
constexpr uint32_t RasConnSize(uint32_t pointerBytes) { return (4 + pointerBytes + 257 + 17 + 129 + 3) / 4 * 4; }
// Hangs up every active dial-up connection, enumerating entries of
// `entrySize` bytes: the layout of this program's own width unless a test
// asks for the other.
void ActHangUpDialUp(WinCalls& win, uint32_t entrySize = RasConnSize(sizeof(void*)));
// Silences wave output device 0 and, from Vista on, the default playback endpoint.
void ActMuteWave(WinCalls& win);
// soundType 0 to 4 picks a system sound; any other value plays nothing.
void ActPlaySound(WinCalls& win, int soundType);
void ActScreenSaver(WinCalls& win, uintptr_t window);
// windowsVersion is the short version name; "XP" asks for power-off.
void ActShutDown(WinCalls& win, const std::string& windowsVersion);
// pathGbk is a code page 936 path; an empty path starts nothing.
void ActRunProgram(WinCalls& win, const std::string& pathGbk);
void ActOpenVolumeControl(WinCalls& win);
void ActLockWorkStation(WinCalls& win);

// The sound as it was before anything of a detonation touched it, to be
// given back exactly: from Vista on the playback endpoint's mute and master
// level, on the endpoint it was read from; before that the wave volume.
struct SavedSound {
    enum Kind : int32_t { kNothing, kEndpointMute, kWaveVolume };
    static constexpr uint32_t kLevelUnknown = UINT32_MAX;
    Kind kind = kNothing;  // kNothing: no audio device, nothing to do
    uint32_t value = 0;    // the mute (0 or 1) or the volume as waveOutGetVolume gives it
    // kEndpointMute: the master level in millionths of full scale, or
    // kLevelUnknown (a record of an older version), when it is left alone.
    uint32_t level = kLevelUnknown;
    // kEndpointMute: the endpoint's id (UTF-16), or empty for the default
    // endpoint (a record of an older version).
    std::u16string device{};
    bool operator==(const SavedSound& o) const {
        return kind == o.kind && value == o.value && level == o.level && device == o.device;
    }
};
SavedSound ActReadSound(WinCalls& win);
// Silences what `saved` describes; nothing for kNothing.
void ActSilence(WinCalls& win, const SavedSound& saved);
void ActRestoreSound(WinCalls& win, const SavedSound& saved);
