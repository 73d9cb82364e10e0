#include "base/TimeConversion_win.h"

#include "base/TimeConversion.h"

bool LocalTimeOfSeconds(int64_t seconds, SYSTEMTIME& local) {
    const int64_t t = FileTimeOfSeconds(seconds);
    FILETIME ft = {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
    SYSTEMTIME utc;
    return FileTimeToSystemTime(&ft, &utc) && SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
}

bool SecondsOfLocalTime(const SYSTEMTIME& local, int64_t& seconds) {
    SYSTEMTIME utc;
    FILETIME ft;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &ft)) return false;
    seconds = SecondsOfFileTime(static_cast<int64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime);
    return true;
}
