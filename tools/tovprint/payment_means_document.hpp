#pragma once
// The payment-means report, imprimeTipoRece_Tov00000, called by tovprint. The function has no
// result; the call answers true when it succeeds.

#include <filesystem>
#include <string>
#include <string_view>

#include "document_call.hpp"
#include "payment_means_request.hpp"

namespace tovprint {

// The call with the request's arguments and the packet's bytes.
DocumentCall payment_means_call(PaymentMeansRequest request, std::string packet);

// The call of a request file's text; its packet path is taken relative to folder.
DocumentCall payment_means_from_request(std::string_view json_text, const std::string& origin,
                                        const std::filesystem::path& folder);

}  // namespace tovprint
