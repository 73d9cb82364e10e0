#pragma once
// "VEXAL.ini" beside the program. It never stops the program: a missing or
// unreadable file means the defaults.
#include <string>

#include "settings/ExtraSettings.h"

ExtraSettings LoadExtraSettings(const std::wstring& folder);

// Writes the settings into the file as it is now on disk, so that whatever
// a person wrote there (other keys, other sections, comments) stays. Through
// a temporary file, flushed, then one replacing move: on false the old file
// is whole.
bool SaveExtraSettings(const std::wstring& folder, const ExtraSettings& settings);
