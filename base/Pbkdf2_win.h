#pragma once
// PBKDF2 with HMAC-SHA-256 and random bytes, through the system's own
// cryptography (CryptoAPI's AES provider, which has SHA-256 from Windows
// XP SP3 on): no hand-written cryptography.
#include <cstddef>
#include <cstdint>
#include <vector>

// Derives `length` bytes (at most 32 here) from the password and the salt;
// false where the system's cryptography cannot.
bool Pbkdf2Sha256(const uint8_t* password, size_t passwordSize, const std::vector<uint8_t>& salt, uint32_t iterations,
                  size_t length, std::vector<uint8_t>& derived);

// `count` bytes from the system's random source; false where it has none.
bool RandomBytes(size_t count, std::vector<uint8_t>& bytes);
