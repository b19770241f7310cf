#include "host_services.hpp"

namespace tovprint {
namespace {

double fixed_now(void* ctx) { return static_cast<const HostServices*>(ctx)->now(); }

}  // namespace

tov_host HostServices::table() {
    tov_host host{};
    host.ctx = this;
    if (now_) host.Now = fixed_now;
    return host;
}

}  // namespace tovprint
