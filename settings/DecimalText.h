#pragma once
// Numbers written as decimal text in a setting record (Sensitivity,
// IconIndex, the numbers of a PresetString), read as the program always has.
#include <cstddef>
#include <cstdint>
#include <string>

// Reads white space, an optional sign and a digit run starting at `pos`.
// Returns false, leaving `pos`, when there is no digit. Values beyond the
// 32-bit range saturate at its ends.
bool ReadDecimal(const std::string& text, size_t& pos, int32_t& value);

// Leading white space, an optional sign, then the longest digit run; no
// digits gives 0. Values beyond the 32-bit range saturate at its ends.
int32_t DecimalTextToInt(const std::string& text);
