#pragma once
// Sets a variable of tovprint's own environment, which the package it loads reads.

#include <filesystem>

namespace tovprint {

// Throws tov::ArgumentError naming the variable when the system refuses it.
void set_environment_path(const char* name, const std::filesystem::path& value);

}  // namespace tovprint
