#pragma once
// System libraries, always loaded by their full path in the system folder:
// a bare name is searched in the program's own folder first, where any file
// of that name would be loaded and run in the program.
#include <windows.h>

// The library from the system folder, or null when it is missing there.
// The caller frees it (see ScopedLibrary).
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a library that only some commands need (the shell, the
// common dialogs, sound, COM), loaded on first use so that start-up does not
// pay for it, and kept for the life of the process. Null when the library
// or the function is missing.
FARPROC SystemProc(const wchar_t* library, const char* name);

template <class Fn>
Fn SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemProc(library, name)));
}
