#pragma once
// A request file of tovprint: one JSON object (UTF-8) whose keys are the parameter names of an
// export. Each key is read once with the type its parameter has; texts are converted to
// Windows-1252. A key that is missing, has the wrong type, or is never read is an error that
// names the key and the request.

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "packet_files.hpp"

namespace tovprint {

class RequestObject {
public:
    // origin names the request in messages (its file name). Throws tov::ArgumentError when the
    // text is not a JSON object.
    RequestObject(std::string_view json_text, std::string origin);

    std::string text(const char* key);            // a JSON string, as Windows-1252
    std::string utf8_text(const char* key);       // a JSON string as written
    std::filesystem::path path(const char* key);  // a JSON string naming a file, from UTF-8
    // A packet: a JSON string naming its file, or {"base64": "..."} holding the packet itself.
    PacketReference packet(const char* key);
    bool boolean(const char* key);     // true or false
    int32_t integer(const char* key);  // a whole number within 32 bits
    double number(const char* key);    // any number

    // Throws tov::ArgumentError naming every key that no read asked for.
    void reject_unknown_keys() const;

private:
    const nlohmann::json& value(const char* key, std::string_view expected);
    [[noreturn]] void reject(const char* key, std::string_view expected) const;

    nlohmann::json object_;
    std::string origin_;
    std::set<std::string, std::less<>> read_keys_;
};

}  // namespace tovprint
