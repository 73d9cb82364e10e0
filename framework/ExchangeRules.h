#pragma once
// The rules of the data exchange that do not need a window, kept apart so
// the native tests can check them.
#include <cstddef>
#include <string>

// A check box shows 0, 1 or 2 (indeterminate); anything else is shown as 0.
inline int CheckFieldForDisplay(int value) { return value >= 0 && value <= 2 ? value : 0; }

// The position of the first checked button among a radio group's buttons,
// or -1 when none is checked.
template <class Checks>
int RadioPosition(const Checks& checked) {
    int position = 0;
    for (bool on : checked) {
        if (on) return position;
        ++position;
    }
    return -1;
}

// The message length limit counts code page 936 bytes, as the file stores them.
inline bool FitsMaxBytes(const std::string& gbk, size_t maxBytes) { return gbk.size() <= maxBytes; }
