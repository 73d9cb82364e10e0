#include "tests/e2e/ProcStats.h"

#include <cstdlib>
#include <cstring>

namespace {

std::string ReadSmallFile(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    CloseHandle(h);
    return out;
}

std::wstring ProcPath(int pid, const wchar_t* rest) { return L"Z:\\proc\\" + std::to_wstring(pid) + rest; }

}  // namespace

int UnixPidOf(const std::wstring& windowsExePath) {
    int n = WideCharToMultiByte(CP_UTF8, 0, windowsExePath.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string wanted(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, windowsExePath.c_str(), -1, &wanted[0], n, nullptr, nullptr);
    wanted.resize(std::strlen(wanted.c_str()));
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int found = 0;
    do {
        int pid = _wtoi(fd.cFileName);
        if (pid <= 0) continue;
        std::string cmdline = ReadSmallFile(ProcPath(pid, L"\\cmdline"));
        if (_stricmp(cmdline.c_str(), wanted.c_str()) == 0) found = pid;
    } while (!found && FindNextFileW(find, &fd));
    FindClose(find);
    return found;
}

uint64_t CpuNanoseconds(int unixPid) {
    uint64_t total = 0;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(ProcPath(unixPid, L"\\task\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (_wtoi(fd.cFileName) <= 0) continue;
        std::string stat = ReadSmallFile(ProcPath(unixPid, (L"\\task\\" + std::wstring(fd.cFileName) + L"\\schedstat").c_str()));
        total += std::strtoull(stat.c_str(), nullptr, 10);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return total;
}

uint64_t PeakResidentKiB(int unixPid) {
    std::string status = ReadSmallFile(ProcPath(unixPid, L"\\status"));
    const char* hwm = std::strstr(status.c_str(), "VmHWM:");
    return hwm ? std::strtoull(hwm + 6, nullptr, 10) : 0;
}
