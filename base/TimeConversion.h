#pragma once
// Seconds since 1970-01-01 UTC: into the signed 32-bit range the settings
// file stores, and to and from FILETIME's 100 ns steps since 1601.
#include <cstdint>

// Brings a seconds count into the signed 32-bit range by whole 28-year
// steps: whole days, so the time of day stays; up to 2100 they also keep
// the calendar date and weekday, and so the local clock's daylight rules.
int32_t ToTime32(int64_t seconds);

constexpr int64_t kEpochAsFileTime = 116444736000000000LL;  // 1970-01-01 in 100 ns steps since 1601
constexpr int64_t kFileTimePerSecond = 10000000;

constexpr int64_t FileTimeOfSeconds(int64_t seconds) { return seconds * kFileTimePerSecond + kEpochAsFileTime; }
constexpr int64_t SecondsOfFileTime(int64_t fileTime) { return (fileTime - kEpochAsFileTime) / kFileTimePerSecond; }
