#include "printer/printer_profile.hpp"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

#include <nlohmann/json.hpp>

#include "platform/errors/errors.hpp"
#include "printer/byte_notation.hpp"

namespace tovprint {
namespace {

using nlohmann::json;

constexpr std::array<std::string_view, 11> profile_keys = {
    "description", "kinds", "columns", "font",   "code_page",   "code_page_number",
    "bold",        "init",  "cut",     "status", "confirmation"};
constexpr int most_columns = 255;
constexpr char esc = '\x1B';

std::optional<long long> whole_number(const json& value) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<unsigned long long>();
        if (number > static_cast<unsigned long long>(std::numeric_limits<long long>::max())) {
            return std::nullopt;
        }
        return static_cast<long long>(number);
    }
    if (value.is_number_integer()) return value.get<long long>();
    return std::nullopt;
}

// Reads the keys of one profile object, naming the source and the key in every failure.
class ProfileObject {
public:
    ProfileObject(std::string_view text, const std::string& source) : source_(source) {
        try {
            object_ = json::parse(text, nullptr, true, true);
        } catch (const json::exception& error) {
            fail("is not valid JSON: " + std::string(error.what()));
        }
        if (!object_.is_object()) fail("must be a JSON object");
        for (const auto& [key, value] : object_.items()) {
            if (std::find(profile_keys.begin(), profile_keys.end(), key) == profile_keys.end()) {
                fail("unknown key '" + key + "'");
            }
        }
    }

    const json& value(const char* key, bool (json::*is_type)() const noexcept,
                      const char* expected) const {
        const auto found = object_.find(key);
        if (found == object_.end()) fail("missing key '" + std::string(key) + "'");
        if (!((*found).*is_type)()) fail("key '" + std::string(key) + "' must be " + expected);
        return *found;
    }

    std::string text(const char* key) const {
        return value(key, &json::is_string, "a string").get<std::string>();
    }

    int integer(const json& value, const std::string& what, int low, int high) const {
        const std::optional<long long> number = whole_number(value);
        if (!number || *number < low || *number > high) {
            fail(what + " must be a whole number from " + std::to_string(low) + " to " +
                 std::to_string(high));
        }
        return static_cast<int>(*number);
    }

    std::string bytes(const char* key) const {
        const std::string notation = text(key);
        try {
            return parse_byte_notation(notation);
        } catch (const tov::ArgumentError& error) {
            fail("key '" + std::string(key) + "': " + error.what());
        }
    }

    bool has(const char* key) const { return object_.contains(key); }

    [[noreturn]] void fail(const std::string& what) const {
        throw tov::ArgumentError("printer profile " + source_ + ": " + what);
    }

private:
    json object_;
    std::string source_;
};

std::vector<int> read_kinds(const ProfileObject& object) {
    std::vector<int> kinds;
    for (const json& kind : object.value("kinds", &json::is_array, "an array of printer kinds")) {
        kinds.push_back(object.integer(kind, "each of 'kinds'", std::numeric_limits<int>::min(),
                                       std::numeric_limits<int>::max()));
    }
    return kinds;
}

std::map<std::string, int> read_columns(const ProfileObject& object) {
    std::map<std::string, int> columns;
    const json& fonts = object.value("columns", &json::is_object, "an object of fonts");
    for (const auto& [font, count] : fonts.items()) {
        columns[font] =
            object.integer(count, "the columns of font '" + font + "'", 1, most_columns);
    }
    if (columns.empty()) object.fail("key 'columns' names no font");
    return columns;
}

BoldFamily read_bold(const ProfileObject& object) {
    const std::string name = object.text("bold");
    if (const auto family = bold_family_named(name)) return *family;
    object.fail("key 'bold' must be \"esc-e-n\" or \"esc-e-f\", not \"" + name + "\"");
}

StatusMethod read_status_method(const ProfileObject& object) {
    if (!object.has("status")) return StatusMethod::None;
    const std::string name = object.text("status");
    for (const StatusMethod method : {StatusMethod::None, StatusMethod::EscPos}) {
        if (status_method_name(method) == name) return method;
    }
    object.fail("key 'status' must be \"escpos\" or \"none\", not \"" + name + "\"");
}

ConfirmationMethod read_confirmation_method(const ProfileObject& object) {
    if (!object.has("confirmation")) return ConfirmationMethod::None;
    const std::string name = object.text("confirmation");
    for (const ConfirmationMethod method : {ConfirmationMethod::None, ConfirmationMethod::ProcessId,
                                            ConfirmationMethod::PaperSensor}) {
        if (confirmation_method_name(method) == name) return method;
    }
    object.fail("key 'confirmation' must be \"process-id\", \"paper-sensor\" or \"none\", not \"" +
                name + "\"");
}

}  // namespace

std::string_view status_method_name(StatusMethod method) {
    return method == StatusMethod::EscPos ? "escpos" : "none";
}

std::string_view confirmation_method_name(ConfirmationMethod method) {
    switch (method) {
        case ConfirmationMethod::ProcessId:
            return "process-id";
        case ConfirmationMethod::PaperSensor:
            return "paper-sensor";
        case ConfirmationMethod::None:
            break;
    }
    return "none";
}

std::string PrinterProfile::prologue() const {
    return init + std::string{esc, 't', static_cast<char>(code_page_number)};
}

PrinterProfile read_printer_profile(std::string_view json_text, std::string name,
                                    const std::string& source) {
    const ProfileObject object(json_text, source);
    PrinterProfile profile;
    profile.name = std::move(name);
    profile.description = object.text("description");
    profile.kinds = read_kinds(object);
    profile.columns = read_columns(object);
    profile.font = object.text("font");
    if (profile.columns.count(profile.font) == 0) {
        object.fail("font '" + profile.font + "' has no entry in 'columns'");
    }
    profile.code_page = object.text("code_page");
    profile.code_page_number =
        object.integer(object.value("code_page_number", &json::is_number, "a number"),
                       "key 'code_page_number'", 0, 255);
    profile.bold = read_bold(object);
    profile.init = object.bytes("init");
    profile.cut = object.bytes("cut");
    profile.status = read_status_method(object);
    profile.confirmation = read_confirmation_method(object);
    return profile;
}

}  // namespace tovprint
