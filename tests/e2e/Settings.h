#pragma once
// Settings files for the end-to-end cases, made with the program's own codec.
#include <string>

#include "base/Codepage.h"
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

// A text as the file stores it, in code page 936, and back.
inline std::string Gbk(const std::wstring& w) {
    std::string out;
    WideToGbk(std::u16string(w.begin(), w.end()), out);
    return out;
}
inline std::wstring Wide(const std::string& gbk) {
    std::u16string w = GbkToWide(gbk);
    return std::wstring(w.begin(), w.end());
}
