#pragma once
// The [Extra] section of VEXAL.ini, the file beside the program a person may edit.
#include "settings/HotkeyText.h"
#include "settings/IniText.h"

// What VEXAL does beyond its six setting numbers, kept in VEXAL.ini. All off by default.
struct ExtraSettings {
    ::Hotkey Hotkey;
    bool HideInsteadOfClose = false;
    bool MuteWhileHidden = false;
    bool LockAfterDetonation = false;
    bool TrayWhileArmed = false;
    bool operator==(const ExtraSettings& other) const;
    bool operator!=(const ExtraSettings& other) const { return !(*this == other); }
};

extern const char kExtraSection[];  // "Extra"

// Each key alone falls back to its default when missing or unreadable. A switch reads "0" or "1" (after trimming)
// only.
ExtraSettings ReadExtraSettings(const IniText& text);

// Writes all five keys into [Extra] (Hotkey= empty for none), keeping every other line.
void WriteExtraSettings(const ExtraSettings& settings, IniText& text);
