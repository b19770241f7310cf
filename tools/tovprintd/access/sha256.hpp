#pragma once
// SHA-256 of bytes, with OpenSSL's libcrypto: the digests of callers' tokens and of request
// bodies.

#include <array>
#include <string>
#include <string_view>

namespace tovprintd {

using Sha256 = std::array<unsigned char, 32>;

Sha256 sha256(std::string_view bytes);

// 64 lowercase hexadecimal digits.
std::string hex_text(const Sha256& digest);

}  // namespace tovprintd
