#include "package/print_paf_identification.hpp"

namespace tov::package {

bool print_paf_identification(PackageState& state,
                              const reports::PafIdentificationRequest& request) {
    TdtmGeral& module = state.ensure_data_module();
    const reports::PafDataSets datasets{module.cdsDadosPaf, module.cdsBuscaNrSerieEcf,
                                        module.cdsArquivosPldMd5};
    return reports::ImprimeDadosPaf(
        request, datasets, reports::ReportContext{state.backend(), state.host(), state.settings()});
}

}  // namespace tov::package
