#include "config/service_config.hpp"

#include <set>

#include <nlohmann/json.hpp>

#include "cli/date_time_text.hpp"
#include "os/file_bytes.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"
#include "printer/codepage/code_page.hpp"
#include "printer/printer_profiles.hpp"
#include "printer/transport/printer_address.hpp"

namespace tovprintd {
namespace {

using nlohmann::json;

constexpr double longest_printer_timeout_seconds = 3600;

// One object of the configuration: each key read at most once with its type; the keys nobody
// read are refused by name. `where` is the path of the object in messages ("printers.caixa").
class ConfigObject {
public:
    ConfigObject(const json& object, std::string origin, std::string where)
        : object_(object), origin_(std::move(origin)), where_(std::move(where)) {
        if (!object_.is_object()) fail("", "must be an object");
    }

    [[noreturn]] void fail(const std::string& key, const std::string& why) const {
        std::string path = where_;
        if (!key.empty()) path += (path.empty() ? "" : ".") + key;
        throw tov::ArgumentError(origin_ + ": " + (path.empty() ? "" : path + ": ") + why);
    }

    const json* find(const char* key) {
        seen_.insert(key);
        const auto found = object_.find(key);
        return found == object_.end() ? nullptr : &*found;
    }

    const json& required(const char* key, const char* what) {
        const json* value = find(key);
        if (value == nullptr) fail(key, std::string("missing (") + what + ")");
        return *value;
    }

    std::optional<std::string> text(const char* key) {
        const json* value = find(key);
        if (value == nullptr) return std::nullopt;
        if (!value->is_string() || value->get_ref<const std::string&>().empty()) {
            fail(key, "must be a string that is not empty");
        }
        return value->get<std::string>();
    }

    std::string required_text(const char* key) {
        required(key, "a string");
        return *text(key);
    }

    std::optional<double> number(const char* key, double lowest, double highest) {
        const json* value = find(key);
        if (value == nullptr) return std::nullopt;
        if (!value->is_number() || value->get<double>() < lowest ||
            value->get<double>() > highest) {
            fail(key, "must be a number from " + format(lowest) + " to " + format(highest));
        }
        return value->get<double>();
    }

    std::string child_where(const std::string& key) const {
        return where_.empty() ? key : where_ + "." + key;
    }
    const std::string& origin() const { return origin_; }

    void reject_unknown_keys() const {
        for (const auto& item : object_.items()) {
            if (!seen_.contains(item.key())) fail(item.key(), "unknown key");
        }
    }

private:
    static std::string format(double value) {
        std::string text = std::to_string(value);
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
        return text;
    }

