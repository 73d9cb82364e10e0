#include "tests/e2e/ProcStats.h"

#include <x86intrin.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/e2e/Rig.h"
#include "tests/e2e/hook/TestHook.h"

namespace {

std::wstring ProcPath(int pid, const wchar_t* rest) { return L"Z:\\proc\\" + std::to_wstring(pid) + rest; }

}  // namespace

int UnixPidOf(const std::wstring& windowsExePath) {
    const std::string wanted = WideToUtf8(windowsExePath);
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int found = 0;
    do {
        int pid = _wtoi(fd.cFileName);
        if (pid <= 0) continue;
        std::string cmdline = WholeFile(ProcPath(pid, L"\\cmdline"));
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
        std::string stat =
            WholeFile(ProcPath(unixPid, (L"\\task\\" + std::wstring(fd.cFileName) + L"\\schedstat").c_str()));
        total += std::strtoull(stat.c_str(), nullptr, 10);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return total;
}

namespace {
// A read of /proc through Wine now and then comes back empty: ask again.
uint64_t StatusKiB(int unixPid, const char* field) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::string status = WholeFile(ProcPath(unixPid, L"\\status"));
        if (const char* at = std::strstr(status.c_str(), field))
            return std::strtoull(at + std::strlen(field), nullptr, 10);
        Sleep(20);
    }
    return 0;
}
}  // namespace

uint64_t PeakResidentKiB(int unixPid) { return StatusKiB(unixPid, "VmHWM:"); }
uint64_t CurrentResidentKiB(int unixPid) { return StatusKiB(unixPid, "VmRSS:"); }

namespace {
Holdings Measure(DWORD processId, int unixPid) {
    Holdings h;
    if (HWND hook = FindTestHook(processId)) {
        auto ask = [&](TestHookKind kind, LRESULT& count) {
            DWORD_PTR r;
            if (SendMessageTimeoutW(hook, kTestHookCount, kind, 0, SMTO_ABORTIFHUNG, 5000, &r))
                count = static_cast<LRESULT>(r);
        };
        ask(kCountHandles, h.handles);
        ask(kCountUserObjects, h.user);
        ask(kCountGdiObjects, h.gdi);
        ask(kCountWindows, h.windows);
    }
    h.residentKiB = unixPid ? CurrentResidentKiB(unixPid) : 0;
    if (!h.residentKiB) std::printf("     no resident size for unix pid %d\n", unixPid);
    return h;
}
}  // namespace

std::string Holdings::Describe() const {
    char text[160];
    std::snprintf(text, sizeof text, "handles %ld, USER %ld, GDI %ld, windows %ld, resident %lu KiB",
                  static_cast<long>(handles), static_cast<long>(user), static_cast<long>(gdi),
                  static_cast<long>(windows), static_cast<unsigned long>(residentKiB));
    return text;
}

Holdings SteadyHoldings(const Program& program) {
    const DWORD processId = program.ProcessId();
    const int unixPid = UnixPidOf(program.ExePath());
    Holdings last = Measure(processId, unixPid), now;
    WaitFor(
        [&] {
            now = Measure(processId, unixPid);
            bool same = now.handles == last.handles && now.user == last.user && now.gdi == last.gdi &&
                        now.windows == last.windows;
            last = now;
            return same;
        },
        3000);
    return last;
}

namespace {

// Counter ticks per microsecond against the performance counter, over a
// span long enough that reading the two clocks a little apart does not count.
double MeasureTscMHz(DWORD spanMs) {
    LARGE_INTEGER f, q0, q1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&q0);
    uint64_t c0 = __rdtsc();
    Sleep(spanMs);
    QueryPerformanceCounter(&q1);
    uint64_t c1 = __rdtsc();
    double seconds = static_cast<double>(q1.QuadPart - q0.QuadPart) / static_cast<double>(f.QuadPart);
    return static_cast<double>(c1 - c0) / seconds * 1e-6;
}

struct CpuInfo {
    double cpuMHz = NAN;   // "cpu MHz" of the first processor
    double nominal = NAN;  // the "@ 2.40GHz" of "model name", in MHz
};

// Linux's view through Wine's Z: drive.
CpuInfo ReadProcCpuinfo() {
    CpuInfo info;
    std::string text;
    if (!ReadWholeFile(L"Z:\\proc\\cpuinfo", text)) return info;
    size_t at = text.find("cpu MHz");
    if (at != std::string::npos && (at = text.find(':', at)) != std::string::npos)
        info.cpuMHz = std::atof(text.c_str() + at + 1);
    at = text.find("model name");
    size_t eol = text.find('\n', at);
    if (at != std::string::npos) {
        std::string model = text.substr(at, eol - at);
        size_t ghz = model.find("GHz");
        size_t sign = model.rfind('@', ghz);
        if (ghz != std::string::npos && sign != std::string::npos)
            info.nominal = std::atof(model.c_str() + sign + 1) * 1000;
    }
    return info;
}

}  // namespace

double ReferenceTscMHz() {
    CpuInfo info = ReadProcCpuinfo();
    double measured = MeasureTscMHz(2000);
    std::printf(
        "     time-stamp counter: measured against QueryPerformanceCounter over 2 s %.3f MHz; "
        "/proc/cpuinfo cpu MHz %.3f, model name %.3f\n",
        measured, info.cpuMHz, info.nominal);
    for (double candidate : {info.cpuMHz, info.nominal}) {
        if (!std::isnan(candidate) && std::fabs(candidate - measured) <= measured * 0.005) {
            std::printf("     reference: /proc/cpuinfo %.3f MHz, confirmed by the measurement\n", candidate);
            return candidate;
        }
    }
    std::printf("     reference: the driver's own measurement (/proc/cpuinfo disagrees)\n");
    return measured;
}
