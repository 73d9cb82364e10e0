#pragma once
// Seconds since 1970 UTC and the local clock, through FILETIME, which
// reaches back to 1601, so that times before 1970 convert too.
#include <windows.h>

#include <cstdint>

bool LocalTimeOfSeconds(int64_t seconds, SYSTEMTIME& local);
bool SecondsOfLocalTime(const SYSTEMTIME& local, int64_t& seconds);
