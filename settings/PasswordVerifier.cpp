#include "settings/PasswordVerifier.h"

namespace {

constexpr std::string_view kPrefix = "pbkdf2-sha256$";
constexpr size_t kMinSalt = 8;
constexpr size_t kMaxSalt = 64;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool ReadHex(std::string_view text, std::vector<uint8_t>& bytes) {
    if (text.size() % 2 != 0) return false;
    bytes.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return true;
}

bool ReadCount(std::string_view text, uint32_t& count) {
    if (text.empty() || text.size() > 9 || text[0] == '0') return false;
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    if (value > kMaxIterations) return false;
    count = value;
    return true;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

}  // namespace

PasswordState ReadVerifier(std::string_view text, PasswordVerifier& verifier) {
    if (text.empty()) return PasswordState::None;
    if (text.substr(0, kPrefix.size()) != kPrefix) return PasswordState::Unreadable;
    text.remove_prefix(kPrefix.size());
    const size_t first = text.find('$');
    const size_t second = first == std::string_view::npos ? first : text.find('$', first + 1);
    if (second == std::string_view::npos) return PasswordState::Unreadable;
    PasswordVerifier read;
    if (!ReadCount(text.substr(0, first), read.iterations) ||
        !ReadHex(text.substr(first + 1, second - first - 1), read.salt) ||
        !ReadHex(text.substr(second + 1), read.hash) || read.salt.size() < kMinSalt || read.salt.size() > kMaxSalt ||
        read.hash.size() != kVerifierHashBytes)
        return PasswordState::Unreadable;
    verifier = read;
    return PasswordState::Set;
}

std::string FormatVerifier(const PasswordVerifier& verifier) {
    return std::string(kPrefix) + std::to_string(verifier.iterations) + "$" + Hex(verifier.salt) + "$" +
           Hex(verifier.hash);
}

bool SameBytes(const uint8_t* a, const uint8_t* b, size_t n) {
    uint8_t differ = 0;
    for (size_t i = 0; i < n; ++i) differ |= static_cast<uint8_t>(a[i] ^ b[i]);
    return differ == 0;
}
