#include "services/text_helpers.hpp"

#include <array>
#include <cstddef>
#include <string>

#include "platform/errors/errors.hpp"

namespace tov::services {
namespace {

constexpr char kBlank = ' ';
constexpr char kZero = '0';

std::size_t as_size(int width) {
    return width > 0 ? static_cast<std::size_t>(width) : 0;
}

// The plain letter of every accented Windows-1252 letter; every other byte maps to itself.
constexpr std::array<unsigned char, 256> make_plain_letters() {
    std::array<unsigned char, 256> plain{};
    for (std::size_t byte = 0; byte < plain.size(); ++byte) {
        plain[byte] = static_cast<unsigned char>(byte);
    }
    auto map_range = [&plain](unsigned first, unsigned last, char letter) {
        for (unsigned byte = first; byte <= last; ++byte) {
            plain[byte] = static_cast<unsigned char>(letter);
        }
    };
    map_range(0x8A, 0x8A, 'S');  // Š
    map_range(0x8E, 0x8E, 'Z');  // Ž
    map_range(0x9A, 0x9A, 's');  // š
    map_range(0x9E, 0x9E, 'z');  // ž
    map_range(0x9F, 0x9F, 'Y');  // Ÿ
    map_range(0xC0, 0xC5, 'A');  // À Á Â Ã Ä Å
    map_range(0xC7, 0xC7, 'C');  // Ç
    map_range(0xC8, 0xCB, 'E');  // È É Ê Ë
    map_range(0xCC, 0xCF, 'I');  // Ì Í Î Ï
    map_range(0xD1, 0xD1, 'N');  // Ñ
    map_range(0xD2, 0xD6, 'O');  // Ò Ó Ô Õ Ö
    map_range(0xD8, 0xD8, 'O');  // Ø
    map_range(0xD9, 0xDC, 'U');  // Ù Ú Û Ü
    map_range(0xDD, 0xDD, 'Y');  // Ý
    map_range(0xE0, 0xE5, 'a');  // à á â ã ä å
    map_range(0xE7, 0xE7, 'c');  // ç
    map_range(0xE8, 0xEB, 'e');  // è é ê ë
    map_range(0xEC, 0xEF, 'i');  // ì í î ï
    map_range(0xF1, 0xF1, 'n');  // ñ
    map_range(0xF2, 0xF6, 'o');  // ò ó ô õ ö
    map_range(0xF8, 0xF8, 'o');  // ø
    map_range(0xF9, 0xFC, 'u');  // ù ú û ü
    map_range(0xFD, 0xFD, 'y');  // ý
    map_range(0xFF, 0xFF, 'y');  // ÿ
    return plain;
}

constexpr std::array<unsigned char, 256> kPlainLetters = make_plain_letters();

}  // namespace

std::string TamFixo(std::string_view text, int width) {
    const std::size_t columns = as_size(width);
    std::string cell(text.substr(0, columns));
    cell.resize(columns, kBlank);
    return cell;
}

std::string TamFixoR(std::string_view text, int width) {
    const std::size_t columns = as_size(width);
    const std::string_view kept = text.substr(0, columns);
    std::string cell(columns - kept.size(), kBlank);
    cell += kept;
    return cell;
}

std::string PadL(std::string_view text, int width) {
    const std::size_t columns = as_size(width);
    if (text.size() >= columns) return std::string(text);
    std::string padded(columns - text.size(), kBlank);
    padded += text;
    return padded;
}

std::string Centraliza(std::string_view text, int width) {
    const std::size_t columns = as_size(width);
    if (columns == 0) return {};
    if (text.size() >= columns) return std::string(text);
    const std::size_t left = (columns - text.size()) / 2;
    std::string centred(left, kBlank);
    centred += text;
    centred.resize(columns, kBlank);
    return centred;
}

std::string Replicate(std::string_view text, int count) {
    const std::size_t times = as_size(count);
    std::string repeated;
    if (times == 0 || text.empty()) return repeated;
    if (text.size() > repeated.max_size() / times) {
        throw ArgumentError("Replicate: " + std::to_string(count) + " copies of a text of " +
                            std::to_string(text.size()) + " bytes do not fit in a text");
    }
    repeated.reserve(text.size() * times);
    for (std::size_t copy = 0; copy < times; ++copy) repeated += text;
    return repeated;
}

std::string Ajusta(std::string_view text, int width) {
    const std::size_t columns = as_size(width);
    if (text.size() >= columns) return std::string(text);
    std::string fitted(columns - text.size(), kZero);
    fitted += text;
    return fitted;
}

bool EmptyString(std::string_view text) {
    for (const char byte : text) {
        if (static_cast<unsigned char>(byte) > static_cast<unsigned char>(kBlank)) return false;
    }
    return true;
}

std::string RemoveAcentos(std::string_view text) {
    std::string plain(text);
    for (char& byte : plain) {
        byte = static_cast<char>(kPlainLetters[static_cast<unsigned char>(byte)]);
    }
    return plain;
}

}  // namespace tov::services
