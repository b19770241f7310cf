#pragma once
// The package loaded for one run of tovprint: opened, started with Initialize, given tovprint's
// back-end and host services, and stopped with Finalize when the session ends. A library of
// another major version, or older than tovprint's header, is refused before anything is called.

#include <cstdint>
#include <filesystem>
#include <string>

#include "host/backend_recorder.hpp"
#include "host/host_table.hpp"
#include "os/shared_library.hpp"
#include "tov00000/tov00000.h"

namespace tovprint {

// Throws tov::Error naming both versions unless the library is of tovprint's major version and
// at least its version (Tov_VersionNumber against the TOV_VERSION_* tovprint was built with).
void require_compatible_version(const SharedLibrary& library);

class PackageSession {
public:
    PackageSession(const std::filesystem::path& library, BackendRecorder& backend, HostTable& host);
    ~PackageSession();
    PackageSession(const PackageSession&) = delete;
    PackageSession& operator=(const PackageSession&) = delete;

    // An export of the package by name, typed after its declaration in tov00000.h.
    template <typename Function>
    Function function(const char* name) const {
        return library_.function<Function>(name);
    }

    // After an export returned: raises a failure of tovprint's own back-end first, then, for a
    // status other than TOV_OK, a tov::Error with the package's message (in UTF-8).
    void check(int32_t status, const char* export_name);

    // Tov_LastError in UTF-8: the message of this thread's last failure, which is also why the
    // consumer statement answered false.
    std::string last_error() const;

private:
    SharedLibrary library_;
    BackendRecorder& backend_;
    decltype(&Tov_LastError) last_error_;
    decltype(&Finalize) finalize_;
};

}  // namespace tovprint
