#pragma once
// The [Extra] section of VEXAL.ini, the file beside the program a person may edit.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "settings/HotkeyText.h"
#include "settings/IniText.h"

// What VEXAL does beyond its six setting numbers, kept in VEXAL.ini. All off by default.
struct ExtraSettings {
    ::Hotkey Hotkey;
    bool HideInsteadOfClose = false;
    bool MuteWhileHidden = false;
    bool LockAfterDetonation = false;
    bool TrayWhileArmed = false;
    // The programs hidden along with the window in front, as written
    // (UTF-8, names apart by ';'); read with ParseProgramList.
    std::string AlsoHide;
    // The idle trigger: seconds without input before the warning (0: off,
    // else 10 to 86400), and the warning's seconds (0 to 60; 0: no warning).
    int32_t IdleSeconds = 0;
    int32_t IdleWarningSeconds = 10;
    // The password's verifier as written (PasswordVerifier.h); empty: none.
    std::string Password;
    bool operator==(const ExtraSettings& other) const;
    bool operator!=(const ExtraSettings& other) const { return !(*this == other); }
};

extern const char kExtraSection[];  // "Extra"

// A VEXAL.ini larger than this is neither read nor rewritten: a hand-edited one
// is a few hundred bytes, and a huge one would cost its size in time and memory
// at every start.
constexpr size_t kExtraSettingsMaxBytes = 64 * 1024;

// The text of VEXAL.ini, or none for one larger than kExtraSettingsMaxBytes.
std::optional<IniText> ParseExtraSettingsText(std::string_view bytes);

// Each key alone falls back to its default when missing or unreadable. A switch reads "0" or "1" (after trimming)
// only.
ExtraSettings ReadExtraSettings(const IniText& text);

// Writes every key into [Extra] (Hotkey= empty for none; AlsoHide, the idle numbers and Password only where they
// differ from their defaults or were there already), keeping every other line.
void WriteExtraSettings(const ExtraSettings& settings, IniText& text);
