#include "access/sha256.hpp"

#include <openssl/evp.h>

#include "platform/errors/errors.hpp"

namespace tovprintd {

Sha256 sha256(std::string_view bytes) {
    Sha256 digest{};
    unsigned int size = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1 ||
        size != digest.size()) {
        throw tov::Error("SHA-256 failed in libcrypto");
    }
    return digest;
}

std::string hex_text(const Sha256& digest) {
    constexpr const char* digits = "0123456789abcdef";
    std::string text;
    text.reserve(digest.size() * 2);
    for (const unsigned char byte : digest) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

}  // namespace tovprintd
