#pragma once
// The PAF-ECF identification report, ImprimeDadosPaf_Tov00000, called by tovprint with its eight
// values packed into the variant array the function takes. The digest files are found beside
// the host executable that tovprint names (--exe-path; the demo names data/demo/paf/PLD.EXE).

#include <filesystem>
#include <string>
#include <string_view>

#include "document_call.hpp"
#include "paf_request.hpp"

namespace tovprint {

// The call with the request's values and the two packets' bytes.
DocumentCall paf_call(PafRequest request, std::string identification, std::string serials);

// The call of a request file's text; its packet paths are taken relative to folder.
DocumentCall paf_from_request(std::string_view json_text, const std::string& origin,
                              const std::filesystem::path& folder);

}  // namespace tovprint
