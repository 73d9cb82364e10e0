#include "trigger/HiddenStateText.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "settings/IniText.h"

namespace {

const char kSection[] = "Hidden";

// Two unsigned numbers "a,b" in any base strtoull reads (0x for hex).
bool ReadPair(const std::string& text, uint64_t& a, uint64_t& b) {
    const char* p = text.c_str();
    char* end = nullptr;
    a = std::strtoull(p, &end, 0);
    if (end == p || *end != ',') return false;
    p = end + 1;
    b = std::strtoull(p, &end, 0);
    return end != p && *end == '\0';
}

}  // namespace

std::string FormatHiddenState(const HiddenState& state) {
    char line[64];
    std::snprintf(line, sizeof line, "Sound=%d,%" PRIu32 "\r\n", static_cast<int>(state.sound.kind), state.sound.value);
    std::string text = "; VEXAL: the windows it has hidden, brought back at its next start.\r\n[Hidden]\r\n";
    text += line;
    for (const HiddenWindow& w : state.windows) {
        std::snprintf(line, sizeof line, "Window=0x%" PRIxPTR ",%" PRIu32 "\r\n", w.window, w.process);
        text += line;
    }
    return text;
}

HiddenState ParseHiddenState(std::string_view bytes) {
    const IniText text = IniText::Parse(bytes);
    HiddenState state;
    uint64_t a = 0, b = 0;
    if (auto sound = text.Get(kSection, "Sound");
        sound && ReadPair(*sound, a, b) && a <= SavedSound::kWaveVolume && b <= UINT32_MAX)
        state.sound = {static_cast<SavedSound::Kind>(a), static_cast<uint32_t>(b)};
    for (const std::string& line : text.GetAll(kSection, "Window"))
        if (ReadPair(line, a, b) && a != 0 && a <= UINTPTR_MAX && b != 0 && b <= UINT32_MAX)
            state.windows.push_back({static_cast<WindowId>(a), static_cast<uint32_t>(b)});
    return state;
}
