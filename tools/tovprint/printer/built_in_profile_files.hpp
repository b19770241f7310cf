#pragma once
// The profile files of data/printers/, compiled into tovprint so that it needs no data folder
// where it runs. The list is written at build time (tools/tovprint/printer/CMakeLists.txt).

#include <span>
#include <string_view>

namespace tovprint {

struct ProfileFile {
    std::string_view name;  // the file's name without .json
    std::string_view json;
};

std::span<const ProfileFile> built_in_profile_files();

}  // namespace tovprint
