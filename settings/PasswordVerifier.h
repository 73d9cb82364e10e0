#pragma once
// What VEXAL.ini keeps of the password: never the password, a verifier of
// it, "pbkdf2-sha256$ITERATIONS$SALT$HASH" (decimal, then lower-case hex),
// PBKDF2 with HMAC-SHA-256. The iteration count travels in the line, so
// that a later version can raise it for new passwords.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct PasswordVerifier {
    uint32_t iterations = 0;
    std::vector<uint8_t> salt;  // 8 to 64 bytes
    std::vector<uint8_t> hash;  // 32 bytes
};

// What a Password= value says. A line that cannot be read stands for a
// password no input matches, never for none: a damaged line must not open
// everything.
enum class PasswordState { None, Set, Unreadable };

// Strict: the exact prefix, a count from 1 to kMaxIterations without a
// leading zero, hex digits only, nothing after the hash. Empty is None.
PasswordState ReadVerifier(std::string_view text, PasswordVerifier& verifier);
std::string FormatVerifier(const PasswordVerifier& verifier);

constexpr uint32_t kMaxIterations = 100000000;
constexpr size_t kVerifierHashBytes = 32;

// Compares in a time that depends on the length alone, not on where the
// bytes first differ.
bool SameBytes(const uint8_t* a, const uint8_t* b, size_t n);
