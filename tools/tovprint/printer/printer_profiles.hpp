#pragma once
// Where profiles come from: the built-in ones (data/printers/*.json, compiled into tovprint), or
// a profile file of the user's.

#include <string>
#include <vector>

#include "printer/printer_profile.hpp"

namespace tovprint {

inline constexpr const char* default_profile_name = "escpos";

// Every built-in profile, by name.
std::vector<PrinterProfile> built_in_printer_profiles();

// The built-in profile of that name, or, when the name holds a '/' or ends in ".json", the
// profile file it names. Throws tov::ArgumentError listing the built-in names for an unknown
// name, tov::FileError for a file that cannot be read.
PrinterProfile find_printer_profile(const std::string& name_or_file);

}  // namespace tovprint
