#include "update/UpdateSignature.h"

namespace pw {

namespace {

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// One DER length at `at`; false when it is malformed or runs past `end`.
bool DerLength(const std::string& der, std::size_t& at, std::size_t end, std::size_t& length) {
    if (at >= end) return false;
    const unsigned char first = static_cast<unsigned char>(der[at++]);
    if (first < 0x80) {
        length = first;
    } else if (first == 0x81) {
        if (at >= end) return false;
        length = static_cast<unsigned char>(der[at++]);
        if (length < 0x80) return false;
    } else {
        return false;   // a P-256 signature is never longer than 255 bytes
    }
    return length <= end - at;
}

// One INTEGER at `at` as 32 big-endian bytes appended to `out`.
bool DerInteger(const std::string& der, std::size_t& at, std::size_t end, std::string& out) {
    if (at >= end || der[at++] != 0x02) return false;
    std::size_t length = 0;
    if (!DerLength(der, at, end, length) || length == 0) return false;
    std::string value = der.substr(at, length);
    at += length;
    if (static_cast<unsigned char>(value[0]) & 0x80) return false;   // negative
    while (value.size() > 1 && value[0] == 0) value.erase(0, 1);
    if (value.size() > 32) return false;
    out += std::string(32 - value.size(), '\0') + value;
    return true;
}

}  // namespace

bool Base64Decode(const std::string& text, std::string& bytes) {
    bytes.clear();
    if (text.empty() || text.size() % 4 != 0) return false;
    unsigned buffer = 0;
    int bits = 0;
    std::size_t padding = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '=') {
            // Only at the end, at most two.
            if (i + 2 < text.size()) return false;
            ++padding;
            continue;
        }
        if (padding) return false;
        const int v = Base64Value(c);
        if (v < 0) return false;
        buffer = (buffer << 6) | static_cast<unsigned>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes += static_cast<char>((buffer >> bits) & 0xFF);
        }
    }
    return padding <= 2;
}

bool DerSignatureToRS(const std::string& der, std::string& rs) {
    rs.clear();
    std::size_t at = 0, length = 0;
    if (der.empty() || der[at++] != 0x30) return false;
    if (!DerLength(der, at, der.size(), length) || at + length != der.size()) return false;
    if (!DerInteger(der, at, der.size(), rs) || !DerInteger(der, at, der.size(), rs)) return false;
    return at == der.size();
}

SignatureVerdict CheckConfigSignature(const std::string& text, const UpdateConfig& config, const std::string& keyXY,
                                      ISignatureCheck& check) {
    if (keyXY.empty()) return SignatureVerdict::NoKey;
    if (config.lines < 5 || config.signedBytes == 0 || config.signature.empty()) return SignatureVerdict::Missing;
    std::string der, rs;
    if (!Base64Decode(config.signature, der) || !DerSignatureToRS(der, rs)) return SignatureVerdict::Malformed;
    std::string digest;
    if (!check.Sha256(text.substr(0, config.signedBytes), digest)) return SignatureVerdict::Bad;
    return check.VerifyP256(keyXY, digest, rs) ? SignatureVerdict::Good : SignatureVerdict::Bad;
}

}  // namespace pw
