#pragma once
// A dataset of the host's own: opened in the package from a packet (Tov_DataSetOpen) and freed
// (Tov_DataSetFree) with this object, for a print function that takes dataset handles.

#include <string>

#include "host/package_session.hpp"

namespace tovprint {

class HostDataSet {
public:
    // name tells the dataset in the failure of a packet the package cannot open.
    HostDataSet(PackageSession& package, const std::string& packet, const char* name);
    ~HostDataSet();
    HostDataSet(const HostDataSet&) = delete;
    HostDataSet& operator=(const HostDataSet&) = delete;

    tov_dataset* handle() const { return handle_; }

private:
    decltype(&Tov_DataSetFree) free_;
    tov_dataset* handle_ = nullptr;
};

}  // namespace tovprint
