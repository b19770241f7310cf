// The C exports of the package. Each runs its body through guarded_call, so no exception and no
// floating-point trap crosses into the host.

#include <memory>

#include "package/abi_arguments.hpp"
#include "platform/errors/errors.hpp"
#include "package/abi_boundary.hpp"
#include "package/package_descriptor.hpp"
#include "package/package_state.hpp"
#include "package/print_functions.hpp"
#include "tov00000/tov00000.h"



using tov::package::guarded_call;
using tov::package::package_state;

namespace {

void store_flag(int32_t* out, bool value) {
    if (out != nullptr) *out = value ? 1 : 0;
}

}  // namespace

extern "C" {

TOV_API const char* TOV_CALL Tov_LastError(void) { return tov::package::last_error().c_str(); }

TOV_API int32_t TOV_CALL Tov_SetBackend(const tov_backend* backend) {
    return guarded_call([&] {
        package_state().set_backend(backend != nullptr ? tov::services::Backend(*backend)
                                                       : tov::services::Backend());
    });
}

TOV_API int32_t TOV_CALL Tov_SetHost(const tov_host* host) {
    return guarded_call([&] {
        package_state().set_host(host != nullptr ? tov::services::HostServices(*host)
                                                 : tov::services::HostServices());
    });
}

TOV_API int32_t TOV_CALL Tov_SetFormatSettings(const tov_format_settings* settings) {
    return guarded_call([&] {
        package_state().set_settings(settings != nullptr ? tov::package::settings_from(*settings)
                                                         : tov::format::FormatSettings{});
    });
}

// ---- Host client datasets --------------------------------------------------------------------

TOV_API int32_t TOV_CALL Tov_DataSetOpen(const void* packet, size_t size, tov_dataset** out) {
    return guarded_call([&] {
        if (out == nullptr) throw tov::ArgumentError("Tov_DataSetOpen: out is NULL");
        auto handle = std::make_unique<tov_dataset>(
            tov_dataset{tov::dataset::ClientDataSet(package_state().settings())});
        handle->data.SetData(tov::package::packet_argument(packet, size, "packet"));
        *out = handle.release();
    });
}

TOV_API int32_t TOV_CALL Tov_DataSetFree(tov_dataset* ds) {
    return guarded_call([&] { std::unique_ptr<tov_dataset> owned(ds); });
}

TOV_API int32_t TOV_CALL Tov_DataSetFirst(tov_dataset* ds) {
    return guarded_call([&] { tov::package::dataset_of(ds).First(); });
}

TOV_API int32_t TOV_CALL Tov_DataSetNext(tov_dataset* ds) {
    return guarded_call([&] { tov::package::dataset_of(ds).Next(); });
}

TOV_API int32_t TOV_CALL Tov_DataSetEof(tov_dataset* ds, int32_t* eof) {
    return guarded_call([&] { store_flag(eof, tov::package::dataset_of(ds).Eof()); });
}

TOV_API int32_t TOV_CALL Tov_DataSetRecordCount(tov_dataset* ds, int32_t* n) {
    return guarded_call([&] {
        const auto count = tov::package::dataset_of(ds).RecordCount();
        if (n != nullptr) *n = static_cast<int32_t>(count);
    });
}

TOV_API int32_t TOV_CALL Tov_DataSetGetRecNo(tov_dataset* ds, int32_t* recno) {
    return guarded_call([&] {
        const auto number = tov::package::dataset_of(ds).RecNo();
        if (recno != nullptr) *recno = static_cast<int32_t>(number);
    });
}

TOV_API int32_t TOV_CALL Tov_DataSetSetRecNo(tov_dataset* ds, int32_t recno) {
    return guarded_call([&] { tov::package::dataset_of(ds).SetRecNo(recno); });
}

TOV_API int32_t TOV_CALL Tov_DataSetGetFilter(tov_dataset* ds, char* out, size_t capacity) {
    return guarded_call([&] {
        const std::string filter = tov::package::dataset_of(ds).Filter();
        tov::package::copy_text_out(filter, out, capacity, "out");
    });
}

TOV_API int32_t TOV_CALL Tov_DataSetSetFilter(tov_dataset* ds, const char* expression) {
    return guarded_call([&] {
        tov::package::dataset_of(ds).SetFilter(tov::package::text_argument(expression));
    });
}

TOV_API int32_t TOV_CALL Tov_DataSetGetFiltered(tov_dataset* ds, int32_t* on) {
    return guarded_call([&] { store_flag(on, tov::package::dataset_of(ds).Filtered()); });
}

TOV_API int32_t TOV_CALL Tov_DataSetSetFiltered(tov_dataset* ds, int32_t on) {
    return guarded_call([&] { tov::package::dataset_of(ds).SetFiltered(on != 0); });
}

TOV_API int32_t TOV_CALL Tov_DataSetFieldText(tov_dataset* ds, const char* field, char* out,
                                              size_t capacity) {
    return guarded_call([&] {
        auto& data = tov::package::dataset_of(ds);
        const std::string text = data.FieldByName(tov::package::text_argument(field)).AsString();
        tov::package::copy_text_out(text, out, capacity, "out");
    });
}

// ---- Package start and stop ------------------------------------------------------------------

// The package's own unit has no start-up or shut-down work: dtmGeral stays as it is.
TOV_API int32_t TOV_CALL Initialize(void) {
    return guarded_call([] {});
}

TOV_API int32_t TOV_CALL Finalize(void) {
    return guarded_call([] {});
}

TOV_API int32_t TOV_CALL GetPackageInfoTable(const tov_package_info** result) {
    return guarded_call([&] {
        if (result != nullptr) *result = &tov::package::package_descriptor();
    });
}

TOV_API int32_t TOV_CALL Tov00000_dtmGeral(const void** result) {
    return guarded_call([&] {
        if (result != nullptr) *result = package_state().data_module();
    });
}

// ---- Print functions -------------------------------------------------------------------------

TOV_API int32_t TOV_CALL RelatorioVendedor_Tov00000(
    const char* stCdFilial, const char* stNmFilial, const char* stCdCaixa, const char* stNmCaixa,
    const char* stEsquemaCor, const char* stCdPortImpNF, const char* stIdTipoImpNF,
    const void* P_VENDASVENDEDOR, size_t P_VENDASVENDEDOR_size, int32_t boUtilizaImpFis,
    int32_t IdTipoImpFis, double doVrTotGeral, int32_t* result) {
    return guarded_call([&] {
        auto& state = package_state();
        state.ensure_data_module();
        using tov::package::text_argument;
        const tov::reports::SalesBySalespersonRequest request{
            text_argument(stCdFilial),
            text_argument(stNmFilial),
            text_argument(stCdCaixa),
            text_argument(stNmCaixa),
            text_argument(stEsquemaCor),
            text_argument(stCdPortImpNF),
            text_argument(stIdTipoImpNF),
            tov::package::packet_argument(P_VENDASVENDEDOR, P_VENDASVENDEDOR_size,
                                          "P_VENDASVENDEDOR"),
            boUtilizaImpFis != 0,
            IdTipoImpFis,
            doVrTotGeral,
        };
        store_flag(result, tov::package::print_sales_by_salesperson(state, request));
    });
}

}  // extern "C"
