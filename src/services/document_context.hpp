#pragma once
// What every document prints with besides its own arguments and datasets: the host's print
// back-end and services, the regional settings, the message table, and the line layout the
// printer configuration gives a printer kind.

#include "platform/format/format_settings.hpp"
#include "services/backend.hpp"
#include "services/host_services.hpp"
#include "services/line_layout.hpp"
#include "services/messages.hpp"

namespace tov::services {

struct DocumentContext {
    const Backend& backend;
    const HostServices& host;
    const format::FormatSettings& settings;
    const TMessages& messages;

    // The layout of the printer kind, from the host's printer configuration, its width checked.
    LineLayout configured_line_layout(int kind, bool flag1, bool flag2) const {
        LineLayout layout = configure_printer(host, kind, flag1, flag2).layout;
        checked_line_width(layout.width, service_of_kind("ConfiguraImpressora", kind));
        return layout;
    }
};

}  // namespace tov::services
