#include "sysinfo/WindowsVersion.h"

namespace {

constexpr uint32_t kPlatformWindows = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr uint32_t kPlatformNt = 2;       // VER_PLATFORM_WIN32_NT

std::string NineXName(uint32_t major, uint32_t minor) {
    if (major < 4) return "";
    if (major > 4) return "98";
    if (minor == 0) return "95";
    if (minor == 90) return "ME";
    return "98";
}

// Every NT from 5 on counts as one of the two names the program knows, so
// later versions (Vista 6.0, 7 6.1, ...) land on "2000" or "XP" by minor.
std::string NtName(uint32_t major, uint32_t minor) {
    if (major < 3) return "NT";
    if (major == 3) {
        if (minor < 5) return "NT";
        if (minor == 5) return "NT3.5";
        if (minor == 51) return "NT3.51";
        return "NT3??";
    }
    if (major == 4) return minor == 0 ? "NT4.0" : "NT4??";
    return minor == 1 ? "XP" : "2000";
}

}  // namespace

std::string WindowsVersionName(uint32_t platformId, uint32_t major, uint32_t minor) {
    if (platformId == kPlatformWindows) return NineXName(major, minor);
    if (platformId == kPlatformNt) return NtName(major, minor);
    return "";
}
