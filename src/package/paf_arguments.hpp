#pragma once
// The parameter array of ImprimeDadosPaf_Tov00000 taken apart into the report's eight values.

#include <span>

#include "reports/paf_identification.hpp"
#include "tov00000/tov00000.h"

namespace tov::package {

// The first eight elements, converted; later elements are ignored. An array of fewer than
// eight is an ArgumentError naming its count, before anything is read or printed. The packets
// in the request point into the array's memory.
reports::PafIdentificationRequest paf_request_from(std::span<const tov_variant> arParams);

}  // namespace tov::package
