// Feeds arbitrary bytes to VEXAL.ini's reader and writer. Untouched text must format back to the same bytes;
// settings written must read back; every line that was not a key line of [Extra] must survive the write, in order.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ExtraSettings.h"

namespace {

// The lines of `bytes` without their line ends and without a leading BOM, each marked when it is a key line of the
// first [Extra] section. Kept apart from IniText's own reading so the two check each other.
struct PlainLine {
    std::string_view text;
    bool extraKey;
};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool IsExtra(std::string_view name) {
    const std::string_view extra = "extra";
    if (name.size() != extra.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if ((name[i] | 0x20) != extra[i]) return false;
    return true;
}

std::vector<PlainLine> PlainLines(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::vector<PlainLine> lines;
    enum { Before, Inside, After } extra = Before;
    for (size_t start = 0; start <= bytes.size();) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view text = bytes.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        start = end + 1;

        const std::string_view trimmed = Trim(text);
        const size_t close = trimmed.find(']');
        const size_t equals = trimmed.find('=');
        if (!trimmed.empty() && trimmed[0] == '[' && close != std::string_view::npos) {
            const bool named = IsExtra(Trim(trimmed.substr(1, close - 1)));
            extra = extra == Before && named ? Inside : extra == Inside ? After : extra;
            lines.push_back({text, false});
        } else {
            const bool keyLine = !trimmed.empty() && trimmed[0] != ';' && equals != std::string_view::npos &&
                                 !Trim(trimmed.substr(0, equals)).empty();
            lines.push_back({text, extra == Inside && keyLine});
        }
    }
    return lines;
}

// Settings unlike those read, so the write has something to change.
ExtraSettings Derived(const uint8_t* data, size_t size, ExtraSettings settings) {
    const uint8_t bits = size > 0 ? data[0] : 0;
    const uint32_t key = size > 1 ? data[size - 1] : 0;
    const Hotkey hotkey{bits & 0x0Fu, key};
    settings.Hotkey = IsNameableKey(key) && !IsTypingKeyAlone(hotkey) ? hotkey : Hotkey{};
    settings.HideInsteadOfClose ^= (bits & 0x10) != 0;
    settings.MuteWhileHidden ^= (bits & 0x20) != 0;
    settings.LockAfterDetonation ^= (bits & 0x40) != 0;
    settings.TrayWhileArmed ^= (bits & 0x80) != 0;
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    IniText text = IniText::Parse(input);
    if (text.Format() != input) std::abort();

    const ExtraSettings settings = Derived(data, size, ReadExtraSettings(text));
    WriteExtraSettings(settings, text);
    const std::string written = text.Format();
    IniText again = IniText::Parse(written);
    if (ReadExtraSettings(again) != settings) std::abort();
    WriteExtraSettings(settings, again);  // a second save of the same settings changes nothing
    if (again.Format() != written) std::abort();

    const std::vector<PlainLine> after = PlainLines(written);
    size_t next = 0;
    for (const PlainLine& line : PlainLines(input)) {
        if (line.extraKey) continue;
        while (next < after.size() && after[next].text != line.text) ++next;
        if (next == after.size()) std::abort();
        ++next;
    }
    return 0;
}
