#include "settings/PresetText.h"

#include <initializer_list>

namespace {

// The switch that receives each PresetString position.
constexpr int32_t PresetSwitches::*kSwitchAt[Preset::Count] = {
    &PresetSwitches::LaunchAtStart,   &PresetSwitches::NotTopmost,   &PresetSwitches::ClearRecentDocs,
    &PresetSwitches::EmptyRecycleBin, &PresetSwitches::HideSelf,     &PresetSwitches::MinimizeTarget,
    &PresetSwitches::HangUpDialUp,    &PresetSwitches::NoDetonation, &PresetSwitches::FinalAction,
    &PresetSwitches::MuteWave,        &PresetSwitches::PlaySound,    &PresetSwitches::SoundType,
    &PresetSwitches::TimerEnabled,
};

PresetValues ValuesOf(const PresetSwitches& switches) {
    PresetValues values;
    for (int i = 0; i < Preset::Count; ++i) values[i] = switches.*kSwitchAt[i];
    return values;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads white space, an optional sign and a digit run starting at `pos`.
// Returns false, leaving `pos`, when there is no digit. The magnitude stops
// growing just past the 32-bit range, so any digit run is safe and the
// result saturates.
bool ReadNumber(const std::string& text, size_t& pos, int32_t& value) {
    size_t i = pos;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i])) return false;
    constexpr int64_t kCap = int64_t{INT32_MAX} + 2;
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        if (magnitude < kCap) magnitude = magnitude * 10 + (text[i] - '0');
    int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX) signedValue = INT32_MAX;
    if (signedValue < INT32_MIN) signedValue = INT32_MIN;
    value = static_cast<int32_t>(signedValue);
    pos = i;
    return true;
}

}  // namespace

int ParsePresetString(const std::string& text, PresetValues& values) {
    size_t pos = 0;
    int read = 0;
    for (; read < Preset::Count; ++read) {
        if (read > 0) {
            if (pos >= text.size() || text[pos] != ',') break;
            ++pos;
        }
        if (!ReadNumber(text, pos, values[read])) break;
    }
    return read;
}

std::string FormatPresetString(const PresetValues& values) {
    std::string text;
    for (int i = 0; i < Preset::Count; ++i) {
        if (i > 0) text += ',';
        text += std::to_string(values[i]);
    }
    return text;
}

void ReadPresetSwitches(const std::string& text, PresetSwitches& switches) {
    PresetValues values = ValuesOf(switches);
    ParsePresetString(text, values);
    for (int i = 0; i < Preset::Count; ++i) switches.*kSwitchAt[i] = values[i];
}

std::string FormatPresetSwitches(const PresetSwitches& switches) { return FormatPresetString(ValuesOf(switches)); }

std::string DefaultPresetString() { return FormatPresetString(PresetValues{}); }

int32_t DecimalTextToInt(const std::string& text) {
    size_t pos = 0;
    int32_t value = 0;
    return ReadNumber(text, pos, value) ? value : 0;
}

int PictureResource(int32_t k) {
    if (k == 0) return 132;
    if (k == 1) return 133;
    if (k >= 2 && k <= 12) return 141 + k;
    return 154;
}

int PictureResourceOf(const std::string& iconIndex) {
    return PictureResource(DecimalTextToInt(iconIndex));
}

bool EdgeOn(const std::string& flags, int i) {
    return i >= 0 && static_cast<size_t>(i) < flags.size() && flags[i] == '1';
}

std::string FormatEdgeFlags(int32_t top, int32_t bottom, int32_t left, int32_t right) {
    std::string flags;
    for (int32_t field : {top, bottom, left, right}) flags += field == 1 ? '1' : '0';
    return flags;
}

std::string RecalledEdgeFlags(const std::string& flags) {
    return flags.size() == Edge::Count ? flags : std::string(Edge::Count, '0');
}
