// A stand-in for the Windows 9x resource meter library, so that the
// information panel's gauges can be seen filled: every kind of resource
// answers a different share, which shows which gauge received which kind.
#include <windows.h>

#ifndef METER_SHARES
#define METER_SHARES 71, 42, 63  // system, GDI, user
#endif

namespace {
int Share(int kind) {
    const int shares[] = {METER_SHARES};
    return kind >= 0 && kind < 3 ? shares[kind] : -1;
}
}  // namespace

// The export is named "_MyGetFreeSystemResources32@4". On 32-bit Windows
// that is the symbol of a stdcall function with a 4-byte argument with the
// linker's leading underscore dropped, hence the two underscores; a 64-bit
// build has no such decoration and names the symbol outright.
#ifdef _WIN64
extern "C" __declspec(dllexport) int WINAPI FreeResources(int kind) __asm__("_MyGetFreeSystemResources32@4");
extern "C" int WINAPI FreeResources(int kind) { return Share(kind); }
#else
extern "C" __declspec(dllexport) int WINAPI _MyGetFreeSystemResources32(int kind) { return Share(kind); }
#endif
