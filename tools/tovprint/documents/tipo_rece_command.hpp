#pragma once
// `tovprint print tipo_rece`: the payment-means report, imprimeTipoRece_Tov00000. The request's
// keys are the parameter names; oleTipoRece names a packet file (binary or XML), relative to the
// request's folder. The function has no result; the call answers true when it succeeds. The
// demo prints it on the fiscal register of printer kind 1 (tipo_rece.json).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "documents/document_command.hpp"
#include "documents/request_fields.hpp"

namespace tovprint {

// One field per parameter of the export, named after it.
struct TipoReceRequest {
    TOV_PAYMENT_MEANS_PARAMETERS(TOVPRINT_REQUEST_FIELD)
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
TipoReceRequest parse_tipo_rece_request(std::string_view json_text, std::string origin);

extern const DocumentCommand tipo_rece_command;

}  // namespace tovprint
