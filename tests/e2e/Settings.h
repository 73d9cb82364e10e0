#pragma once
// Settings files for the end-to-end cases, made with the program's own codec.
#include <string>

#include "settings/EdgeFlags.h"
#include "settings/PresetText.h"
#include "settings/SettingRecord.h"
#include "settings/SettingsCodec.h"

// Default settings as a new control bar has them.
inline BombSettings DefaultSettings() { return BombSettings(0); }

// Defaults with setting number 1's Sensitivity set.
inline BombSettings WithSensitivity(int sensitivity) {
    BombSettings s = DefaultSettings();
    s.Records[0].Sensitivity = std::to_string(sensitivity);
    return s;
}

// Sets one preset value of record n.
inline void SetPreset(BombSettings& s, int n, Preset::Position position, int32_t value) {
    PresetValues v{};
    ParsePresetString(s.Records[n].PresetString, v);
    v[position] = value;
    s.Records[n].PresetString = FormatPresetString(v);
}

inline std::string SettingsBytes(const BombSettings& s) { return FormatSettingsFile(s); }
