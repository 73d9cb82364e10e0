#pragma once
// UTF-16 to UTF-8 for readable expectations and failure messages; the texts
// under test stay within the Basic Multilingual Plane.
#include <string>

inline std::string Utf8(const std::u16string& wide) {
    std::string out;
    for (char16_t c : wide) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
