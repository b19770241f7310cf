#pragma once
// `tovprint print cupom_troca`: the exchange coupon, Cupom_Troca_Tov00000. The request's keys are
// the parameter names; oleProdutos names a packet file (binary or XML), relative to the
// request's folder. The demo prints it on the fiscal register of printer kind 1
// (cupom_troca.json).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "documents/document_command.hpp"
#include "documents/request_fields.hpp"

namespace tovprint {

// One field per parameter of the export, named after it.
struct CupomTrocaRequest {
    TOV_EXCHANGE_COUPON_PARAMETERS(TOVPRINT_REQUEST_FIELD)
};

// Throws tov::ArgumentError naming the key for a missing, mistyped or unknown key.
CupomTrocaRequest parse_cupom_troca_request(std::string_view json_text, std::string origin);

extern const DocumentCommand cupom_troca_command;

}  // namespace tovprint
