#pragma once
// The hotkey as VEXAL.ini spells it, e.g. "Ctrl+Alt+B".
#include <cstdint>
#include <string>
#include <string_view>

// Modifier bits as RegisterHotKey takes them.
enum HotkeyModifier : uint32_t { kModAlt = 1, kModCtrl = 2, kModShift = 4, kModWin = 8 };

struct Hotkey {
    uint32_t modifiers = 0;  // HotkeyModifier bits
    uint32_t key = 0;        // Windows virtual-key code; 0: no hotkey
    bool operator==(const Hotkey& other) const { return modifiers == other.modifiers && key == other.key; }
    bool operator!=(const Hotkey& other) const { return !(*this == other); }
};

// Empty text (or only spaces) is no hotkey and reads fine. Returns false, leaving `out` unchanged, for anything
// unreadable: unknown names, a modifier given twice, no key, two keys, a modifier alone, empty parts ("Ctrl++B").
// Spaces around the parts are allowed ("Ctrl + B"). Names ignore case; the key comes last ("B+Ctrl" is refused).
// A key people type with no modifier ("B", "Space") is unreadable too.
bool ParseHotkey(std::string_view text, Hotkey& out);

// "Ctrl+Alt+Shift+Win+F12" order; "" for no hotkey. A key code the text cannot name gives "". Modifier bits other
// than the four are not written.
std::string FormatHotkey(const Hotkey& hotkey);

// True when FormatHotkey can name this key code (for the dialog, which must refuse other keys).
bool IsNameableKey(uint32_t key);

// A key people type (a letter, a digit, Space, Enter, Tab, Backspace, the punctuation keys) with no modifier or
// with Shift alone, which types capitals and signs: taken as the hotkey, it would never reach any program again
// while the user types. F-keys, Pause, the cursor
// block and the number pad may stand alone.
bool IsTypingKeyAlone(const Hotkey& hotkey);
