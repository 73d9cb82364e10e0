#pragma once
// The password as typed against its verifier, and a new verifier for it.
// The password is held only while it is checked: every copy made of it is
// wiped afterwards.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The PBKDF2 iterations of a new verifier: about a quarter of a second a
// check on a current PC.
extern const uint32_t kPasswordIterations;

// False for a verifier that cannot be read: a damaged line matches nothing.
bool PasswordMatches(const wchar_t* typed, size_t length, std::string_view verifier);
// Empty where the system's cryptography cannot make one.
std::string MakeVerifier(const wchar_t* typed, size_t length);
