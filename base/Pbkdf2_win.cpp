#include "base/Pbkdf2_win.h"

#include <windows.h>
#include <wincrypt.h>

namespace {

constexpr DWORD kSha256Bytes = 32;
// CALG_SHA_256, which the headers declare only for systems after XP; XP
// SP3's AES provider has it all the same.
constexpr ALG_ID kSha256 = ALG_CLASS_HASH | ALG_TYPE_ANY | 12;

// A verify-only context of the AES provider, released on every path.
class CryptContext {
public:
    CryptContext() {
        if (!CryptAcquireContextW(&m_provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT | CRYPT_SILENT))
            m_provider = 0;
    }
    ~CryptContext() {
        if (m_provider) CryptReleaseContext(m_provider, 0);
    }
    CryptContext(const CryptContext&) = delete;
    CryptContext& operator=(const CryptContext&) = delete;
    HCRYPTPROV Get() const { return m_provider; }

private:
    HCRYPTPROV m_provider = 0;
};

// A key or a hash object of the context, destroyed on every path.
template <class T, BOOL(WINAPI* Destroy)(T)>
class CryptObject {
public:
    CryptObject() = default;
    ~CryptObject() {
        if (m_object) Destroy(m_object);
    }
    CryptObject(const CryptObject&) = delete;
    CryptObject& operator=(const CryptObject&) = delete;
    T* Put() { return &m_object; }
    T Get() const { return m_object; }

private:
    T m_object = 0;
};
using CryptKey = CryptObject<HCRYPTKEY, CryptDestroyKey>;
using CryptHash = CryptObject<HCRYPTHASH, CryptDestroyHash>;

// The HMAC key: any bytes go in as a plain-text key blob of RC2, which
// CryptoAPI takes for HMAC keys of any length when flagged so.
bool ImportHmacKey(HCRYPTPROV provider, const uint8_t* secret, size_t size, CryptKey& key) {
    struct Header {
        BLOBHEADER blob;
        DWORD size;
    };
    std::vector<uint8_t> blob(sizeof(Header) + size);
    Header header = {{PLAINTEXTKEYBLOB, CUR_BLOB_VERSION, 0, CALG_RC2}, static_cast<DWORD>(size)};
    CopyMemory(blob.data(), &header, sizeof header);
    if (size) CopyMemory(blob.data() + sizeof header, secret, size);
    const bool imported = CryptImportKey(provider, blob.data(), static_cast<DWORD>(blob.size()), 0,
                                         CRYPT_IPSEC_HMAC_KEY, key.Put()) != FALSE;
    SecureZeroMemory(blob.data(), blob.size());
    return imported;
}

// HMAC-SHA-256 of `data` from a keyed hash that has taken nothing yet.
bool Mac(const CryptHash& keyed, const uint8_t* data, DWORD size, uint8_t (&out)[kSha256Bytes]) {
    CryptHash hash;
    DWORD length = kSha256Bytes;
    return CryptDuplicateHash(keyed.Get(), nullptr, 0, hash.Put()) && CryptHashData(hash.Get(), data, size, 0) &&
           CryptGetHashParam(hash.Get(), HP_HASHVAL, out, &length, 0) && length == kSha256Bytes;
}

}  // namespace

bool Pbkdf2Sha256(const uint8_t* password, size_t passwordSize, const std::vector<uint8_t>& salt, uint32_t iterations,
                  size_t length, std::vector<uint8_t>& derived) {
    if (iterations == 0 || length == 0 || length > kSha256Bytes) return false;
    CryptContext context;
    CryptKey key;
    CryptHash keyed;
    HMAC_INFO info = {};
    info.HashAlgid = kSha256;
    if (!context.Get() || !ImportHmacKey(context.Get(), password, passwordSize, key) ||
        !CryptCreateHash(context.Get(), CALG_HMAC, key.Get(), 0, keyed.Put()) ||
        !CryptSetHashParam(keyed.Get(), HP_HMAC_INFO, reinterpret_cast<const BYTE*>(&info), 0))
        return false;
    // One block: the salt and the block number 1, big-endian.
    std::vector<uint8_t> first(salt);
    first.insert(first.end(), {0, 0, 0, 1});
    uint8_t u[kSha256Bytes];
    uint8_t t[kSha256Bytes];
    bool ok = Mac(keyed, first.data(), static_cast<DWORD>(first.size()), u);
    CopyMemory(t, u, sizeof t);
    for (uint32_t i = 1; ok && i < iterations; ++i) {
        ok = Mac(keyed, u, kSha256Bytes, u);
        for (DWORD k = 0; k < kSha256Bytes; ++k) t[k] ^= u[k];
    }
    if (ok) derived.assign(t, t + length);
    SecureZeroMemory(u, sizeof u);
    SecureZeroMemory(t, sizeof t);
    return ok;
}

bool RandomBytes(size_t count, std::vector<uint8_t>& bytes) {
    CryptContext context;
    bytes.assign(count, 0);
    return context.Get() && CryptGenRandom(context.Get(), static_cast<DWORD>(count), bytes.data());
}
