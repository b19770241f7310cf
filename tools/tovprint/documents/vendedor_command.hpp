#pragma once
// `tovprint print vendedor`: the sales-by-salesperson report, RelatorioVendedor_Tov00000. The
// request's keys are the parameter names; P_VENDASVENDEDOR names a packet file (binary or XML),
// relative to the request's folder. The demo prints it on the plain printer (vendedor.json) and
// on the fiscal register (vendedor_fiscal.json).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "documents/document_command.hpp"
#include "documents/request_fields.hpp"

namespace tovprint {

// One field per parameter of the export, named after it.
struct VendedorRequest {
    TOV_SALES_BY_SALESPERSON_PARAMETERS(TOVPRINT_REQUEST_FIELD)
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
VendedorRequest parse_vendedor_request(std::string_view json_text, std::string origin);

extern const DocumentCommand vendedor_command;

}  // namespace tovprint
