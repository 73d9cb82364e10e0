#include "settings/HotkeyText.h"

#include <vector>

#include "settings/AsciiText.h"

namespace {

struct Modifier {
    const char* name;
    uint32_t bit;
};
// In the order they are written.
constexpr Modifier kModifiers[] = {{"Ctrl", kModCtrl}, {"Alt", kModAlt}, {"Shift", kModShift}, {"Win", kModWin}};

struct NamedKey {
    std::string name;
    uint32_t code;
};

const std::vector<NamedKey>& NamedKeys() {
    static const std::vector<NamedKey> keys = [] {
        std::vector<NamedKey> all = {{"Pause", 0x13}, {"Space", 0x20}, {"PageUp", 0x21}, {"PageDown", 0x22},
                                     {"End", 0x23},   {"Home", 0x24},  {"Left", 0x25},   {"Up", 0x26},
                                     {"Right", 0x27}, {"Down", 0x28},  {"Insert", 0x2D}, {"Delete", 0x2E}};
        // Letters and digits are their own key codes; the numbered keys run on in code order.
        for (char c = 'A'; c <= 'Z'; ++c) all.push_back({std::string(1, c), static_cast<uint32_t>(c)});
        for (char c = '0'; c <= '9'; ++c) all.push_back({std::string(1, c), static_cast<uint32_t>(c)});
        for (uint32_t n = 1; n <= 24; ++n) all.push_back({"F" + std::to_string(n), 0x6F + n});
        for (uint32_t n = 0; n <= 9; ++n) all.push_back({"NumPad" + std::to_string(n), 0x60 + n});
        return all;
    }();
    return keys;
}

const NamedKey* KeyNamed(std::string_view name) {
    for (const NamedKey& key : NamedKeys())
        if (EqualsIgnoringCase(key.name, name)) return &key;
    return nullptr;
}

const NamedKey* KeyWithCode(uint32_t code) {
    for (const NamedKey& key : NamedKeys())
        if (key.code == code) return &key;
    return nullptr;
}

uint32_t ModifierNamed(std::string_view name) {
    for (const Modifier& modifier : kModifiers)
        if (EqualsIgnoringCase(modifier.name, name)) return modifier.bit;
    return 0;
}

}  // namespace

bool ParseHotkey(std::string_view text, Hotkey& out) {
    if (TrimBlanks(text).empty()) {
        out = Hotkey{};
        return true;
    }
    const size_t lastPlus = text.rfind('+');
    const size_t keyStart = lastPlus == std::string_view::npos ? 0 : lastPlus + 1;
    const NamedKey* key = KeyNamed(TrimBlanks(text.substr(keyStart)));
    if (!key) return false;

    Hotkey read{0, key->code};
    for (size_t start = 0; start < keyStart;) {
        const size_t plus = text.find('+', start);
        const uint32_t bit = ModifierNamed(TrimBlanks(text.substr(start, plus - start)));
        if (bit == 0 || (read.modifiers & bit)) return false;
        read.modifiers |= bit;
        start = plus + 1;
    }
    if (IsTypingKeyAlone(read)) return false;
    out = read;
    return true;
}

std::string FormatHotkey(const Hotkey& hotkey) {
    const NamedKey* key = KeyWithCode(hotkey.key);
    if (!key) return "";
    std::string text;
    for (const Modifier& modifier : kModifiers)
        if (hotkey.modifiers & modifier.bit) text += std::string(modifier.name) + "+";
    return text + key->name;
}

bool IsNameableKey(uint32_t key) { return KeyWithCode(key) != nullptr; }

bool IsTypingKeyAlone(const Hotkey& hotkey) {
    const uint32_t k = hotkey.key;
    const bool typed = k == 0x08 || k == 0x09 || k == 0x0D || k == 0x20 || (k >= '0' && k <= '9') ||
                       (k >= 'A' && k <= 'Z') || (k >= 0xBA && k <= 0xC0) || (k >= 0xDB && k <= 0xDF) || k == 0xE2;
    return typed && (hotkey.modifiers & ~uint32_t{kModShift}) == 0;
}
