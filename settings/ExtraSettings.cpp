#include "settings/ExtraSettings.h"

const char kExtraSection[] = "Extra";

namespace {

constexpr char kHotkeyKey[] = "Hotkey";
constexpr char kAlsoHideKey[] = "AlsoHide";

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
           TrayWhileArmed == other.TrayWhileArmed && AlsoHide == other.AlsoHide;
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
    return settings;
}

void WriteExtraSettings(const ExtraSettings& settings, IniText& text) {
    text.Set(kExtraSection, kHotkeyKey, FormatHotkey(settings.Hotkey));
    for (const Switch& s : kSwitches) text.Set(kExtraSection, s.key, settings.*s.member ? "1" : "0");
    // A file that never had a list gets none: it stays as earlier versions wrote it.
    if (!settings.AlsoHide.empty() || text.Get(kExtraSection, kAlsoHideKey))
        text.Set(kExtraSection, kAlsoHideKey, settings.AlsoHide);
}
