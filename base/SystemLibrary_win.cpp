#include "base/SystemLibrary_win.h"

HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t path[MAX_PATH + 32];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || lstrlenW(name) > 30) return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, name);
    return LoadLibraryW(path);
}

FARPROC SystemProc(const wchar_t* library, const char* name) {
    // A library already in the process is the system's own: the loader takes
    // the known system libraries from the system folder.
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadSystemLibrary(library);  // kept for the life of the process
    return module ? GetProcAddress(module, name) : nullptr;
}
