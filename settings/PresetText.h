#pragma once
// The thirteen-number PresetString inside a setting record and the switches
// it holds.
#include <array>
#include <cstdint>
#include <string>

// The thirteen switches of a PresetString in their order there: the one
// list from which their positions, their fields and the table between the
// two are made, so that the three cannot disagree.
// clang-format off
#define VEXAL_PRESET_SWITCHES(X) \
    X(LaunchAtStart) \
    X(NotTopmost) \
    X(ClearRecentDocs) \
    X(EmptyRecycleBin) \
    X(HideSelf) \
    X(MinimizeTarget) \
    X(HangUpDialUp) \
    X(NoDetonation) \
    X(FinalAction) \
    X(MuteWave) \
    X(PlaySound) \
    X(SoundType) \
    X(TimerEnabled)
// clang-format on

// Positions in PresetString, zero-based; the active field of the same name
// receives the number at that position.
namespace Preset {
#define VEXAL_PRESET_POSITION(name) name,
enum Position : int { VEXAL_PRESET_SWITCHES(VEXAL_PRESET_POSITION) Count };
#undef VEXAL_PRESET_POSITION
}  // namespace Preset
using PresetValues = std::array<int32_t, Preset::Count>;

// The thirteen values of a PresetString by name, as the active settings and
// the settings dialog's fields hold them.
struct PresetSwitches {
#define VEXAL_PRESET_FIELD(name) int32_t name = 0;
    VEXAL_PRESET_SWITCHES(VEXAL_PRESET_FIELD)
#undef VEXAL_PRESET_FIELD
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
