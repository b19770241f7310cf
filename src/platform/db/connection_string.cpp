#include "platform/db/connection_string.hpp"

#include <algorithm>

#include "platform/errors/errors.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::db {

namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

[[noreturn]] void fail(const std::string& what) {
    throw DatabaseError("connection string: " + what);
}

// Reads a quoted value starting at text[pos]; a doubled closing quote stands for itself.
std::string read_quoted(std::string_view text, std::size_t& pos) {
    const char open = text[pos];
    const char close = open == '{' ? '}' : open;
    std::string value;
    for (std::size_t at = pos + 1; at < text.size(); ++at) {
        if (text[at] != close) {
            value.push_back(text[at]);
            continue;
        }
        if (at + 1 < text.size() && text[at + 1] == close) {
            value.push_back(close);
            ++at;
            continue;
        }
        pos = at + 1;
        return value;
    }
    fail("quoted value opened at position " + std::to_string(pos + 1) + " is not closed");
}

std::string read_value(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'' || text[pos] == '{')) {
        std::string value = read_quoted(text, pos);
        const auto end = text.find(';', pos);
        if (!trim(text.substr(pos, end == std::string_view::npos ? end : end - pos)).empty())
            fail("text after the quoted value ending at position " + std::to_string(pos));
        pos = end == std::string_view::npos ? text.size() : end + 1;
        return value;
    }
    const auto end = text.find(';', pos);
    std::string value(trim(text.substr(pos, end == std::string_view::npos ? end : end - pos)));
    pos = end == std::string_view::npos ? text.size() : end + 1;
    return value;
}

bool starts_with_no_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           text::ansi_same_text(text.substr(0, prefix.size()), prefix);
}

// An ODBC value in braces when it holds anything the plain form cannot carry.
std::string odbc_value(std::string_view value) {
    const bool plain =
        value.find_first_of(";{}=") == std::string_view::npos && trim(value) == value;
    if (plain) return std::string(value);
    std::string quoted = "{";
    for (char c : value) {
        quoted.push_back(c);
        if (c == '}') quoted.push_back('}');
    }
    return quoted + "}";
}

void append_pair(std::string& out, std::string_view key, std::string_view value) {
    if (value.empty()) return;
    if (!out.empty()) out.push_back(';');
    out.append(key).append("=").append(odbc_value(value));
}

bool integrated_security(const ConnectionPairs& pairs) {
    const std::string value = connection_value(pairs, "Integrated Security");
    return text::ansi_same_text(value, "SSPI") || text::ansi_same_text(value, "true") ||
           text::ansi_same_text(value, "yes");
}

std::string sql_server_odbc(const ConnectionPairs& pairs, const OdbcDriverNames& drivers) {
    std::string out;
    append_pair(out, "Driver", drivers.sql_server);
    append_pair(out, "Server", connection_value(pairs, "Data Source"));
    append_pair(out, "Database", connection_value(pairs, "Initial Catalog"));
    if (integrated_security(pairs)) {
        append_pair(out, "Trusted_Connection", "yes");
    } else {
        append_pair(out, "Uid", connection_value(pairs, "User ID"));
        append_pair(out, "Pwd", connection_value(pairs, "Password"));
    }
    return out;
}

std::string oracle_odbc(const ConnectionPairs& pairs, const OdbcDriverNames& drivers) {
    std::string out;
    append_pair(out, "Driver", drivers.oracle);
    append_pair(out, "Dbq", connection_value(pairs, "Data Source"));
    append_pair(out, "Uid", connection_value(pairs, "User ID"));
    append_pair(out, "Pwd", connection_value(pairs, "Password"));
    return out;
}

// An ODBC string as given, less an ADO "Provider=MSDASQL" in front of it.
std::string odbc_as_given(std::string_view text, const ConnectionPairs& pairs) {
    if (connection_value(pairs, "Provider").empty()) return std::string(trim(text));
    std::string out;
    for (const auto& [key, value] : pairs)
        if (!text::ansi_same_text(key, "Provider")) append_pair(out, key, value);
    return out;
}

}  // namespace

ConnectionPairs parse_connection_string(std::string_view text) {
    ConnectionPairs pairs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto equals = text.find('=', pos);
        const auto semicolon = text.find(';', pos);
        if (equals == std::string_view::npos ||
            (semicolon != std::string_view::npos && semicolon < equals)) {
            const auto end = semicolon == std::string_view::npos ? text.size() : semicolon;
            if (!trim(text.substr(pos, end - pos)).empty())
                fail("'" + std::string(trim(text.substr(pos, end - pos))) + "' has no '='");
            pos = end + 1;
            continue;
        }
        std::string key(trim(text.substr(pos, equals - pos)));
        if (key.empty()) fail("a value without a key at position " + std::to_string(pos + 1));
        pos = equals + 1;
        pairs.emplace_back(std::move(key), read_value(text, pos));
    }
    return pairs;
}

std::string connection_value(const ConnectionPairs& pairs, std::string_view key) {
    const auto found = std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) {
        return text::ansi_same_text(pair.first, key);
    });
    return found == pairs.end() ? std::string() : found->second;
}

ConnectionTarget resolve_connection_string(std::string_view text, const OdbcDriverNames& drivers) {
    if (trim(text).empty()) fail("empty");
    const ConnectionPairs pairs = parse_connection_string(text);
    const std::string provider = connection_value(pairs, "Provider");
    ConnectionTarget target;
    if (text::ansi_same_text(provider, "SQLite")) {
        target.kind = ConnectionTarget::Kind::Sqlite;
        target.sqlite_path = connection_value(pairs, "Data Source");
        if (target.sqlite_path.empty()) fail("the SQLite provider needs a Data Source");
        return target;
    }
    if (!connection_value(pairs, "Driver").empty() || !connection_value(pairs, "DSN").empty()) {
        target.odbc = odbc_as_given(text, pairs);
        return target;
    }
    if (starts_with_no_case(provider, "SQLOLEDB") || starts_with_no_case(provider, "SQLNCLI") ||
        starts_with_no_case(provider, "MSOLEDBSQL")) {
        target.odbc = sql_server_odbc(pairs, drivers);
        return target;
    }
    if (starts_with_no_case(provider, "MSDAORA") ||
        starts_with_no_case(provider, "OraOLEDB.Oracle")) {
        target.odbc = oracle_odbc(pairs, drivers);
        return target;
    }
    fail(provider.empty() ? std::string("no Provider, Driver or DSN")
                          : "provider '" + provider + "' is not supported");
}

}  // namespace tov::db
