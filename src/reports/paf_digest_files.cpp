#include "reports/paf_digest_files.hpp"

namespace tov::reports {

PafDigestFiles paf_digest_files(const std::filesystem::path& host_folder) {
    return PafDigestFiles{host_folder / "Dados" / "Cadastros" / "ArquivosPldMd5.cds",
                          host_folder / "Palindo.cds"};
}

}  // namespace tov::reports
