#include "settings/SettingRecord.h"

#include "settings/PresetText.h"

namespace {

// "设置动作已全部完成" in code page 936.
const char kDefaultFinalMessage[] =
    "\xc9\xe8\xd6\xc3\xb6\xaf\xd7\xf7\xd2\xd1\xc8\xab\xb2\xbf\xcd\xea\xb3\xc9";

// The active field that receives each PresetString position.
constexpr int32_t ActiveSettings::*kPresetFields[Preset::Count] = {
    &ActiveSettings::LaunchAtStart,  &ActiveSettings::NotTopmost,   &ActiveSettings::ClearRecentDocs,
    &ActiveSettings::EmptyRecycleBin, &ActiveSettings::HideSelf,    &ActiveSettings::MinimizeTarget,
    &ActiveSettings::HangUpDialUp,   &ActiveSettings::NoDetonation, &ActiveSettings::FinalAction,
    &ActiveSettings::MuteWave,       &ActiveSettings::PlaySound,    &ActiveSettings::SoundType,
    &ActiveSettings::TimerEnabled,
};

// 28 Gregorian years without a skipped leap day: 10227 days, a whole number
// of weeks, so date, weekday and time of day repeat.
constexpr int64_t kTwentyEightYears = 883612800;

}  // namespace

SettingRecord DefaultRecord(int32_t detonationTime) {
    SettingRecord record;
    record.PresetString = DefaultPresetString();
    record.Sensitivity = "200";
    record.DetonationTime = detonationTime;
    record.FinalMessage = kDefaultFinalMessage;
    record.IconIndex = "0";
    return record;
}

BombSettings::BombSettings(int64_t now) {
    const int32_t created = ToTime32(now);
    Records.fill(DefaultRecord(created));
    Active.DetonationTime = created;
}

// Only the setting numbers 0 to 5 can be put in force; any other n is
// ignored and changes nothing, so a bad index never reaches the records.
void BombSettings::ApplySetting(int n) {
    if (n < 0 || n >= kSettingNumbers) return;
    const SettingRecord& record = Records[static_cast<size_t>(n)];

    PresetValues preset;
    for (int i = 0; i < Preset::Count; ++i) preset[i] = Active.*kPresetFields[i];
    ParsePresetString(record.PresetString, preset);
    for (int i = 0; i < Preset::Count; ++i) Active.*kPresetFields[i] = preset[i];

    Active.DetonationTime = record.DetonationTime;
    Active.FinalMessage = record.FinalMessage;
    Active.FinalProgram = record.FinalProgram;
    Active.Sensitivity = DecimalTextToInt(record.Sensitivity);
    Active.StartupProgram = record.StartupProgram;
    Active.IconIndex = record.IconIndex;
    Active.EdgeFlags = record.EdgeFlags;
    CurrentSetting = n;
}

int32_t ToTime32(int64_t seconds) {
    if (seconds > INT32_MAX) {
        int64_t steps = (seconds - INT32_MAX + kTwentyEightYears - 1) / kTwentyEightYears;
        seconds -= steps * kTwentyEightYears;
    } else if (seconds < INT32_MIN) {
        int64_t steps = (INT32_MIN - seconds + kTwentyEightYears - 1) / kTwentyEightYears;
        seconds += steps * kTwentyEightYears;
    }
    return static_cast<int32_t>(seconds);
}
