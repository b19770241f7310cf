#include "package/abi_arguments.hpp"

#include <algorithm>
#include <cmath>

#include "package/registered_table.hpp"
#include "platform/errors/errors.hpp"

namespace tov::package {
namespace {

std::string required_text(const char* text, std::string_view member) {
    if (text == nullptr) {
        throw ArgumentError("regional settings: " + std::string(member) + " is NULL");
    }
    return text;
}

// The first character of a date format that is neither a letter nor a quote: "dd/mm/yyyy" -> '/'.
char date_separator_of(std::string_view short_date_format, char fallback) {
    const auto separator =
        std::find_if(short_date_format.begin(), short_date_format.end(), [](char c) {
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            return !letter && c != '"' && c != '\'';
        });
    return separator == short_date_format.end() ? fallback : *separator;
}

}  // namespace

std::string text_argument(const char* text) {
    return text != nullptr ? std::string(text) : "";
}

double amount_argument(double value, std::string_view name) {
    if (std::isfinite(value)) return value;
    throw ArgumentError("the amount " + std::string(name) + " is " +
                        (std::isnan(value) ? "not a number" : "infinite"));
}

std::string_view packet_argument(const void* data, std::size_t size, std::string_view name) {
    if (data == nullptr) {
        if (size != 0) {
            throw ArgumentError("packet " + std::string(name) + " is NULL but its size is " +
                                std::to_string(size));
        }
        return {};
    }
    return std::string_view(static_cast<const char*>(data), size);
}

dataset::ClientDataSet& dataset_of(tov_dataset* handle) {
    if (handle == nullptr) throw ArgumentError("the dataset handle is NULL");
    return handle->data;
}

void copy_text_out(std::string_view answer, char* out, std::size_t capacity,
                   std::string_view name) {
    if (out == nullptr) throw ArgumentError("the buffer " + std::string(name) + " is NULL");
    if (answer.size() >= capacity) {
        throw BufferError("the answer for " + std::string(name) + " needs " +
                              std::to_string(answer.size() + 1) + " bytes; the buffer holds " +
                              std::to_string(capacity),
                          answer.size() + 1);
    }
    std::copy(answer.begin(), answer.end(), out);
    out[answer.size()] = '\0';
}

format::FormatSettings settings_from(const tov_format_settings& registered) {
    // Every member of version 1.0 is read; a member appended later and not covered by the host's
    // struct_size keeps its default here.
    const tov_format_settings host =
        registered_table(registered, TOV_FORMAT_SETTINGS_SIZE_1_0, "tov_format_settings");
    format::FormatSettings settings;
    settings.decimal_separator = host.DecimalSeparator;
    settings.thousand_separator = host.ThousandSeparator;
    settings.short_date_format = required_text(host.ShortDateFormat, "ShortDateFormat");
    settings.currency_string = required_text(host.CurrencyString, "CurrencyString");
    settings.currency_format = host.CurrencyFormat;
    settings.negative_currency_format = host.NegCurrFormat;
    settings.currency_decimals = host.CurrencyDecimals;
    settings.date_separator =
        date_separator_of(settings.short_date_format, settings.date_separator);
    format::validate(settings);
    return settings;
}

}  // namespace tov::package
