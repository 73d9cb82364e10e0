// A stand-in for the Windows 9x resource meter library, so that the
// information panel's gauges can be seen filled: every kind of resource
// answers a different share, which shows which gauge received which kind.
#include <windows.h>

// The export is named "_MyGetFreeSystemResources32@4": the name of a
// stdcall function with a 4-byte argument, with the linker's leading
// underscore dropped from its symbol, hence the two underscores here.
extern "C" __declspec(dllexport) int WINAPI _MyGetFreeSystemResources32(int kind) {
    switch (kind) {
    case 0: return 71;  // system
    case 1: return 42;  // GDI
    case 2: return 63;  // user
    default: return -1;
    }
}
