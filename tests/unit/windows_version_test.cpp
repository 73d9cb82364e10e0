#include <gtest/gtest.h>

#include "sysinfo/WindowsVersion.h"

namespace {

TEST(WindowsVersion, NameByPlatformAndVersion) {
    const struct {
        uint32_t platform, major, minor;
        const char* name;
    } cases[] = {
        // 9x family: 95, 98 and 98 SE (both 4.10), ME, then the rows around them.
        {1, 4, 0, "95"},
        {1, 4, 10, "98"},
        {1, 4, 90, "ME"},
        {1, 4, 1, "98"},
        {1, 4, 89, "98"},
        {1, 4, 91, "98"},
        {1, 5, 0, "98"},
        {1, 5, 90, "98"},
        {1, 3, 0, ""},
        {1, 3, 90, ""},
        {1, 0, 0, ""},
        // NT family up to 4.
        {2, 0, 0, "NT"},
        {2, 2, 51, "NT"},
        {2, 3, 0, "NT"},
        {2, 3, 4, "NT"},
        {2, 3, 5, "NT3.5"},
        {2, 3, 51, "NT3.51"},
        {2, 3, 6, "NT3??"},
        {2, 3, 50, "NT3??"},
        {2, 3, 52, "NT3??"},
        {2, 4, 0, "NT4.0"},
        {2, 4, 1, "NT4??"},
        {2, 4, 90, "NT4??"},
        // 2000, XP, Server 2003, Vista, 7, 8 (and 10 without a manifest), 10.
        {2, 5, 0, "2000"},
        {2, 5, 1, "XP"},
        {2, 5, 2, "2000"},
        {2, 6, 0, "2000"},
        {2, 6, 1, "XP"},
        {2, 6, 2, "2000"},
        {2, 10, 0, "2000"},
        // Win32s, CE and anything else.
        {0, 4, 0, ""},
        {0, 5, 1, ""},
        {3, 5, 1, ""},
        {0xFFFFFFFF, 4, 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowsVersionName(c.platform, c.major, c.minor), c.name)
            << "platform " << c.platform << ", version " << c.major << "." << c.minor;
}

}  // namespace