    const json& object_;
    std::string origin_;
    std::string where_;
    std::set<std::string, std::less<>> seen_;
};

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<TokenDigest> digest_of_hex(const std::string& hex) {
    TokenDigest digest{};
    if (hex.size() != digest.size() * 2) return std::nullopt;
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = hex_digit(hex[2 * i]);
        const int low = hex_digit(hex[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        digest[i] = static_cast<unsigned char>(high * 16 + low);
    }
    return digest;
}

CallerConfig read_caller(const json& value, const std::string& origin, std::size_t index) {
    ConfigObject caller(value, origin, "callers[" + std::to_string(index) + "]");
    CallerConfig config;
    config.name = caller.required_text("name");
    const auto digest = digest_of_hex(caller.required_text("token_sha256"));
    if (!digest) caller.fail("token_sha256", "must be 64 hexadecimal digits (a SHA-256)");
    config.token_sha256 = *digest;
    const auto role = caller_role_named(caller.required_text("role"));
    if (!role) caller.fail("role", "must be \"till\" or \"manager\"");
    config.role = *role;
    caller.reject_unknown_keys();
    return config;
}

std::vector<CallerConfig> read_callers(ConfigObject& top) {
    const json& list = top.required("callers", "a list of callers");
    if (!list.is_array() || list.empty()) top.fail("callers", "must be a list of callers");
    std::vector<CallerConfig> callers;
    std::set<std::string> names;
    std::set<TokenDigest> digests;
    for (std::size_t i = 0; i < list.size(); ++i) {
        CallerConfig caller = read_caller(list[i], top.origin(), i);
        const std::string where = "callers[" + std::to_string(i) + "]";
        if (!names.insert(caller.name).second) {
            top.fail(where, "a second caller named '" + caller.name + "'");
        }
        if (!digests.insert(caller.token_sha256).second) {
            top.fail(where, "the same token as another caller");
        }
        callers.push_back(std::move(caller));
    }
    return callers;
}

PrinterConfig read_printer(const std::string& name, const json& value, const std::string& origin,
                           const std::string& where) {
    ConfigObject printer(value, origin, where);
    PrinterConfig config;
    config.name = name;
    config.address = printer.required_text("address");
    try {
        tovprint::parse_printer_address(config.address);
    } catch (const tov::ArgumentError& error) {
        printer.fail("address", error.what());
    }
    const std::string profile = printer.text("profile").value_or(tovprint::default_profile_name);
    try {
        config.profile = tovprint::find_printer_profile(profile);
        tovprint::CodePage check(config.profile.code_page);
    } catch (const tov::Error& error) {
        printer.fail("profile", error.what());
    }
    config.backup = printer.text("backup");
    if (const auto seconds = printer.number("timeout", 0.001, longest_printer_timeout_seconds)) {
        config.timeout = std::chrono::milliseconds(static_cast<long long>(*seconds * 1000 + 0.5));
    }
    printer.reject_unknown_keys();
    return config;
}

bool is_printer_name(const std::string& name) {
    if (name.empty() || name.size() > 64) return false;
    for (const char c : name) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!allowed) return false;
    }
    return true;
}

std::map<std::string, PrinterConfig> read_printers(ConfigObject& top) {
    const json& printers = top.required("printers", "an object of printers by name");
    if (!printers.is_object() || printers.empty()) {
        top.fail("printers", "must be an object of printers by name");
    }
    std::map<std::string, PrinterConfig> configs;
    for (const auto& item : printers.items()) {
        const std::string where = top.child_where("printers." + item.key());
        if (!is_printer_name(item.key())) {
            top.fail("printers." + item.key(),
                     "a printer's name is 1 to 64 letters, digits, '-', '_' or '.'");
        }
        configs.emplace(item.key(), read_printer(item.key(), item.value(), top.origin(), where));
    }
    for (const auto& [name, printer] : configs) {
        if (!printer.backup) continue;
        if (*printer.backup == name)
            top.fail("printers." + name + ".backup", "is the printer itself");
        if (!configs.contains(*printer.backup)) {
            top.fail("printers." + name + ".backup",
                     "no printer is named '" + *printer.backup + "'");
        }
    }
    return configs;
}

std::optional<TlsConfig> read_tls(ConfigObject& top) {
    const json* value = top.find("tls");
    if (value == nullptr) return std::nullopt;
    ConfigObject tls(*value, top.origin(), "tls");
    TlsConfig config{tls.required_text("certificate"), tls.required_text("key")};
    tls.reject_unknown_keys();
    return config;
}

PackageConfig read_package(ConfigObject& top) {
    PackageConfig config;
    const json* value = top.find("package");
    if (value == nullptr) return config;
    ConfigObject package(*value, top.origin(), "package");
    if (const auto connection = package.text("connection")) {
        const std::string cp1252 = tov::text::utf8_to_cp1252(*connection);
        if (tov::text::cp1252_to_utf8(cp1252) != *connection) {
            package.fail("connection", "holds a character Windows-1252 cannot write");
        }
        config.connection = cp1252;
    }
    if (const auto exe_path = package.text("exe_path")) config.exe_path = *exe_path;
    if (const auto library = package.text("library")) config.library = *library;
    if (const auto now = package.text("now")) {
        try {
            config.now = tovprint::parse_date_time(*now);
        } catch (const tov::Error& error) {
            package.fail("now", error.what());
        }
    }
    package.reject_unknown_keys();
    return config;
}

json parse_json(std::string_view text, const std::string& origin) {
    try {
        return json::parse(text);
    } catch (const json::exception& error) {
        throw tov::ArgumentError(origin + ": not valid JSON: " + error.what());
    }
}

}  // namespace

ServiceConfig read_service_config(std::string_view json_text, const std::string& origin) {
    const json parsed = parse_json(json_text, origin);
    ConfigObject top(parsed, origin, "");
    ServiceConfig config;
    try {
        config.listen = parse_listen_address(top.text("listen").value_or(default_listen_address));
    } catch (const tov::ArgumentError& error) {
        top.fail("listen", error.what());
    }
    config.journal = top.required_text("journal");
    config.callers = read_callers(top);
    config.tls = read_tls(top);
    config.printers = read_printers(top);
    config.package = read_package(top);
    if (const auto limit = top.number("queue_limit", 1, 1000000)) {
        config.queue_limit = static_cast<std::size_t>(*limit);
    }
    if (const auto bytes = top.number("max_body_bytes", 1024, 256.0 * 1024 * 1024)) {
        config.max_body_bytes = static_cast<std::size_t>(*bytes);
    }
    top.reject_unknown_keys();
    return config;
}

ServiceConfig load_service_config(const std::filesystem::path& file) {
    return read_service_config(tovprint::read_file_bytes(file), file.string());
}

}  // namespace tovprintd
