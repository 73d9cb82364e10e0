#include "trigger/ProgramList.h"

#include <cstdint>

namespace {

// Beyond the 260 characters of a Windows path no file name can be.
constexpr size_t kMaxNameChars = 260;

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool DecodeUtf8(std::string_view text, std::u16string& out) {
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<uint8_t>(text[i]);
        uint32_t c = 0;
        size_t extra = 0;
        if (b < 0x80)
            c = b;
        else if (b >= 0xC2 && b <= 0xDF)
            c = b & 0x1F, extra = 1;
        else if (b >= 0xE0 && b <= 0xEF)
            c = b & 0x0F, extra = 2;
        else if (b >= 0xF0 && b <= 0xF4)
            c = b & 0x07, extra = 3;
        else
            return false;
        if (i + extra >= text.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = c << 6 | (next & 0x3F);
        }
        if ((extra == 2 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ||
            (extra == 3 && (c < 0x10000 || c > 0x10FFFF)))
            return false;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += extra + 1;
    }
    return true;
}

bool HoldableInFileName(char16_t c) {
    return c >= 0x20 && c != u'<' && c != u'>' && c != u':' && c != u'"' && c != u'/' && c != u'\\' && c != u'|';
}

// Greedy with one point to go back to: time in proportion to the product
// of the lengths at worst, never more.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    size_t p = 0, n = 0, star = std::u16string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || FoldFileNameCase(pattern[p]) == FoldFileNameCase(name[n]))) {
            ++p, ++n;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

}  // namespace

ProgramPatterns ParseProgramList(std::string_view text) {
    ProgramPatterns patterns;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view item = text.substr(start, end - start);
        while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
        std::u16string name;
        bool readable = !item.empty() && DecodeUtf8(item, name) && name.size() <= kMaxNameChars;
        for (char16_t c : name) readable = readable && HoldableInFileName(c);
        if (readable) patterns.push_back(name);
        start = end + 1;
    }
    return patterns;
}

bool MatchesProgram(const ProgramPatterns& patterns, std::u16string_view fileName) {
    for (const std::u16string& pattern : patterns)
        if (WildcardMatch(pattern, fileName)) return true;
    return false;
}

char16_t FoldFileNameCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
    return c;
}
