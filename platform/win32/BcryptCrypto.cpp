#include "platform/win32/BcryptCrypto.h"

#include <bcrypt.h>

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

bool BcryptSha256::Finish(std::string& hex) {
    unsigned char digest[32];
    if (!ok_ || !Ok(::BCryptFinishHash(static_cast<BCRYPT_HASH_HANDLE>(hash_), digest, sizeof digest, 0))) return false;
    ok_ = false;
    static const char kHex[] = "0123456789abcdef";
    hex.clear();
    for (unsigned char b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return true;
}

}  // namespace pw::win32
