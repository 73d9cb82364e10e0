#include <clocale>
#include <gtest/gtest.h>
#include <string>

#include "sysinfo/InfoFormat.h"
#include "tests/unit/WideText.h"

namespace {

// Four characters packed as CPUID leaves them in a register, lowest byte first.
constexpr uint32_t Reg(const char (&s)[5]) {
    return static_cast<uint8_t>(s[0]) | static_cast<uint8_t>(s[1]) << 8 | static_cast<uint8_t>(s[2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[3])) << 24;
}

// The 48-character brand text as the twelve registers, padded with zero bytes.
std::array<uint32_t, 12> BrandRegisters(const std::string& text) {
    std::string padded = text;
    padded.resize(48, '\0');
    std::array<uint32_t, 12> registers{};
    for (size_t i = 0; i < 48; ++i)
        registers[i / 4] |= static_cast<uint32_t>(static_cast<uint8_t>(padded[i])) << (8 * (i % 4));
    return registers;
}

TEST(InfoFormat, DateWithoutLeadingZeros) {
    EXPECT_EQ(Utf8(FormatDate(2003, 4, 6)), "今天是：2003年4月6日。");
    EXPECT_EQ(Utf8(FormatDate(1999, 12, 31)), "今天是：1999年12月31日。");
}

TEST(InfoFormat, WindowsLine) {
    EXPECT_EQ(Utf8(FormatWindowsLine("98")), "Microsoft Windows 98系");
    EXPECT_EQ(Utf8(FormatWindowsLine("")), "Microsoft Windows 系");
}

TEST(InfoFormat, Memory) {
    const struct {
        uint64_t bytes;
        const char* total;
        const char* free;
    } cases[] = {
        {536346624, "511.5 MB 的 RAM", "511.500 MB 空闲"},    {0, "0.0 MB 的 RAM", "0.000 MB 空闲"},
        {123456789, "117.7 MB 的 RAM", "117.738 MB 空闲"},    {0xFFFFFFFFu, "4096.0 MB 的 RAM", "4096.000 MB 空闲"},
        {8ull << 30, "8192.0 MB 的 RAM", "8192.000 MB 空闲"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8(FormatTotalMemory(c.bytes)), c.total) << c.bytes;
        EXPECT_EQ(Utf8(FormatFreeMemory(c.bytes)), c.free) << c.bytes;
    }
}

TEST(InfoFormat, DriveLineCountsWholeMebibytes) {
    const struct {
        char letter;
        uint64_t freeBytes;
        const char* line;
    } cases[] = {
        {'C', 5000000000ull, "[C:] 约 4.7 GB 空闲"},
        {'D', 1048575, "[D:] 约 0.0 GB 空闲"},
        // 51.9 MiB would round up to 0.1 GB; the whole 51 MiB do not.
        {'F', 51 * 1048576ull + 943718, "[F:] 约 0.0 GB 空闲"},
        {'Z', 1ull << 40, "[Z:] 约 1024.0 GB 空闲"},
        // Beyond 2^31 MiB the size stays positive and exact.
        {'Y', 3ull << 50, "[Y:] 约 3145728.0 GB 空闲"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8(FormatDriveLine(c.letter, c.freeBytes)), c.line) << c.freeBytes;
}

TEST(InfoFormat, ScreenAndPercent) {
    EXPECT_EQ(Utf8(FormatScreen(1024, 768)), "1024×768");
    EXPECT_EQ(Utf8(FormatPercent(85)), "85 %");
    EXPECT_EQ(Utf8(FormatPercent(100)), "100 %");
}

TEST(InfoFormat, VendorTextFromRegisters) {
    EXPECT_EQ(VendorText(0x756e6547, 0x49656e69, 0x6c65746e), "GenuineIntel");
    EXPECT_EQ(VendorText(0x68747541, 0x69746e65, 0x444d4163), "AuthenticAMD");
    EXPECT_EQ(VendorText(Reg("Cyri"), Reg("xIns"), Reg("tead")), "CyrixInstead");
}

TEST(InfoFormat, BrandTextTrimsOnlyTheExactEnding) {
    const struct {
        std::string text;
        const char* brand;
    } cases[] = {
        {"AMD Athlon(tm) Processor", "AMD Athlon"},
        {"AMD-K6(tm) 3D processor", "AMD-K6(tm) 3D processor"},
        {"AMD Athlon(tm) XP 2000+", "AMD Athlon(tm) XP 2000+"},
        {"AMD Phenom(tm) II X4 940 Processor", "AMD Phenom(tm) II X4 940 Processor"},
        {"(tm) Processor", ""},
        {"tm) Processor", "tm) Processor"},
        {"", ""},
        // All 48 characters used, none of them zero.
        {"    AMD Athlon(tm) 64 X2 Dual Core(tm) Processor", "    AMD Athlon(tm) 64 X2 Dual Core"},
    };
    for (const auto& c : cases) EXPECT_EQ(BrandText(BrandRegisters(c.text)), c.brand) << c.text;
}

TEST(InfoFormat, BrandTextStopsEachRegisterAtAZeroByte) {
    std::array<uint32_t, 12> registers{};
    registers[0] = Reg("AMD ");
    registers[1] = Reg("K\0\0x");  // the x after the zero byte is not part of the text
    registers[2] = Reg("6-2 ");
    registers[3] = 0;
    registers[4] = Reg("(tm)");
    registers[5] = Reg(" Pro");
    registers[6] = Reg("cess");
    registers[7] = Reg("or\0\0");
    EXPECT_EQ(BrandText(registers), "AMD K6-2 ");
}

TEST(InfoFormat, ProcessorTextUsesTheBrandForAmdOnly) {
    const struct {
        const char* vendor;
        const char* brand;
        const char* text;
    } cases[] = {
        {"AuthenticAMD", "AMD Athlon", "AMD Athlon"},
        {"AuthenticAMD", "", ""},
        {"GenuineIntel", "Intel(R) Pentium(R) 4", "GenuineIntel"},
        {"authenticamd", "AMD Athlon", "authenticamd"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8(ProcessorText(c.vendor, c.brand)), c.text) << c.vendor;
}

TEST(InfoFormat, ClockFromMeasuredTicksAndTime) {
    const struct {
        uint64_t ticks;
        uint32_t ms;
        const char* text;
    } cases[] = {
        {1500000000, 1000, " 实测 约 1500.00 MHz"},    {1500000000, 1016, " 实测 约 1476.38 MHz"},
        {3000000000ull, 1500, " 实测 约 2000.00 MHz"}, {0, 1000, " 实测 约 0.00 MHz"},
        {1500000000, 0, " 实测 约 0.00 MHz"},  // no time elapsed: no division by zero
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8(FormatClock(ClockMHz(c.ticks, c.ms))), c.text) << c.ticks << "/" << c.ms;
}

TEST(InfoFormat, DecimalPointIgnoresTheLocale) {
    const char* chosen = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE"})
        if ((chosen = std::setlocale(LC_ALL, name))) break;
    if (!chosen) GTEST_SKIP() << "no locale with a decimal comma is installed";
    std::string total = Utf8(FormatTotalMemory(536346624));
    std::string clock = Utf8(FormatClock(1500.0));
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(total, "511.5 MB 的 RAM");
    EXPECT_EQ(clock, " 实测 约 1500.00 MHz");
}

}  // namespace
