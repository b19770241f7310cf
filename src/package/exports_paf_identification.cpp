// The C export of the PAF-ECF identification report: the two packets of the parameter array go
// into the data module's cdsDadosPaf and cdsBuscaNrSerieEcf, the digest list into
// cdsArquivosPldMd5; each keeps what it received after the call.

#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/package_state.hpp"
#include "package/paf_arguments.hpp"
#include "package/variant_arguments.hpp"
#include "reports/paf_identification.hpp"
#include "tov00000/tov00000.h"

extern "C" {

// oleRetorno is the host's answer variant; this report neither reads nor writes it.
TOV_API int32_t TOV_CALL ImprimeDadosPaf_Tov00000(const tov_variant* arParams,
                                                  int32_t arParams_high,
                                                  tov_variant* /*oleRetorno*/, int32_t* result) {
    return tov::package::guarded_call([&] {
        auto& state = tov::package::package_state();
        auto& module = state.ensure_data_module();
        const auto request = tov::package::paf_request_from(
            tov::package::variant_array(arParams, arParams_high, "arParams"));
        const tov::reports::PafDataSets datasets{module.cdsDadosPaf, module.cdsBuscaNrSerieEcf,
                                                 module.cdsArquivosPldMd5};
        const bool printed =
            tov::reports::ImprimeDadosPaf(request, datasets, state.document_context());
        tov::package::store_flag(result, printed);
    });
}

}  // extern "C"
