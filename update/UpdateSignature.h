// The publisher's signature on the Live Update configuration file. Line 5 holds the standard
// base64 (one line) of the DER ECDSA P-256 signature that `openssl dgst -sha256 -sign KEY`
// makes over the exact bytes of lines 1 to 4 as served, each with its own line end. The
// program carries the publisher's public key; the private key never goes near the server.
#pragma once
#include <string>

#include "platform/downloads.h"
#include "update/UpdateConfig.h"

namespace pw {

// The public key this build trusts (X then Y, 32 bytes each), or "" for a build made without
// the publisher's key, which trusts none. Each program gets its own (update/PublisherKey.cpp,
// built with the key its build names).
const std::string& PublisherKey();

enum class SignatureVerdict {
    Good,
    NoKey,        // this build carries no key to check with: nothing can be trusted
    Missing,      // no line 5, or lines 1 to 4 are not all there with their line ends
    Malformed,    // line 5 is not base64 of a DER ECDSA signature
    Bad,          // a signature, but not the publisher's over these bytes
};

// Checks `text` (the configuration as served, parsed into `config`) against `keyXY`.
SignatureVerdict CheckConfigSignature(const std::string& text, const UpdateConfig& config, const std::string& keyXY,
                                      ISignatureCheck& check);

// Standard base64 (A-Z a-z 0-9 + /, "=" padding, no line breaks) to bytes; false for anything else.
bool Base64Decode(const std::string& text, std::string& bytes);
// A DER ECDSA-Sig-Value (SEQUENCE of two INTEGERs) as r then s, 32 bytes each; false when it
// is not one or a number does not fit in 32 bytes.
bool DerSignatureToRS(const std::string& der, std::string& rs);

}  // namespace pw
