#include "settings/PasswordCheck_win.h"

#include <windows.h>

#include <vector>

#include "base/Pbkdf2_win.h"
#include "settings/PasswordVerifier.h"

const uint32_t kPasswordIterations = 200000;

namespace {

constexpr size_t kSaltBytes = 16;

// The password as UTF-8, the bytes the verifier is made of, wiped when it goes.
class Utf8Password {
public:
    Utf8Password(const wchar_t* typed, size_t length) {
        const int wide = static_cast<int>(length);
        const int n = length ? WideCharToMultiByte(CP_UTF8, 0, typed, wide, nullptr, 0, nullptr, nullptr) : 0;
        m_bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
        if (n > 0)
            WideCharToMultiByte(CP_UTF8, 0, typed, wide, reinterpret_cast<char*>(m_bytes.data()), n, nullptr, nullptr);
    }
    ~Utf8Password() {
        if (!m_bytes.empty()) SecureZeroMemory(m_bytes.data(), m_bytes.size());
    }
    Utf8Password(const Utf8Password&) = delete;
    Utf8Password& operator=(const Utf8Password&) = delete;
    const uint8_t* Data() const { return m_bytes.data(); }
    size_t Size() const { return m_bytes.size(); }

private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace

bool PasswordMatches(const wchar_t* typed, size_t length, std::string_view verifier) {
    PasswordVerifier v;
    if (ReadVerifier(verifier, v) != PasswordState::Set) return false;
    const Utf8Password password(typed, length);
    std::vector<uint8_t> derived;
    const bool same = Pbkdf2Sha256(password.Data(), password.Size(), v.salt, v.iterations, v.hash.size(), derived) &&
                      SameBytes(derived.data(), v.hash.data(), v.hash.size());
    SecureZeroMemory(derived.data(), derived.size());
    return same;
}

std::string MakeVerifier(const wchar_t* typed, size_t length) {
    PasswordVerifier v;
    v.iterations = kPasswordIterations;
    const Utf8Password password(typed, length);
    if (!RandomBytes(kSaltBytes, v.salt) ||
        !Pbkdf2Sha256(password.Data(), password.Size(), v.salt, v.iterations, kVerifierHashBytes, v.hash))
        return {};
    return FormatVerifier(v);
}
