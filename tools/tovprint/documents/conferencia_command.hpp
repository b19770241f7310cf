#pragma once
// `tovprint print conferencia`: the table bill, Conferencia_Mesa_Tov00000. The request's keys
// are the 38 parameter names; DADOS names the items packet file (binary or XML), relative to the
// request's folder; stCupomDia is the initial text of the host's coupon-of-the-day variable,
// which the fiscal back-end may change. The demo prints a non-fiscal bill of two seats
// (conferencia_mesa.json) and a fiscal bill of the whole ticket (conferencia_fiscal.json).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "documents/document_command.hpp"
#include "documents/request_fields.hpp"

namespace tovprint {

// One field per parameter of the export, named after it.
struct ConferenciaRequest {
    TOV_TABLE_BILL_PARAMETERS(TOVPRINT_REQUEST_FIELD)
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
ConferenciaRequest parse_conferencia_request(std::string_view json_text, std::string origin);

extern const DocumentCommand conferencia_command;

}  // namespace tovprint
