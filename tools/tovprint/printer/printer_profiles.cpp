#include "printer/printer_profiles.hpp"

#include <filesystem>

#include "os/file_bytes.hpp"
#include "platform/errors/errors.hpp"
#include "printer/built_in_profile_files.hpp"

namespace tovprint {
namespace {

bool names_a_file(const std::string& name) {
    return name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
           std::filesystem::path(name).extension() == ".json";
}

std::string built_in_names() {
    std::string names;
    for (const ProfileFile& file : built_in_profile_files()) {
        if (!names.empty()) names += ", ";
        names += file.name;
    }
    return names;
}

}  // namespace

std::vector<PrinterProfile> built_in_printer_profiles() {
    std::vector<PrinterProfile> profiles;
    for (const ProfileFile& file : built_in_profile_files()) {
        profiles.push_back(read_printer_profile(file.json, std::string(file.name),
                                                "'" + std::string(file.name) + "' (built in)"));
    }
    return profiles;
}

PrinterProfile find_printer_profile(const std::string& name_or_file) {
    if (names_a_file(name_or_file)) {
        const std::filesystem::path file(name_or_file);
        return read_printer_profile(read_file_bytes(file), file.stem().string(),
                                    "'" + file.string() + "'");
    }
    for (const ProfileFile& file : built_in_profile_files()) {
        if (file.name == name_or_file) {
            return read_printer_profile(file.json, name_or_file,
                                        "'" + name_or_file + "' (built in)");
        }
    }
    throw tov::ArgumentError("no printer profile '" + name_or_file + "': the built-in ones are " +
                             built_in_names() +
                             "; a profile file is named by its path (ending in .json)");
}

}  // namespace tovprint
