#include "printer/profile_listing.hpp"

#include "printer/byte_notation.hpp"
#include "printer/printer_profiles.hpp"

namespace tovprint {
namespace {

std::string columns_text(const PrinterProfile& profile) {
    std::string text;
    for (const auto& [font, columns] : profile.columns) {
        if (!text.empty()) text += ", ";
        text += font + " " + std::to_string(columns);
    }
    return text;
}

std::string kinds_text(const PrinterProfile& profile) {
    std::string text;
    for (const int kind : profile.kinds) {
        if (!text.empty()) text += ", ";
        text += std::to_string(kind);
    }
    return text.empty() ? "none named" : text;
}

}  // namespace

void list_printer_profiles(std::ostream& out) {
    for (const PrinterProfile& profile : built_in_printer_profiles()) {
        out << profile.name << (profile.name == default_profile_name ? " (default)" : "") << ": "
            << profile.description << '\n'
            << "    font " << profile.font << ", " << profile.width() << " columns (fonts "
            << columns_text(profile) << "); " << profile.code_page << " selected with ESC t "
            << profile.code_page_number << "; bold " << bold_family_name(profile.bold) << '\n'
            << "    init " << byte_notation(profile.init) << "; cut " << byte_notation(profile.cut)
            << "; printer kinds " << kinds_text(profile) << '\n'
            << "    status " << status_method_name(profile.status) << "; confirmation "
            << confirmation_method_name(profile.confirmation) << '\n';
    }
}

}  // namespace tovprint
