// SHA-256 of a byte string (FIPS 180-4), for checking downloaded installers.
#pragma once
#include <string>

namespace pw {

// The digest as 64 lower-case hex digits.
std::string Sha256Hex(const std::string& data);
// The digest as 32 bytes.
std::string Sha256Bytes(const std::string& data);

}  // namespace pw
