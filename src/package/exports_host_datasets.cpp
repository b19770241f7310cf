// The C exports of the host's client datasets: a host opens one from a packet, owns it, and
// hands it to the consumer statement; both move, filter and read it.

#include <memory>

#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/package_state.hpp"
#include "platform/errors/errors.hpp"
#include "tov00000/tov00000.h"

using tov::package::guarded_call;
using tov::package::package_state;
using tov::package::store_flag;

extern "C" {

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
    return guarded_call(
        [&] { tov::package::dataset_of(ds).SetFilter(tov::package::text_argument(expression)); });
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

}  // extern "C"
