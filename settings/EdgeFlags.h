#pragma once
// EdgeFlags: four characters, '1' for each screen edge that sets the bomb off.
#include <cstdint>
#include <string>

// Character positions.
namespace Edge {
enum Position : int { Top, Bottom, Left, Right, Count };
}  // namespace Edge

// True when character i of `flags` is '1'; a missing character is off.
bool EdgeOn(const std::string& flags, int i);

// Four characters for top, bottom, left and right: '1' where the field is
// exactly 1, else '0'.
std::string FormatEdgeFlags(int32_t top, int32_t bottom, int32_t left, int32_t right);

// A record's EdgeFlags as the settings dialog recalls it: anything but
// exactly four characters becomes "0000".
std::string RecalledEdgeFlags(const std::string& flags);
