#pragma once
// The stored setting records and the values unpacked from the one in force.
// Texts are code page 936 byte strings, kept exactly as the settings file holds them.
#include <array>
#include <cstdint>
#include <string>

#include "settings/ExtraSettings.h"
#include "settings/PresetText.h"

// The values a setting record and the settings in force hold alike, copied
// whole when a record is put in force.
struct CarriedValues {
    int32_t DetonationTime = 0;  // seconds since 1970-01-01 UTC; only its local time of day counts
    std::string StartupProgram;
    std::string FinalProgram;
    std::string FinalMessage;
};

// The look and the edges of a record, also held alike by the settings in force.
struct LookValues {
    std::string IconIndex;
    std::string EdgeFlags;
};

// The values that pass unchanged between a setting record, the settings
// dialog's fields and its copy of the records.
struct DirectValues : CarriedValues {
    std::string Sensitivity;
};

// A setting record as the settings dialog edits it: every value but
// Reserved, which therefore cannot travel through the dialog.
struct EditedRecord : DirectValues, LookValues {
    std::string PresetString;
};

struct SettingRecord : EditedRecord {
    std::string Reserved;  // never used, written back exactly as read
};

constexpr int kRecordCount = 10;    // records 6 to 9 are kept but never shown or applied
constexpr int kSettingNumbers = 6;  // records 0 to 5 are the setting numbers 1 to 6
using SettingRecords = std::array<SettingRecord, kRecordCount>;

// The active settings: the control bar's unpacked copy of the record in force.
struct ActiveSettings : PresetSwitches, CarriedValues, LookValues {
    ActiveSettings() { FinalMessage = "VEXAL\xa3\xba\xb1\xac\xd5\xa8!"; }  // "VEXAL：爆炸!"
    int32_t Sensitivity = 200;
};

// Everything the control bar owns of the settings: the ten records, the
// setting number in force and the active settings.
struct BombSettings {
    SettingRecords Records;
    int32_t CurrentSetting = 0;
    ActiveSettings Active;
    ExtraSettings Extra;  // from VEXAL.ini; not part of the settings file

    // `now` is the moment of construction, the default DetonationTime.
    explicit BombSettings(int64_t now = 0);

    // Makes record n the active settings and n the setting number in force.
    void ApplySetting(int n);
};

SettingRecord DefaultRecord(int32_t detonationTime);
