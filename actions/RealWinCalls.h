#pragma once
// The Windows calls of the system actions, forwarded to the real API.
#include "actions/WinCalls.h"

class RealWinCalls : public WinCalls {
public:
    void SHAddToRecentDocs(uint32_t flags, const void* item) override;
    void SHEmptyRecycleBinA(uintptr_t owner, const char* rootPath, uint32_t flags) override;
    // rasapi32.dll is loaded from the system folder on first use, so that the
    // program still starts where remote access is not installed; there both
    // calls fail with ERROR_MOD_NOT_FOUND.
    uint32_t RasEnumConnectionsA(uint32_t entrySize, uint32_t& bytes, uint32_t& count,
                                 std::vector<uintptr_t>& connections) override;
    uint32_t RasHangUpA(uintptr_t connection) override;
    uint32_t waveOutSetVolume(uintptr_t device, uint32_t volume) override;
    uint32_t waveOutGetVolume(uintptr_t device, uint32_t& volume) override;
    bool IsVistaOrLater() override;
    void SetMasterVolumeToZero() override;
    bool GetEndpointState(std::u16string& id, bool& muted, uint32_t& level) override;
    bool SetEndpointMute(const std::u16string& id, bool muted) override;
    bool SetEndpointLevel(const std::u16string& id, uint32_t level) override;
    bool LockWorkStation() override;
    void MessageBeep(uint32_t type) override;
    void SendMessageA(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    uintptr_t GetCurrentProcess() override;
    bool OpenProcessToken(uintptr_t process, uint32_t access, uintptr_t& token) override;
    bool LookupPrivilegeValueA(const char* system, const char* name, uint64_t& luid) override;
    bool AdjustTokenPrivileges(uintptr_t token, bool disableAll, uint32_t privilegeCount, uint64_t luid,
                               uint32_t attributes) override;
    bool ExitWindowsEx(uint32_t flags, uint32_t reason) override;
    bool CloseHandle(uintptr_t handle) override;
    uintptr_t ShellExecuteOpen(const std::u16string& path, int showCommand) override;
};
