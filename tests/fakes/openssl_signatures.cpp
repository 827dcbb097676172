#include "fakes/openssl_signatures.h"

#include <openssl/bn.h>
#include <openssl/ec.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/obj_mac.h>
#include <openssl/pem.h>

#include <cstdio>

// The deprecated EC_KEY calls are the short way to a key from raw X and Y here.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace pw::fake {

bool OpenSslSignatureCheck::Sha256(const std::string& data, std::string& digest) {
    if (hashFails) return false;
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    if (EVP_Digest(data.data(), data.size(), out, &n, EVP_sha256(), nullptr) != 1 || n != 32) return false;
    digest.assign(reinterpret_cast<const char*>(out), n);
    return true;
}

std::string Sha256Hex(const std::string& data) {
    std::string digest;
    OpenSslSignatureCheck().Sha256(data, digest);
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return hex;
}

bool OpenSslSignatureCheck::VerifyP256(const std::string& keyXY, const std::string& digest,
                                       const std::string& signatureRS) {
    ++calls;
    if (keyXY.size() != 64 || digest.size() != 32 || signatureRS.size() != 64) return false;
    auto bytes = [](const std::string& s, std::size_t at) {
        return BN_bin2bn(reinterpret_cast<const unsigned char*>(s.data()) + at, 32, nullptr);
    };
    EC_KEY* key = EC_KEY_new_by_curve_name(NID_X9_62_prime256v1);
    BIGNUM *x = bytes(keyXY, 0), *y = bytes(keyXY, 32);
    bool good = false;
    if (key && EC_KEY_set_public_key_affine_coordinates(key, x, y) == 1) {
        ECDSA_SIG* sig = ECDSA_SIG_new();
        ECDSA_SIG_set0(sig, bytes(signatureRS, 0), bytes(signatureRS, 32));
        good = ECDSA_do_verify(reinterpret_cast<const unsigned char*>(digest.data()), 32, sig, key) == 1;
        ECDSA_SIG_free(sig);
    }
    BN_free(x);
    BN_free(y);
    EC_KEY_free(key);
    return good;
}

std::string SignBase64(const std::string& data, const std::string& pemPath) {
    FILE* f = std::fopen(pemPath.c_str(), "r");
    if (!f) return "";
    EVP_PKEY* key = PEM_read_PrivateKey(f, nullptr, nullptr, nullptr);
    std::fclose(f);
    if (!key) return "";
    std::string out;
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    size_t size = 0;
    if (EVP_DigestSignInit(ctx, nullptr, EVP_sha256(), nullptr, key) == 1 &&
        EVP_DigestSign(ctx, nullptr, &size, reinterpret_cast<const unsigned char*>(data.data()), data.size()) == 1) {
        std::string der(size, '\0');
        if (EVP_DigestSign(ctx, reinterpret_cast<unsigned char*>(&der[0]), &size,
                           reinterpret_cast<const unsigned char*>(data.data()), data.size()) == 1) {
            der.resize(size);
            std::string b64(4 * ((der.size() + 2) / 3) + 1, '\0');
            int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(&b64[0]),
                                    reinterpret_cast<const unsigned char*>(der.data()), static_cast<int>(der.size()));
            b64.resize(n);
            out = b64;
        }
    }
    EVP_MD_CTX_free(ctx);
    EVP_PKEY_free(key);
    return out;
}

std::string TestKeyPath() { return std::string(PAGEWICK_TEST_KEYS) + "/update-test-key.pem"; }
std::string OtherKeyPath() { return std::string(PAGEWICK_TEST_KEYS) + "/other-test-key.pem"; }

}  // namespace pw::fake
