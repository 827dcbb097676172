// The system's cryptography (CNG, bcrypt.dll) for Live Update: the ECDSA P-256 signature check
// of the configuration file, and SHA-256, of the signed lines and of a download as it streams
// in. The program has no hash of its own.
#pragma once
#include <windows.h>

#include <string>

#include "platform/downloads.h"

namespace pw::win32 {

class BcryptSignatureCheck : public ISignatureCheck {
public:
    bool Sha256(const std::string& data, std::string& digest) override;
    bool VerifyP256(const std::string& keyXY, const std::string& digest, const std::string& signatureRS) override;
};

// SHA-256 over data given piece by piece. Any failure of the system's provider makes Finish
// return false.
class BcryptSha256 {
public:
    BcryptSha256();
    ~BcryptSha256();
    BcryptSha256(const BcryptSha256&) = delete;
    BcryptSha256& operator=(const BcryptSha256&) = delete;
    void Add(const void* data, unsigned long size);
    // The digest as 32 bytes.
    bool FinishBytes(std::string& digest);
    // The digest as 64 lower-case hex digits.
    bool Finish(std::string& hex);

private:
    void* algorithm_ = nullptr;   // BCRYPT_ALG_HANDLE
    void* hash_ = nullptr;        // BCRYPT_HASH_HANDLE
    std::string object_;          // the hash state
    bool ok_ = false;
};

}  // namespace pw::win32
