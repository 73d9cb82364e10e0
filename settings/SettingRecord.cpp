#include "settings/SettingRecord.h"

#include "base/TimeConversion.h"
#include "settings/DecimalText.h"

namespace {

// "设置动作已全部完成" in code page 936.
const char kDefaultFinalMessage[] = "\xc9\xe8\xd6\xc3\xb6\xaf\xd7\xf7\xd2\xd1\xc8\xab\xb2\xbf\xcd\xea\xb3\xc9";

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

    ReadPresetSwitches(record.PresetString, Active);
    static_cast<CarriedValues&>(Active) = record;
    static_cast<LookValues&>(Active) = record;
    Active.Sensitivity = DecimalTextToInt(record.Sensitivity);
    CurrentSetting = n;
}
