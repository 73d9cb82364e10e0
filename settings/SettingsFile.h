#pragma once
// The settings file beside the executable. Reports outcomes only; the
// control bar shows the messages and posts its own close request.
#include <string>

#include "settings/SettingRecord.h"

enum class LoadResult {
    Missing,  // no file: the settings keep their defaults
    Loaded,
    Broken,  // cut short, malformed, or present but unreadable; never overwritten here
};

// Reads "VEXAL.vxl" in `folder` (with or without its trailing backslash)
// into `settings`, keeping every value read before a fault. The file is
// held without sharing for the time of the read.
LoadResult LoadSettingsFile(const std::wstring& folder, BombSettings& settings);

// Writes CurrentSetting and the ten records to "VEXAL.Vxl" in `folder`
// through a temporary file in the same folder, flushed and then moved over
// the old file in one step. On false the old file is untouched.
bool SaveSettingsFile(const std::wstring& folder, const BombSettings& settings);
