#pragma once
// The sales-by-salesperson report, RelatorioVendedor_Tov00000, called by tovprint.

#include <filesystem>
#include <string>
#include <string_view>

#include "document_call.hpp"
#include "vendedor_request.hpp"

namespace tovprint {

// The call with the request's arguments and the packet's bytes.
DocumentCall vendedor_call(VendedorRequest request, std::string packet);

// The call of a request file's text; its packet path is taken relative to folder.
DocumentCall vendedor_from_request(std::string_view json_text, const std::string& origin,
                                   const std::filesystem::path& folder);

}  // namespace tovprint
