#pragma once
// The short name of the running Windows version, from the platform and the
// version numbers that GetVersionExA reports.
#include <cstdint>
#include <string>

// "95", "98", "ME", "NT", "NT3.5", "NT3.51", "NT3??", "NT4.0", "NT4??", "2000"
// or "XP"; empty for a platform or version the table does not know.
std::string WindowsVersionName(uint32_t platformId, uint32_t major, uint32_t minor);
