#pragma once
// The state the package keeps between calls: the data module dtmGeral (created on first use by a
// print function), the registered back-end and host services, and the regional settings. It is
// the package's one mutable global; every call through the C ABI holds its lock.

#include <memory>
#include <mutex>

#include "package/data_module.hpp"
#include "platform/format/format_settings.hpp"
#include "services/backend.hpp"
#include "services/document_context.hpp"
#include "services/host_services.hpp"

namespace tov::package {

class PackageState {
public:
    std::recursive_mutex& mutex() { return mutex_; }

    // dtmGeral: nullptr until the first print function that creates it.
    TdtmGeral* data_module() { return data_module_.get(); }
    TdtmGeral& ensure_data_module();

    const services::Backend& backend() const { return backend_; }
    void set_backend(const services::Backend& backend) { backend_ = backend; }

    const services::HostServices& host() const { return host_; }
    void set_host(const services::HostServices& host) { host_ = host; }

    const format::FormatSettings& settings() const { return settings_; }
    // The settings of every later call, handed to the data module's datasets too.
    void set_settings(const format::FormatSettings& settings);

    // What every document prints with: the registered back-end, host services and settings, and
    // the data module's message table (the standard table while there is no data module).
    services::DocumentContext document_context() const;

private:
    std::recursive_mutex mutex_;
    std::unique_ptr<TdtmGeral> data_module_;
    services::Backend backend_;
    services::HostServices host_;
    format::FormatSettings settings_;
};

// The package's state, alive from first use until the library is unloaded.
PackageState& package_state();

}  // namespace tov::package
