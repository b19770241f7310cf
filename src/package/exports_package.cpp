// The C exports of the package as a whole: its last error and status texts, the host's
// registrations, start and stop, and the data module. Every export but the three that read what
// the last call left runs its body through guarded_call, so no exception and no floating-point
// trap crosses into the host.

#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/package_descriptor.hpp"
#include "package/package_state.hpp"
#include "package/registered_table.hpp"
#include "package/status_text.hpp"
#include "tov00000/tov00000.h"

using tov::package::guarded_call;
using tov::package::package_state;

extern "C" {

TOV_API const char* TOV_CALL Tov_LastError(void) {
    return tov::package::last_error().c_str();
}

// Like Tov_LastError, these two read what the last call left and clear nothing.
TOV_API const char* TOV_CALL Tov_StatusText(int32_t status) {
    return tov::package::status_text(status);
}

TOV_API size_t TOV_CALL Tov_LastRequiredCapacity(void) {
    return tov::package::last_required_capacity();
}

TOV_API int32_t TOV_CALL Tov_SetBackend(const tov_backend* backend) {
    return guarded_call([&] {
        package_state().set_backend(backend != nullptr
                                        ? tov::services::Backend(tov::package::registered_table(
                                              *backend, TOV_BACKEND_SIZE_1_0, "tov_backend"))
                                        : tov::services::Backend());
    });
}

TOV_API int32_t TOV_CALL Tov_SetHost(const tov_host* host) {
    return guarded_call([&] {
        package_state().set_host(host != nullptr
                                     ? tov::services::HostServices(tov::package::registered_table(
                                           *host, TOV_HOST_SIZE_1_0, "tov_host"))
                                     : tov::services::HostServices());
    });
}

TOV_API int32_t TOV_CALL Tov_SetFormatSettings(const tov_format_settings* settings) {
    return guarded_call([&] {
        package_state().set_settings(settings != nullptr ? tov::package::settings_from(*settings)
                                                         : tov::format::FormatSettings{});
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

}  // extern "C"
