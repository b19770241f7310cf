#include "package/package_state.hpp"

namespace tov::package {

TdtmGeral& PackageState::ensure_data_module() {
    if (!data_module_) data_module_ = std::make_unique<TdtmGeral>(settings_, host_);
    return *data_module_;
}

services::DocumentContext PackageState::document_context() const {
    const services::TMessages& messages =
        data_module_ ? data_module_->msgPadrao : services::standard_messages();
    return services::DocumentContext{backend_, host_, settings_, messages};
}

void PackageState::set_settings(const format::FormatSettings& settings) {
    settings_ = settings;
    if (data_module_) data_module_->SetFormatSettings(settings_);
}

PackageState& package_state() {
    static PackageState state;
    return state;
}

}  // namespace tov::package
