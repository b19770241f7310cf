#include "host/host_table.hpp"

#include <cstring>

namespace tovprint {
namespace {

double fixed_now(void* ctx) {
    return static_cast<const HostTable*>(ctx)->now();
}

// Copies the path into the package's buffer. A path that does not fit is answered empty, which
// the package reports as an error, rather than cut into the path of some other folder.
void given_exe_path(void* ctx, char* out, size_t capacity) {
    if (out == nullptr || capacity == 0) return;
    const std::string& path = static_cast<const HostTable*>(ctx)->exe_path();
    const size_t size = path.size() < capacity ? path.size() : 0;
    std::memcpy(out, path.data(), size);
    out[size] = '\0';
}

// The connection string whole, or empty when it does not fit (the package then fails to
// connect and says so) rather than cut into some other connection.
void given_connection(void* ctx, const char*, char* out, size_t capacity) {
    if (out == nullptr || capacity == 0) return;
    const std::string& text = static_cast<const HostTable*>(ctx)->connection();
    const size_t size = text.size() < capacity ? text.size() : 0;
    std::memcpy(out, text.data(), size);
    out[size] = '\0';
}

}  // namespace

tov_host HostTable::table() {
    tov_host host{};
    host.struct_size = sizeof(tov_host);
    host.ctx = this;
    if (now_) host.Now = fixed_now;
    if (exe_path_) host.ExePath = given_exe_path;
    if (connection_) host.GetStringConexPld = given_connection;
    return host;
}

}  // namespace tovprint
