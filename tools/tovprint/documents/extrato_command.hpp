#pragma once
// `tovprint print extrato`: the consumer statement, Extrato_Tov00000. The request's keys are the
// parameter names; each of the six datasets names a packet file (binary or XML), relative to the
// request's folder, which tovprint opens as a dataset of its own in the package and frees when
// the call is done. The statement answers every failure of its own with the result false and
// tells why in Tov_LastError; tovprint shows that reason beside the result. The demo prints the
// simple layout on the plain printer (extrato.json) and on the fiscal register
// (extrato_fiscal.json), and the detailed layout on the plain printer (extrato_detalhado.json).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "documents/document_command.hpp"
#include "documents/request_fields.hpp"

namespace tovprint {

// One field per parameter of the export, named after it.
struct ExtratoRequest {
    TOV_CONSUMER_STATEMENT_PARAMETERS(TOVPRINT_REQUEST_FIELD)
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
ExtratoRequest parse_extrato_request(std::string_view json_text, std::string origin);

extern const DocumentCommand extrato_command;

}  // namespace tovprint
