#include "settings/ExtraSettings.h"

const char kExtraSection[] = "Extra";

namespace {

constexpr char kHotkeyKey[] = "Hotkey";
constexpr char kAlsoHideKey[] = "AlsoHide";
constexpr char kPasswordKey[] = "Password";

// The numbers VEXAL.ini holds: digits only, in their range, else the default.
struct Number {
    const char* key;
    int32_t ExtraSettings::*member;
    int32_t low, high;  // besides 0 where 0 switches it off
    bool zeroAllowed;
};
constexpr Number kNumbers[] = {
    {"IdleSeconds", &ExtraSettings::IdleSeconds, 10, 86400, true},
    {"IdleWarningSeconds", &ExtraSettings::IdleWarningSeconds, 0, 60, true},
};

bool ReadNumber(const std::string& text, const Number& n, int32_t& value) {
    if (text.empty() || text.size() > 9) return false;
    int32_t read = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        read = read * 10 + (c - '0');
    }
    if (!(read == 0 && n.zeroAllowed) && (read < n.low || read > n.high)) return false;
    value = read;
    return true;
}

struct Switch {
    const char* key;
    bool ExtraSettings::*member;
};
// In the order they are added to a new section.
constexpr Switch kSwitches[] = {
    {"HideInsteadOfClose", &ExtraSettings::HideInsteadOfClose},
    {"MuteWhileHidden", &ExtraSettings::MuteWhileHidden},
    {"LockAfterDetonation", &ExtraSettings::LockAfterDetonation},
    {"TrayWhileArmed", &ExtraSettings::TrayWhileArmed},
};

}  // namespace

bool ExtraSettings::operator==(const ExtraSettings& other) const {
    return Hotkey == other.Hotkey && HideInsteadOfClose == other.HideInsteadOfClose &&
           MuteWhileHidden == other.MuteWhileHidden && LockAfterDetonation == other.LockAfterDetonation &&
           TrayWhileArmed == other.TrayWhileArmed && AlsoHide == other.AlsoHide && IdleSeconds == other.IdleSeconds &&
           IdleWarningSeconds == other.IdleWarningSeconds && Password == other.Password;
}

std::optional<IniText> ParseExtraSettingsText(std::string_view bytes) {
    if (bytes.size() > kExtraSettingsMaxBytes) return std::nullopt;
    return IniText::Parse(bytes);
}

ExtraSettings ReadExtraSettings(const IniText& text) {
    ExtraSettings settings;
    if (std::optional<std::string> hotkey = text.Get(kExtraSection, kHotkeyKey))
        ParseHotkey(*hotkey, settings.Hotkey);  // unreadable text leaves no hotkey
    // Off is the default, so anything but "1" reads as off.
    for (const Switch& s : kSwitches) settings.*s.member = text.Get(kExtraSection, s.key) == "1";
    settings.AlsoHide = text.Get(kExtraSection, kAlsoHideKey).value_or("");
    // Kept as written, so that a line that cannot be read still asks.
    settings.Password = text.Get(kExtraSection, kPasswordKey).value_or("");
    for (const Number& n : kNumbers)
        if (std::optional<std::string> value = text.Get(kExtraSection, n.key))
            ReadNumber(*value, n, settings.*n.member);
    return settings;
}

void WriteExtraSettings(const ExtraSettings& settings, IniText& text) {
    text.Set(kExtraSection, kHotkeyKey, FormatHotkey(settings.Hotkey));
    for (const Switch& s : kSwitches) text.Set(kExtraSection, s.key, settings.*s.member ? "1" : "0");
    // A file that never had a list gets none: it stays as earlier versions wrote it.
    if (!settings.AlsoHide.empty() || text.Get(kExtraSection, kAlsoHideKey))
        text.Set(kExtraSection, kAlsoHideKey, settings.AlsoHide);
    if (!settings.Password.empty() || text.Get(kExtraSection, kPasswordKey))
        text.Set(kExtraSection, kPasswordKey, settings.Password);
    const ExtraSettings defaults;
    for (const Number& n : kNumbers)
        if (settings.*n.member != defaults.*n.member || text.Get(kExtraSection, n.key))
            text.Set(kExtraSection, n.key, std::to_string(settings.*n.member));
}
