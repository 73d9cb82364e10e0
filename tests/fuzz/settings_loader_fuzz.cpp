// Feeds arbitrary bytes to the settings file reader. Settings that load must
// write out bytes that load back to the very same settings and bytes.
#include <cstdint>
#include <cstdlib>

#include "settings/SettingsCodec.h"

namespace {

bool Same(const SettingRecord& a, const SettingRecord& b) {
    return a.PresetString == b.PresetString && a.Sensitivity == b.Sensitivity && a.DetonationTime == b.DetonationTime &&
           a.StartupProgram == b.StartupProgram && a.FinalProgram == b.FinalProgram &&
           a.FinalMessage == b.FinalMessage && a.IconIndex == b.IconIndex && a.EdgeFlags == b.EdgeFlags &&
           a.Reserved == b.Reserved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BombSettings first(0);
    ParseResult result = ParseSettingsFile(data, size, first);
    if (first.CurrentSetting < 0 || first.CurrentSetting >= kSettingNumbers) std::abort();
    first.ApplySetting(first.CurrentSetting);  // what the control bar does even after a broken file
    if (result != ParseResult::Loaded) return 0;

    const std::string bytes = FormatSettingsFile(first);
    BombSettings second(1);  // other defaults, so nothing unread can pass for read
    if (ParseSettingsFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), second) != ParseResult::Loaded)
        std::abort();
    if (second.CurrentSetting != first.CurrentSetting) std::abort();
    for (int i = 0; i < kRecordCount; ++i)
        if (!Same(first.Records[i], second.Records[i])) std::abort();
    if (FormatSettingsFile(second) != bytes) std::abort();
    return 0;
}
