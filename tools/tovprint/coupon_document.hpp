#pragma once
// The exchange coupon, Cupom_Troca_Tov00000, called by tovprint.

#include <filesystem>
#include <string>
#include <string_view>

#include "coupon_request.hpp"
#include "document_call.hpp"

namespace tovprint {

// The call with the request's arguments and the packet's bytes.
DocumentCall coupon_call(CouponRequest request, std::string packet);

// The call of a request file's text; its packet path is taken relative to folder.
DocumentCall coupon_from_request(std::string_view json_text, const std::string& origin,
                                 const std::filesystem::path& folder);

}  // namespace tovprint
