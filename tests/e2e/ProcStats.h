#pragma once
// What Linux knows of a Wine process, read through Wine's Z: drive: Wine
// does not report another process's times or working set, but the kernel
// has them for the Unix process that runs it.
#include <windows.h>

#include <cstdint>
#include <string>

// The Unix pid of the Wine process started from this exact Windows path; 0 if none.
int UnixPidOf(const std::wstring& windowsExePath);
// CPU time of all the process's threads, in nanoseconds.
uint64_t CpuNanoseconds(int unixPid);
// Peak resident set (the working set's high-water mark), in KiB.
uint64_t PeakResidentKiB(int unixPid);
// Current resident set, in KiB.
uint64_t CurrentResidentKiB(int unixPid);
