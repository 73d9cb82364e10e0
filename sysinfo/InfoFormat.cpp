#include "sysinfo/InfoFormat.h"

#include <charconv>
#include <clocale>
#include <cstdio>

#include "base/Codepage.h"

namespace {

constexpr double kBytesPerMiB = 1048576.0;

// Digits and signs are ASCII, so widening them byte by byte is exact.
std::u16string Widen(const char* first, const char* last) { return std::u16string(first, last); }

// printf's rounding, with the decimal point always '.' whatever the locale.
// (The floating-point to_chars would do the same but brings large tables
// into the program.)
std::u16string Fixed(double value, int decimals) {
    char text[400];  // enough for any double in fixed notation
    int n = std::snprintf(text, sizeof text, "%.*f", decimals, value);
    if (n < 0 || n >= static_cast<int>(sizeof text)) return u"";
    const char point = *std::localeconv()->decimal_point;
    for (int i = 0; i < n; ++i)
        if (text[i] == point) text[i] = '.';
    return Widen(text, text + n);
}

std::u16string Decimal(int64_t value) {
    char text[24];
    auto result = std::to_chars(text, text + sizeof text, value);
    return Widen(text, result.ptr);
}

// A register's bytes from the lowest up, stopping at a zero byte.
std::string RegisterText(uint32_t value) {
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        char c = static_cast<char>((value >> shift) & 0xFF);
        if (c == '\0') break;
        text += c;
    }
    return text;
}

}  // namespace

std::u16string FormatDate(int year, int month, int day) {
    return u"今天是：" + Decimal(year) + u"年" + Decimal(month) + u"月" + Decimal(day) + u"日。";
}

std::u16string FormatWindowsLine(const std::string& osNameGbk) {
    return u"Microsoft Windows " + GbkToWide(osNameGbk) + u"系";
}

std::u16string FormatTotalMemory(uint64_t bytes) {
    return Fixed(static_cast<double>(bytes) / kBytesPerMiB, 1) + u" MB 的 RAM";
}

std::u16string FormatFreeMemory(uint64_t bytes) {
    return Fixed(static_cast<double>(bytes) / kBytesPerMiB, 3) + u" MB 空闲";
}

std::u16string FormatDriveLine(char letter, uint64_t freeBytes) {
    // Whole mebibytes, kept unsigned: squeezing them into a signed 32-bit
    // count would turn more than 2 PiB free into a negative size.
    double gib = static_cast<double>(freeBytes >> 20) / 1024.0;
    return u"[" + std::u16string(1, static_cast<char16_t>(static_cast<unsigned char>(letter))) + u":] 约 " +
           Fixed(gib, 1) + u" GB 空闲";
}

std::u16string FormatScreen(int width, int height) { return Decimal(width) + u"×" + Decimal(height); }

std::string VendorText(uint32_t ebx, uint32_t edx, uint32_t ecx) {
    return RegisterText(ebx) + RegisterText(edx) + RegisterText(ecx);
}

std::string BrandText(const std::array<uint32_t, 12>& registers) {
    std::string brand;
    for (uint32_t value : registers) brand += RegisterText(value);
    static const std::string kSuffix = "(tm) Processor";
    if (brand.size() >= kSuffix.size() && brand.compare(brand.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0)
        brand.erase(brand.size() - kSuffix.size());
    return brand;
}

std::u16string ProcessorText(const std::string& vendor, const std::string& brand) {
    // The bytes would have been shown in code page 936; CPUID texts are ASCII in practice.
    return GbkToWide(vendor == "AuthenticAMD" ? brand : vendor);
}

double ClockMHz(uint64_t ticks, uint32_t milliseconds) {
    if (milliseconds == 0) return 0.0;
    return static_cast<double>(ticks) / (static_cast<double>(milliseconds) * 0.001) * 0.000001;
}

std::u16string FormatClock(double mhz) { return u" 实测 约 " + Fixed(mhz, 2) + u" MHz"; }

std::u16string FormatPercent(int percent) { return Decimal(percent) + u" %"; }
