// The C export of the PAF-ECF identification report, behind the guarded boundary like every
// export.

#include "package/abi_boundary.hpp"
#include "package/package_state.hpp"
#include "package/paf_arguments.hpp"
#include "package/print_paf_identification.hpp"
#include "package/variant_arguments.hpp"
#include "tov00000/tov00000.h"

extern "C" {

// oleRetorno is the host's answer variant; this report neither reads nor writes it.
TOV_API int32_t TOV_CALL ImprimeDadosPaf_Tov00000(const tov_variant* arParams,
                                                  int32_t arParams_high,
                                                  tov_variant* /*oleRetorno*/, int32_t* result) {
    return tov::package::guarded_call([&] {
        auto& state = tov::package::package_state();
        state.ensure_data_module();
        const auto request = tov::package::paf_request_from(
            tov::package::variant_array(arParams, arParams_high, "arParams"));
        const bool printed = tov::package::print_paf_identification(state, request);
        if (result != nullptr) *result = printed ? 1 : 0;
    });
}

}  // extern "C"
