#pragma once
// The settings file's bytes: CurrentSetting, then records 0 to 9. All
// integers little-endian; texts as counted strings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/SettingRecord.h"

enum class ParseResult { Loaded, Broken };

// Reads CurrentSetting and the ten records from `data`, storing each value
// into `into` as soon as it is read. Broken when the data ends before the
// last value of record 9 or a length prefix claims more than is left; the
// values read before that point stay. A CurrentSetting outside 0 to 5 is
// broken too: it is not stored (CurrentSetting keeps its value) and nothing
// after it is read. Bytes after record 9 are ignored.
ParseResult ParseSettingsFile(const uint8_t* data, size_t size, BombSettings& into);

// The file's full content; texts always in the narrow form.
std::string FormatSettingsFile(const BombSettings& settings);

// One counted string: length prefix (1, 3 or 7 bytes), then the bytes.
void AppendCountedString(std::string& out, const std::string& text);
