#include "jobs/document_composer.hpp"

#include "documents/document_commands.hpp"
#include "documents/packet_files.hpp"
#include "host/library_location.hpp"
#include "platform/errors/errors.hpp"

namespace tovprintd {
namespace {

const tovprint::DocumentCommand* command_named(std::string_view document) {
    for (const tovprint::DocumentCommand* command : tovprint::document_commands()) {
        if (command->name == document) return command;
    }
    return nullptr;
}

}  // namespace

bool is_print_document(std::string_view document) {
    return command_named(document) != nullptr;
}

DocumentComposer::DocumentComposer(const PackageConfig& package)
    : backend_(collector_),
      host_(package.now, package.exe_path, package.connection),
      package_(tovprint::package_library_path(package.library), backend_, host_) {}

std::vector<std::string> DocumentComposer::compose(std::string_view document,
                                                   std::string_view request_json) {
    const tovprint::DocumentCommand* command = command_named(document);
    if (command == nullptr)
        throw RequestRefused("no document is named '" + std::string(document) + "'");
    tovprint::DocumentCall call;
    try {
        call =
            command->from_request(request_json, "of the job", tovprint::packets_in_request_only());
    } catch (const tov::Error& error) {
        throw RequestRefused(error.what());
    }
    const std::lock_guard lock(mutex_);
    collector_.take();
    tovprint::DocumentResult result;
    try {
        result = call(package_);
    } catch (const std::exception& error) {
        collector_.take();
        throw DocumentRefused(error.what());
    }
    std::vector<std::string> papers = collector_.take();
    if (!result.value) {
        throw DocumentRefused(std::string(command->export_name) + " answered false" +
                              (result.why_false.empty() ? "" : ": " + result.why_false));
    }
    if (papers.empty()) {
        throw DocumentRefused(std::string(command->export_name) + " handed off no paper");
    }
    return papers;
}

}  // namespace tovprintd
