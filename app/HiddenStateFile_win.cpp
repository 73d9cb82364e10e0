#include <windows.h>

#include <vector>

#include "app/HiddenStateFile.h"
#include "base/FileAccess_win.h"
#include "base/SystemLibrary_win.h"
#include "trigger/HiddenStateText.h"

namespace {

const wchar_t kName[] = L"VEXAL.hidden";
const wchar_t kTempName[] = L"VEXAL.hidden.tmp";

uint64_t FileTimeNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// The kernel's own boot time where ntdll tells it (under Wine the start of
// its server, whose end ends every program); else now less the time since
// the boot, GetTickCount64 only where the system has it.
uint64_t BootSeconds() {
    struct {
        LARGE_INTEGER boot, now, zoneBias;
        ULONG zone, reserved;
    } timeOfDay = {};  // the 32 bytes every version from XP on answers
    constexpr ULONG kTimeOfDayInformation = 3;
    using QueryFn = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    static const auto query = SystemFunction<QueryFn>(L"ntdll.dll", "NtQuerySystemInformation");
    if (query && query(kTimeOfDayInformation, &timeOfDay, sizeof timeOfDay, nullptr) >= 0 &&
        timeOfDay.boot.QuadPart > 0)
        return static_cast<uint64_t>(timeOfDay.boot.QuadPart) / 10000000;
    using TickFn = ULONGLONG(WINAPI*)();
    static const auto tick64 = SystemFunction<TickFn>(L"kernel32.dll", "GetTickCount64");
    const uint64_t sinceBootMs = tick64 ? tick64() : GetTickCount();
    return (FileTimeNow() / 10000 - sinceBootMs) / 1000;
}

// Each record this process writes is newer than the one before, even within
// one step of the system clock.
RecordStamp StampNow() {
    static uint64_t last = 0;
    const uint64_t now = FileTimeNow();
    last = now > last ? now : last + 1;
    return {BootSeconds(), last};
}

// The user's local application data folder as the registry names it for
// the shell, %USERPROFILE% and the like left in it: what XP has in place of
// %LOCALAPPDATA%, read without loading the shell.
std::wstring LocalAppDataFromRegistry() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                      0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    wchar_t raw[MAX_PATH] = L"";
    DWORD size = sizeof raw - sizeof(wchar_t);
    DWORD type = 0;
    const LONG read = RegQueryValueExW(key, L"Local AppData", nullptr, &type, reinterpret_cast<BYTE*>(raw), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    wchar_t path[MAX_PATH];
    const DWORD n = ExpandEnvironmentStringsW(raw, path, MAX_PATH);
    return n > 1 && n <= MAX_PATH ? std::wstring(path, n - 1) : std::wstring();
}

// A full path: a drive's or a share's.
bool IsFullPath(const std::wstring& path) {
    return path.size() > 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'));
}

// %LOCALAPPDATA%\VEXAL. The system sets the variable from Vista on; XP's
// registry names the folder; only where neither does is the shell loaded
// for it. Empty where it cannot be found.
std::wstring LocalFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", path, MAX_PATH);
    std::wstring base = n < MAX_PATH ? std::wstring(path, n) : std::wstring();
    if (!IsFullPath(base)) base = LocalAppDataFromRegistry();
    if (!IsFullPath(base)) {
        constexpr int kLocalAppData = 0x1C;  // CSIDL_LOCAL_APPDATA
        using Fn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, wchar_t*);
        auto getFolder = SystemFunction<Fn>(L"shell32.dll", "SHGetFolderPathW");
        base = getFolder && getFolder(nullptr, kLocalAppData, nullptr, 0, path) == S_OK ? path : L"";
    }
    return IsFullPath(base) ? PathIn(base, L"VEXAL") : std::wstring();
}

bool WriteRecord(const std::wstring& folder, const std::string& text) {
    return ReplaceFileQuickly(PathIn(folder, kName), PathIn(folder, kTempName), text);
}

// Beside the program, else in the local folder; no waiting for a file
// another program holds, since the windows are to go now.
void WriteRecordSomewhere(const std::wstring& folder, const std::string& text) {
    if (WriteRecord(folder, text)) return;
    const std::wstring local = LocalFolder();
    if (local.empty()) return;
    CreateDirectoryW(local.c_str(), nullptr);
    WriteRecord(local, text);
}

// Adds the record in `folder` to `found`; Unreadable for one that is there
// but cannot be read, or is larger than any record VEXAL writes.
RecordFound ReadRecord(const std::wstring& folder, std::vector<HiddenRecord>& found) {
    std::vector<uint8_t> bytes;
    const ReadOutcome outcome = ReadWholeFile(PathIn(folder, kName), kMaxHiddenRecordBytes + 1, bytes);
    if (outcome == ReadOutcome::Missing) return RecordFound::None;
    if (outcome != ReadOutcome::Read || bytes.size() > kMaxHiddenRecordBytes) return RecordFound::Unreadable;
    found.push_back(ParseHiddenRecord(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
    return RecordFound::Read;
}

}  // namespace

void SaveHiddenStateFile(const std::wstring& folder, const HiddenState& state) {
    WriteRecordSomewhere(folder, FormatHiddenRecord(state, StampNow()));
}

void RemoveHiddenStateFile(const std::wstring& folder) {
    const std::wstring local = LocalFolder();
    bool gone = DeleteFileRetrying(PathIn(folder, kName));
    if (!local.empty()) {
        gone = DeleteFileRetrying(PathIn(local, kName)) && gone;
        RemoveDirectoryW(local.c_str());  // only when nothing else is in it
    }
    if (!gone) WriteRecordSomewhere(folder, FormatHiddenRecord({}, StampNow()));
}

// The local folder is where a record goes that the program's folder could
// not take, also a newer one beside an older record (held for a moment, or
// read-only): it is read whatever lies beside the program.
RecordFound LoadHiddenStateFile(const std::wstring& folder, HiddenState& state) {
    std::vector<HiddenRecord> found;
    const RecordFound beside = ReadRecord(folder, found);
    const std::wstring local = LocalFolder();
    const RecordFound there = local.empty() ? RecordFound::None : ReadRecord(local, found);
    if (found.empty())
        return beside == RecordFound::Unreadable || there == RecordFound::Unreadable ? RecordFound::Unreadable
                                                                                     : RecordFound::None;
    state = StateToObey(found, {BootSeconds(), 0});
    return RecordFound::Read;
}
