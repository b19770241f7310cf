#pragma once
// `tovprint profiles`: the built-in printer profiles, what each holds and the printer kinds it
// fits.

#include <ostream>

namespace tovprint {

void list_printer_profiles(std::ostream& out);

}  // namespace tovprint
