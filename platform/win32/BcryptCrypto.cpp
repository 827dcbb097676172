#include "platform/win32/BcryptCrypto.h"

#include <bcrypt.h>

#include <algorithm>
#include <cstring>

namespace pw::win32 {

namespace {

inline bool Ok(NTSTATUS status) { return status >= 0; }

}  // namespace

bool BcryptSignatureCheck::VerifyP256(const std::string& keyXY, const std::string& digest,
                                      const std::string& signatureRS) {
    if (keyXY.size() != 64 || digest.size() != 32 || signatureRS.size() != 64) return false;
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!Ok(::BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0))) return false;
    // BCRYPT_ECCKEY_BLOB, then X and Y.
    unsigned char blob[sizeof(BCRYPT_ECCKEY_BLOB) + 64];
    BCRYPT_ECCKEY_BLOB header;
    header.dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
    header.cbKey = 32;
    std::memcpy(blob, &header, sizeof header);
    std::memcpy(blob + sizeof header, keyXY.data(), 64);
    BCRYPT_KEY_HANDLE key = nullptr;
    bool good = false;
    if (Ok(::BCryptImportKeyPair(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key, blob, sizeof blob, 0))) {
        unsigned char hash[32], signature[64];
        std::memcpy(hash, digest.data(), 32);
        std::memcpy(signature, signatureRS.data(), 64);
        good = ::BCryptVerifySignature(key, nullptr, hash, sizeof hash, signature, sizeof signature, 0) == 0;
        ::BCryptDestroyKey(key);
    }
    ::BCryptCloseAlgorithmProvider(algorithm, 0);
    return good;
}

BcryptSha256::BcryptSha256() {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!Ok(::BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) return;
    algorithm_ = algorithm;
    // The hash state lives in a buffer of the size the provider asks for.
    DWORD objectSize = 0, got = 0;
    if (!Ok(::BCryptGetProperty(algorithm, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&objectSize),
                                sizeof objectSize, &got, 0)) || objectSize == 0 || objectSize > 65536)
        return;
    object_.assign(objectSize, '\0');
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (!Ok(::BCryptCreateHash(algorithm, &hash, reinterpret_cast<PUCHAR>(&object_[0]), objectSize, nullptr, 0, 0)))
        return;
    hash_ = hash;
    ok_ = true;
}

BcryptSha256::~BcryptSha256() {
    if (hash_) ::BCryptDestroyHash(static_cast<BCRYPT_HASH_HANDLE>(hash_));
    if (algorithm_) ::BCryptCloseAlgorithmProvider(static_cast<BCRYPT_ALG_HANDLE>(algorithm_), 0);
}

void BcryptSha256::Add(const void* data, unsigned long size) {
    if (!ok_ || size == 0) return;
    ok_ = Ok(::BCryptHashData(static_cast<BCRYPT_HASH_HANDLE>(hash_),
                              static_cast<PUCHAR>(const_cast<void*>(data)), size, 0));
}

bool BcryptSha256::FinishBytes(std::string& digest) {
    unsigned char bytes[32];
    if (!ok_ || !Ok(::BCryptFinishHash(static_cast<BCRYPT_HASH_HANDLE>(hash_), bytes, sizeof bytes, 0))) return false;
    ok_ = false;
    digest.assign(reinterpret_cast<const char*>(bytes), sizeof bytes);
    return true;
}

bool BcryptSha256::Finish(std::string& hex) {
    std::string digest;
    if (!FinishBytes(digest)) return false;
    static const char kHex[] = "0123456789abcdef";
    hex.clear();
    for (unsigned char b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return true;
}

bool BcryptSignatureCheck::Sha256(const std::string& data, std::string& digest) {
    BcryptSha256 hash;
    for (std::size_t at = 0; at < data.size();) {
        const unsigned long n = static_cast<unsigned long>(std::min<std::size_t>(data.size() - at, 1u << 24));
        hash.Add(data.data() + at, n);
        at += n;
    }
    return hash.FinishBytes(digest);
}

}  // namespace pw::win32
