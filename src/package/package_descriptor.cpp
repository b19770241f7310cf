#include "package/package_descriptor.hpp"

#include <cstddef>
#include <cstdint>

namespace tov::package {
namespace {

constexpr const char* required_packages[] = {"Pkg_Tov00002", "Pkg_Tov00001", "_dll"};
constexpr const char* contained_units[] = {"Pkg_Tov00000", "TOV00000", "SysInit"};

// Every unit the package uses, in initialisation order, ending with its own. Only the package's
// own unit brings start and stop entry points (Tov00000.initialization and .Finalization), and
// they have no work to do in this library.
constexpr tov_unit_entry units[] = {
    {"SysInit", 0, 0},     {"Consiste", 0, 0}, {"Criptografa", 0, 0}, {"Vrn_msg", 0, 0},
    {"Pld_quelmar", 0, 0}, {"Geralpld", 0, 0}, {"Tov00000", 1, 1},
};

template <class T, std::size_t N>
constexpr int32_t count_of(const T (&)[N]) {
    return static_cast<int32_t>(N);
}

constexpr tov_package_info descriptor = {
    TOV_PACKAGE_RUNTIME_ONLY,
    count_of(required_packages),
    required_packages,
    count_of(contained_units),
    contained_units,
    count_of(units),
    units,
};

}  // namespace

const tov_package_info& package_descriptor() {
    return descriptor;
}

}  // namespace tov::package
