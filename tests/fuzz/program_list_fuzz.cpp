// Feeds arbitrary bytes to the AlsoHide list's reader and matcher: the list up to the first LF, then a file name
// made of the rest, once a byte a character and once as UTF-16LE, each cut to the 260 characters a file name can
// have. Every name read is one a file could have. Every name read matches itself in another ASCII case with its `*`
// left out and its `?` made a letter; one without wildcards matches nothing longer or shorter. Where a name read
// and the file name are ASCII, the matcher agrees with a plain table of which beginnings match which.
// scripts/fuzz.sh's -timeout catches a name that keeps the matcher going back without end.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "trigger/ProgramList.h"

namespace {

constexpr size_t kMaxFileNameChars = 260;

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

char16_t OtherCase(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    return Lower(c);
}

bool Ascii(std::u16string_view text) {
    for (char16_t c : text)
        if (c >= 0x80) return false;
    return true;
}

// Row by row, which beginnings of `name` the pattern's first characters match.
bool TableMatch(std::u16string_view pattern, std::u16string_view name) {
    std::vector<bool> row(name.size() + 1, false);
    row[0] = true;
    for (char16_t p : pattern) {
        std::vector<bool> next(name.size() + 1, false);
        next[0] = p == u'*' && row[0];
        for (size_t j = 1; j <= name.size(); ++j)
            next[j] = p == u'*' ? row[j] || next[j - 1] : row[j - 1] && (p == u'?' || Lower(p) == Lower(name[j - 1]));
        row.swap(next);
    }
    return row[name.size()];
}

void CheckName(const ProgramPatterns& patterns, std::u16string_view name) {
    bool any = false;
    for (const std::u16string& pattern : patterns) {
        const bool matches = MatchesProgram({pattern}, name);
        if (Ascii(pattern) && Ascii(name) && matches != TableMatch(pattern, name)) std::abort();
        any = any || matches;
    }
    if (MatchesProgram(patterns, name) != any) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t lf = input.find('\n');
    const ProgramPatterns patterns = ParseProgramList(input.substr(0, lf));

    for (const std::u16string& pattern : patterns) {
        if (pattern.empty() || pattern.size() > kMaxFileNameChars || pattern.front() == u' ' ||
            pattern.front() == u'\t' || pattern.back() == u' ' || pattern.back() == u'\t')
            std::abort();
        for (char16_t c : pattern)
            if (c < 0x20 || std::u16string_view(u"<>:\"/\\|;").find(c) != std::u16string_view::npos) std::abort();

        std::u16string plain, other;
        for (char16_t c : pattern) {
            if (c != u'*') plain += c == u'?' ? u'a' : OtherCase(c);
            other += OtherCase(c);
        }
        if (!MatchesProgram({pattern}, plain) || !MatchesProgram(patterns, plain)) std::abort();
        if (pattern.find_first_of(u"*?") != std::u16string::npos) continue;
        if (!MatchesProgram({pattern}, other) || MatchesProgram({pattern}, other + u'x') ||
            MatchesProgram({pattern}, other.substr(0, other.size() - 1)))
            std::abort();
    }

    if (lf == std::string_view::npos) return 0;
    const std::string_view rest = input.substr(lf + 1);
    std::u16string bytewise, wide;
    for (size_t i = 0; i < rest.size() && bytewise.size() < kMaxFileNameChars; ++i)
        bytewise += static_cast<char16_t>(static_cast<uint8_t>(rest[i]));
    for (size_t i = 0; i + 1 < rest.size() && wide.size() < kMaxFileNameChars; i += 2)
        wide += static_cast<char16_t>(static_cast<uint8_t>(rest[i]) | static_cast<uint8_t>(rest[i + 1]) << 8);
    CheckName(patterns, bytewise);
    CheckName(patterns, wide);
    return 0;
}
