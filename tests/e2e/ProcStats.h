#pragma once
// What Linux knows of a Wine process and of the machine, read through
// Wine's Z: drive: Wine does not report another process's times or working
// set, but the kernel has them for the Unix process that runs it. And what
// the test build (vexal_test.exe) holds, by its count window and the kernel.
#include <windows.h>

#include <cstdint>
#include <string>

#include "tests/e2e/Rig.h"

// The Unix pid of the Wine process started from this exact Windows path; 0 if none.
int UnixPidOf(const std::wstring& windowsExePath);
// CPU time of all the process's threads, in nanoseconds.
uint64_t CpuNanoseconds(int unixPid);
// Peak resident set (the working set's high-water mark), in KiB.
uint64_t PeakResidentKiB(int unixPid);
// Current resident set, in KiB.
uint64_t CurrentResidentKiB(int unixPid);

// What the test build holds: -1 for a count its window did not answer.
struct Holdings {
    LRESULT handles = -1, user = -1, gdi = -1, windows = -1;
    uint64_t residentKiB = 0;
    std::string Describe() const;
};
// What the test build running as `program` holds once the counts have
// stopped moving (3 s at most): Wine lets some things go a moment after
// the work that used them.
Holdings SteadyHoldings(const Program& program);

// The time-stamp counter's rate in MHz, the reference for a clock measured
// by the program: a figure of /proc/cpuinfo when the driver's own 2-second
// measurement confirms it to 0.5%, else that measurement. Prints both.
double ReferenceTscMHz();
