// The signature check and SHA-256 for native tests, on OpenSSL's libcrypto (the program uses
// the system's CNG on Windows), and the publisher's side: signing a configuration file with a key file, as
// `openssl dgst -sha256 -sign KEY | base64 -w0` does in the release.
#pragma once
#include <string>

#include "platform/downloads.h"

namespace pw::fake {

class OpenSslSignatureCheck : public ISignatureCheck {
public:
    bool Sha256(const std::string& data, std::string& digest) override;
    bool VerifyP256(const std::string& keyXY, const std::string& digest, const std::string& signatureRS) override;
    int calls = 0;
    bool hashFails = false;   // the system cannot compute a hash
};

// SHA-256 of `data` as 64 lower-case hex digits (OpenSSL's), for building configurations.
std::string Sha256Hex(const std::string& data);

// Base64 of the DER ECDSA signature of SHA-256(`data`) with the private key in `pemPath`
// ("" when the key cannot be read).
std::string SignBase64(const std::string& data, const std::string& pemPath);

// The test key pair's private half, and a second key the program does not trust.
std::string TestKeyPath();
std::string OtherKeyPath();

}  // namespace pw::fake
