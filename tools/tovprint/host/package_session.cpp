#include "host/package_session.hpp"

#include <string>

#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"

namespace tovprint {

void require_compatible_version(const SharedLibrary& library) {
    const int32_t number = library.function<decltype(&Tov_VersionNumber)>("Tov_VersionNumber")();
    if (number / 10000 == TOV_VERSION_MAJOR && number >= TOV_VERSION_NUMBER) return;
    const char* version = library.function<decltype(&Tov_VersionString)>("Tov_VersionString")();
    throw tov::Error(library.path().string() + " is version " + (version ? version : "?") +
                     "; tovprint needs " + std::to_string(TOV_VERSION_MAJOR) + ".x from " +
                     TOV_VERSION_STRING + " on");
}

PackageSession::PackageSession(const std::filesystem::path& library, BackendRecorder& backend,
                               HostTable& host)
    : library_(library),
      backend_(backend),
      last_error_(library_.function<decltype(&Tov_LastError)>("Tov_LastError")),
      finalize_(library_.function<decltype(&Finalize)>("Finalize")) {
    require_compatible_version(library_);
    check(library_.function<decltype(&Initialize)>("Initialize")(), "Initialize");
    const tov_backend backend_table = backend.table();
    check(library_.function<decltype(&Tov_SetBackend)>("Tov_SetBackend")(&backend_table),
          "Tov_SetBackend");
    const tov_host host_table = host.table();
    check(library_.function<decltype(&Tov_SetHost)>("Tov_SetHost")(&host_table), "Tov_SetHost");
}

PackageSession::~PackageSession() {
    finalize_();
}

void PackageSession::check(int32_t status, const char* export_name) {
    backend_.rethrow_failure();
    if (status == TOV_OK) return;
    throw tov::Error(std::string(export_name) + " failed (status " + std::to_string(status) +
                     "): " + last_error());
}

std::string PackageSession::last_error() const {
    const char* message = last_error_();
    return tov::text::cp1252_to_utf8(message != nullptr ? message : "");
}

}  // namespace tovprint
