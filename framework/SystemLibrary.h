#pragma once
// Functions of system libraries that only some commands need (the shell, the
// common dialogs, sound, COM), loaded from the system folder on first use so
// that start-up does not pay for loading them.
#include <windows.h>

// Null when the library or the function is missing.
FARPROC SystemProc(const wchar_t* library, const char* name);

template <class Fn>
Fn SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemProc(library, name)));
}
