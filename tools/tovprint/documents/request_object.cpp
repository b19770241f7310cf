#include "documents/request_object.hpp"

#include <cstdio>
#include <limits>

#include "platform/dataset/packet_xml_values.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"

namespace tovprint {
namespace {

// A request is flat; anything nested deeper is refused while parsing, before it is built.
constexpr int deepest_nesting = 8;

nlohmann::json parse_object(std::string_view json_text, const std::string& origin) {
    const auto refuse_deep_nesting = [&](int depth, nlohmann::json::parse_event_t,
                                         nlohmann::json&) {
        if (depth > deepest_nesting) {
            throw tov::ArgumentError("request " + origin + ": nested too deeply");
        }
        return true;
    };
    nlohmann::json parsed;
    try {
        parsed = nlohmann::json::parse(json_text, refuse_deep_nesting);
    } catch (const nlohmann::json::exception& error) {
        throw tov::ArgumentError("request " + origin + " is not valid JSON: " + error.what());
    }
    if (!parsed.is_object()) {
        throw tov::ArgumentError("request " + origin + " must be a JSON object");
    }
    return parsed;
}

// The length of the UTF-8 sequence that starts with this byte (the JSON parser has checked the
// text is valid UTF-8).
std::size_t sequence_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    return 2;
}

// "U+20AC": how a character is named in messages.
std::string code_point_name(std::string_view sequence) {
    unsigned long code = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() > 1) {
        code &= 0xFFu >> (sequence.size() + 1);
        for (std::size_t i = 1; i < sequence.size(); ++i) {
            code = (code << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3Fu);
        }
    }
    char name[16];
    std::snprintf(name, sizeof name, "U+%04lX", code);
    return name;
}

}  // namespace

RequestObject::RequestObject(std::string_view json_text, std::string origin)
    : object_(parse_object(json_text, origin)), origin_(std::move(origin)) {}

const nlohmann::json& RequestObject::value(const char* key, std::string_view expected) {
    const auto found = object_.find(key);
    if (found == object_.end()) {
        throw tov::ArgumentError("request " + origin_ + ": missing key '" + key + "' (" +
                                 std::string(expected) + ")");
    }
    read_keys_.insert(key);
    return *found;
}

void RequestObject::reject(const char* key, std::string_view expected) const {
    throw tov::ArgumentError("request " + origin_ + ": key '" + key + "' must be " +
                             std::string(expected));
}

std::string RequestObject::utf8_text(const char* key) {
    constexpr std::string_view expected = "a string";
    const auto& found = value(key, expected);
    if (!found.is_string()) reject(key, expected);
    std::string text = found.get<std::string>();
    // A NUL would end the text where the package reads it: "a.xml\u0000.txt" would open a.xml.
    if (text.find('\0') != std::string::npos) reject(key, "a string without the character U+0000");
    return text;
}

std::filesystem::path RequestObject::path(const char* key) {
    return std::filesystem::u8path(utf8_text(key));
}

PacketReference RequestObject::packet(const char* key) {
    constexpr std::string_view expected =
        "a string naming a packet file or an object {\"base64\": \"...\"}";
    const auto found = object_.find(key);
    if (found == object_.end() || !found->is_object()) {
        if (found != object_.end() && !found->is_string()) reject(key, expected);
        return PacketReference{key, path(key), std::nullopt};
    }
    read_keys_.insert(key);
    const auto base64 = found->find("base64");
    if (found->size() != 1 || base64 == found->end() || !base64->is_string()) {
        reject(key, expected);
    }
    auto bytes = tov::dataset::xml_values::decode_base64(base64->get_ref<const std::string&>());
    if (!bytes) reject(key, "an object whose \"base64\" holds base64 text");
    return PacketReference{key, {}, std::move(bytes)};
}

// Every character must have its Windows-1252 byte: one that has none is refused by name rather
// than printed as '?'.
std::string RequestObject::text(const char* key) {
    const std::string utf8 = utf8_text(key);
    std::string cp1252;
    cp1252.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::string_view sequence = std::string_view(utf8).substr(
            at, sequence_length(static_cast<unsigned char>(utf8[at])));
        const std::string byte = tov::text::utf8_to_cp1252(sequence);
        if (byte == "?" && sequence != "?") {
            throw tov::ArgumentError("request " + origin_ + ": key '" + key + "' holds " +
                                     code_point_name(sequence) +
                                     ", which Windows-1252 cannot write");
        }
        cp1252 += byte;
        at += sequence.size();
    }
    return cp1252;
}

bool RequestObject::boolean(const char* key) {
    constexpr std::string_view expected = "true or false";
    const auto& found = value(key, expected);
    if (!found.is_boolean()) reject(key, expected);
    return found.get<bool>();
}

int32_t RequestObject::integer(const char* key) {
    constexpr std::string_view expected = "a whole number of 32 bits";
    const auto& found = value(key, expected);
    if (found.is_number_unsigned()) {
        const auto number = found.get<uint64_t>();
        if (number > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
            reject(key, expected);
        }
        return static_cast<int32_t>(number);
    }
    if (!found.is_number_integer()) reject(key, expected);
    const auto number = found.get<int64_t>();
    if (number < std::numeric_limits<int32_t>::min() ||
        number > std::numeric_limits<int32_t>::max()) {
        reject(key, expected);
    }
    return static_cast<int32_t>(number);
}

double RequestObject::number(const char* key) {
    constexpr std::string_view expected = "a number";
    const auto& found = value(key, expected);
    if (!found.is_number()) reject(key, expected);
    return found.get<double>();
}

void RequestObject::reject_unknown_keys() const {
    std::string unknown;
    for (const auto& item : object_.items()) {
        if (read_keys_.contains(item.key())) continue;
        unknown += (unknown.empty() ? "'" : ", '") + item.key() + "'";
    }
    if (!unknown.empty()) {
        throw tov::ArgumentError("request " + origin_ + ": unknown key " + unknown);
    }
}

}  // namespace tovprint
