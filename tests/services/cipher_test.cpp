#include "services/cipher.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tov::services {
namespace {

// Every byte Windows-1252 prints: ASCII from the blank, the defined bytes of 0x80 to 0x9F, and
// the upper half.
std::string printable_cp1252() {
    std::string text;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const bool undefined = byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
                               byte == 0x90 || byte == 0x9D;
        if (!undefined) text += static_cast<char>(byte);
    }
    return text;
}

TEST(Cipher, EnciphersFixedVectors) {
    EXPECT_EQ(Cripto("ABC", 7), "HJL");
    EXPECT_EQ(Cripto("~", 7), "&");
    EXPECT_EQ(Cripto("\xFF", 1), "\xA0");
    EXPECT_EQ(Cripto("", 7), "");
}

TEST(Cipher, DeciphersFixedVectors) {
    EXPECT_EQ(Uncripto("HJL", 7), "ABC");
    EXPECT_EQ(Uncripto("&", 7), "~");
    EXPECT_EQ(Uncripto("\xA0", 1), "\xFF");
}

TEST(Cipher, TheSameLetterEnciphersDifferentlyByPosition) {
    EXPECT_EQ(Cripto("aaaa", 0), "abcd");
}

TEST(Cipher, RoundTripsEveryPrintableText) {
    const std::string all = printable_cp1252();
    for (const int key :
         {0, 1, 5, kReportCipherKey, 9, 95, 96, 1000, -3, -2147483647 - 1, 2147483647}) {
        const std::string enciphered = Cripto(all, key);
        EXPECT_EQ(enciphered.size(), all.size());
        EXPECT_EQ(Uncripto(enciphered, key), all) << "key " << key;
        EXPECT_EQ(Cripto(Uncripto(all, key), key), all) << "key " << key;
    }
}

TEST(Cipher, KeepsPrintableBytesPrintableAndLeavesTheRestAlone) {
    const std::string all = printable_cp1252();
    const std::string enciphered = Cripto(all, kReportCipherKey);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto plain = static_cast<unsigned char>(all[i]);
        const auto shifted = static_cast<unsigned char>(enciphered[i]);
        if (plain < 0x7F) {
            EXPECT_TRUE(shifted >= 0x20 && shifted < 0x7F) << i;
        } else if (plain >= 0xA0) {
            EXPECT_GE(shifted, 0xA0) << i;
        } else {
            EXPECT_EQ(shifted, plain) << i;
        }
    }
    EXPECT_EQ(Cripto("\r\n\x1B\x7F", kReportCipherKey), "\r\n\x1B\x7F");
}

}  // namespace
}  // namespace tov::services
