#pragma once
// The stored setting records and the values unpacked from the one in force.
// Texts are code page 936 byte strings, kept exactly as the settings file holds them.
#include <array>
#include <cstdint>
#include <string>

struct SettingRecord {
    std::string PresetString;
    std::string Sensitivity;
    int32_t DetonationTime = 0;  // seconds since 1970-01-01 UTC; only its local time of day counts
    std::string StartupProgram;
    std::string FinalProgram;
    std::string FinalMessage;
    std::string IconIndex;
    std::string EdgeFlags;
    std::string Reserved;  // never used, written back exactly as read
};

constexpr int kRecordCount = 10;   // records 6 to 9 are kept but never shown or applied
constexpr int kSettingNumbers = 6; // records 0 to 5 are the setting numbers 1 to 6
using SettingRecords = std::array<SettingRecord, kRecordCount>;

// The active settings: the control bar's unpacked copy of the record in force.
struct ActiveSettings {
    int32_t LaunchAtStart = 0;
    std::string StartupProgram;
    int32_t Sensitivity = 200;
    int32_t NotTopmost = 0;
    int32_t ClearRecentDocs = 0;
    int32_t EmptyRecycleBin = 0;
    int32_t HideSelf = 0;
    int32_t MinimizeTarget = 0;
    int32_t HangUpDialUp = 0;
    int32_t NoDetonation = 0;
    int32_t FinalAction = 0;
    std::string FinalProgram;
    int32_t MuteWave = 0;
    int32_t PlaySound = 0;
    int32_t SoundType = 0;
    std::string FinalMessage = "VEXAL\xa3\xba\xb1\xac\xd5\xa8!";  // "VEXAL：爆炸!"
    int32_t TimerEnabled = 0;
    int32_t DetonationTime = 0;
    std::string IconIndex;
    std::string EdgeFlags;
};

// Everything the control bar owns of the settings: the ten records, the
// setting number in force and the active settings.
struct BombSettings {
    SettingRecords Records;
    int32_t CurrentSetting = 0;
    ActiveSettings Active;

    // `now` is the moment of construction, the default DetonationTime.
    explicit BombSettings(int64_t now = 0);

    // Makes record n the active settings and n the setting number in force.
    void ApplySetting(int n);
};

SettingRecord DefaultRecord(int32_t detonationTime);

// Brings a seconds count into the signed 32-bit range by whole 28-year
// steps: whole days, so the time of day stays; up to 2100 they also keep
// the calendar date and weekday, and so the local clock's daylight rules.
int32_t ToTime32(int64_t seconds);
