#include "settings/PresetText.h"

#include "settings/DecimalText.h"

namespace {

// The switch that receives each PresetString position.
#define VEXAL_PRESET_MEMBER(name) &PresetSwitches::name,
constexpr int32_t PresetSwitches::*kSwitchAt[Preset::Count] = {VEXAL_PRESET_SWITCHES(VEXAL_PRESET_MEMBER)};
#undef VEXAL_PRESET_MEMBER

PresetValues ValuesOf(const PresetSwitches& switches) {
    PresetValues values;
    for (int i = 0; i < Preset::Count; ++i) values[i] = switches.*kSwitchAt[i];
    return values;
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
        if (!ReadDecimal(text, pos, values[read])) break;
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
