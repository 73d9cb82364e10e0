#include "framework/SystemLibrary.h"

FARPROC SystemProc(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) {
        // Only from the system folder: never a same-named file beside the
        // program or in the current folder.
        wchar_t path[MAX_PATH + 32];
        UINT length = GetSystemDirectoryW(path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH || lstrlenW(library) > 30) return nullptr;
        path[length] = L'\\';
        lstrcpyW(path + length + 1, library);
        module = LoadLibraryW(path);  // kept for the life of the process
    }
    return module ? GetProcAddress(module, name) : nullptr;
}
