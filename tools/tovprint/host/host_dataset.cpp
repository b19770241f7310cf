#include "host/host_dataset.hpp"

namespace tovprint {

HostDataSet::HostDataSet(PackageSession& package, const std::string& packet, const char* name)
    : free_(package.function<decltype(&Tov_DataSetFree)>("Tov_DataSetFree")) {
    const auto open = package.function<decltype(&Tov_DataSetOpen)>("Tov_DataSetOpen");
    package.check(open(packet.data(), packet.size(), &handle_), name);
}

HostDataSet::~HostDataSet() {
    if (handle_ != nullptr) free_(handle_);
}

}  // namespace tovprint
