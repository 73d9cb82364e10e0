#pragma once
// The facts of the information panel, formatted from raw values into the
// UTF-16 texts its fields show. Numbers always use '.' as the decimal point,
// whatever the C locale says.
#include <array>
#include <cstdint>
#include <string>

// "今天是：2003年4月6日。"
std::u16string FormatDate(int year, int month, int day);
// "Microsoft Windows " + name + "系"; osNameGbk is a code page 936 text.
std::u16string FormatWindowsLine(const std::string& osNameGbk);
// "511.5 MB 的 RAM": bytes in mebibytes, one decimal.
std::u16string FormatTotalMemory(uint64_t bytes);
// "511.500 MB 空闲": bytes in mebibytes, three decimals.
std::u16string FormatFreeMemory(uint64_t bytes);
// "[C:] 约 4.7 GB 空闲": whole mebibytes free, in gibibytes, one decimal.
std::u16string FormatDriveLine(char letter, uint64_t freeBytes);
// "1024×768"
std::u16string FormatScreen(int width, int height);

// The 12-byte vendor text of CPUID leaf 0, from the registers in the order
// EBX, EDX, ECX, each read from its lowest byte up.
std::string VendorText(uint32_t ebx, uint32_t edx, uint32_t ecx);
// The brand text of the extended leaves 0x80000002 to 0x80000004, their
// registers in the order EAX, EBX, ECX, EDX of each leaf; each register
// gives at most four characters and stops at a zero byte. A trailing
// "(tm) Processor" is removed.
std::string BrandText(const std::array<uint32_t, 12>& registers);
// The brand text for the vendor "AuthenticAMD", the vendor text otherwise.
std::u16string ProcessorText(const std::string& vendor, const std::string& brand);

// Counter ticks over elapsed milliseconds, in MHz; 0 when no time elapsed.
double ClockMHz(uint64_t ticks, uint32_t milliseconds);
// " 实测 约 1500.00 MHz", with its leading space.
std::u16string FormatClock(double mhz);
// "85 %"
std::u16string FormatPercent(int percent);
