#pragma once
// Where tovprint finds the package: the --library option, else the environment variable
// TOV_LIBRARY, else the library built with tovprint (its path is compiled in when the package is
// part of the same build) if it is there, else libPkg_Tov00000.so.1 (its soname) in the library
// folder of tovprint's installed prefix (bin/../lib) if it is there, else libPkg_Tov00000.so.1
// (Pkg_Tov00000.dll on Windows) in tovprint's own folder.

#include <filesystem>
#include <optional>

namespace tovprint {

std::filesystem::path package_library_path(const std::optional<std::filesystem::path>& option);

}  // namespace tovprint
