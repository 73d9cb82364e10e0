#include <windows.h>

#include "base/Codepage.h"

std::u16string GbkToWide(const std::string& gbk) {
    if (gbk.empty()) return {};
    int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::u16string wide(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), reinterpret_cast<wchar_t*>(&wide[0]), n);
    return wide;
}

bool WideToGbk(const std::u16string& wide, std::string& gbk) {
    gbk.clear();
    if (wide.empty()) return true;
    const wchar_t* src = reinterpret_cast<const wchar_t*>(wide.data());
    int len = static_cast<int>(wide.size());
    // No best-fit: a character without a code page 936 form becomes '?' and
    // is reported, never silently swapped for a look-alike.
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, src, len, nullptr, 0, nullptr, nullptr);
    gbk.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, src, len, &gbk[0], n, nullptr, &lossy);
    return !lossy;
}
