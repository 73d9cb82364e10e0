#pragma once
// The Windows calls that the system actions make, one method per call, with
// the arguments as Windows takes them. The real implementation forwards each
// to the API; the tests record them. Portable types only: no <windows.h>.
#include <cstdint>
#include <string>
#include <vector>

class WinCalls {
public:
    virtual ~WinCalls() = default;

    virtual void SHAddToRecentDocs(uint32_t flags, const void* item) = 0;
    virtual void SHEmptyRecycleBinA(uintptr_t owner, const char* rootPath, uint32_t flags) = 0;

    // RasEnumConnectionsA over a buffer of `bytes` bytes (whole RASCONNA
    // entries of `entrySize` bytes, the first one's dwSize set to entrySize);
    // returns the result code and updates `bytes` (on ERROR_BUFFER_TOO_SMALL
    // the size needed), `count` and the connection handles as Windows would.
    virtual uint32_t RasEnumConnectionsA(uint32_t entrySize, uint32_t& bytes, uint32_t& count,
                                         std::vector<uintptr_t>& connections) = 0;
    virtual uint32_t RasHangUpA(uintptr_t connection) = 0;

    virtual uint32_t waveOutSetVolume(uintptr_t device, uint32_t volume) = 0;
    virtual uint32_t waveOutGetVolume(uintptr_t device, uint32_t& volume) = 0;
    virtual bool IsVistaOrLater() = 0;
    // The default playback endpoint through Core Audio; nothing where there is none.
    virtual void SetMasterVolumeToZero() = 0;
    // The default endpoint's id, mute and master level (millionths of full
    // scale); false where there is none.
    virtual bool GetEndpointState(std::u16string& id, bool& muted, uint32_t& level) = 0;
    // The endpoint named by `id` (the default one for an empty id); false
    // where there is no such endpoint any more.
    virtual bool SetEndpointMute(const std::u16string& id, bool muted) = 0;
    virtual bool SetEndpointLevel(const std::u16string& id, uint32_t level) = 0;

    virtual bool LockWorkStation() = 0;

    virtual void MessageBeep(uint32_t type) = 0;
    virtual void SendMessageA(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;

    virtual uintptr_t GetCurrentProcess() = 0;
    virtual bool OpenProcessToken(uintptr_t process, uint32_t access, uintptr_t& token) = 0;
    virtual bool LookupPrivilegeValueA(const char* system, const char* name, uint64_t& luid) = 0;
    // The privilege record: PrivilegeCount 1, one entry of `luid` with `attributes`.
    virtual bool AdjustTokenPrivileges(uintptr_t token, bool disableAll, uint32_t privilegeCount, uint64_t luid,
                                       uint32_t attributes) = 0;
    virtual bool ExitWindowsEx(uint32_t flags, uint32_t reason) = 0;
    virtual bool CloseHandle(uintptr_t handle) = 0;

    // ShellExecute with the "open" verb, no parameters or folder; the path as
    // UTF-16 so that any name the user can pick reaches the shell intact.
    // Returns the ShellExecute result (above 32 on success).
    virtual uintptr_t ShellExecuteOpen(const std::u16string& path, int showCommand) = 0;
};
