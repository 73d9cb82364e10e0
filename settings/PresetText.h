#pragma once
// The texts inside a setting record: the thirteen-number PresetString, the
// decimal texts Sensitivity and IconIndex, the four-character EdgeFlags, and
// the picture numbering shared by the control bar and the settings dialog.
#include <array>
#include <cstdint>
#include <string>

// Positions in PresetString, zero-based; the active field of the same name
// receives the number at that position.
namespace Preset {
enum Position : int {
    LaunchAtStart,
    NotTopmost,
    ClearRecentDocs,
    EmptyRecycleBin,
    HideSelf,
    MinimizeTarget,
    HangUpDialUp,
    NoDetonation,
    FinalAction,
    MuteWave,
    PlaySound,
    SoundType,
    TimerEnabled,
    Count
};
}  // namespace Preset
using PresetValues = std::array<int32_t, Preset::Count>;

// The thirteen values of a PresetString by name, as the active settings and
// the settings dialog's fields hold them.
struct PresetSwitches {
    int32_t LaunchAtStart = 0;
    int32_t NotTopmost = 0;
    int32_t ClearRecentDocs = 0;
    int32_t EmptyRecycleBin = 0;
    int32_t HideSelf = 0;
    int32_t MinimizeTarget = 0;
    int32_t HangUpDialUp = 0;
    int32_t NoDetonation = 0;
    int32_t FinalAction = 0;
    int32_t MuteWave = 0;
    int32_t PlaySound = 0;
    int32_t SoundType = 0;
    int32_t TimerEnabled = 0;
};

// Reads the numbers of `text` into the switches as ParsePresetString does:
// positions the text holds no number for keep their value.
void ReadPresetSwitches(const std::string& text, PresetSwitches& switches);
std::string FormatPresetSwitches(const PresetSwitches& switches);

// Reads up to thirteen numbers from the start of `text` into `values`, in
// order; each may have leading white space and a sign, and they are separated
// by single commas. Reading stops at the first mismatch; positions without a
// number keep their value. Returns how many numbers were read.
int ParsePresetString(const std::string& text, PresetValues& values);

// The thirteen numbers as "%d,%d,...,%d".
std::string FormatPresetString(const PresetValues& values);

// The PresetString of a new record: thirteen zeros.
std::string DefaultPresetString();

// Leading white space, an optional sign, then the longest digit run; no
// digits gives 0. Values beyond the 32-bit range saturate at its ends.
int32_t DecimalTextToInt(const std::string& text);

// The pictures the armed bomb can show, numbered 0 to 13.
constexpr int kPictureCount = 14;

// Icon resource of picture k: 0 -> 132, 1 -> 133, 2..12 -> 141 + k, else 154.
int PictureResource(int32_t k);
// The same for an IconIndex text.
int PictureResourceOf(const std::string& iconIndex);

// EdgeFlags character positions.
namespace Edge {
enum Position : int { Top, Bottom, Left, Right, Count };
}  // namespace Edge

// True when character i of `flags` is '1'; a missing character is off.
bool EdgeOn(const std::string& flags, int i);

// Four characters for top, bottom, left and right: '1' where the field is
// exactly 1, else '0'.
std::string FormatEdgeFlags(int32_t top, int32_t bottom, int32_t left, int32_t right);

// A record's EdgeFlags as the settings dialog recalls it: anything but
// exactly four characters becomes "0000".
std::string RecalledEdgeFlags(const std::string& flags);
