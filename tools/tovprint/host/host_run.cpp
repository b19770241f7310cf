#include "host/host_run.hpp"

#include <memory>

#include "host/backend_recorder.hpp"
#include "host/host_table.hpp"
#include "host/library_location.hpp"
#include "host/package_session.hpp"
#include "os/process_environment.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

// The package's built-in printer configuration reads the table named by TOV_PRINTERS; it must
// be set before the package is loaded.
void hand_on_printer_table(const HostOptions& options) {
    if (!options.printers) return;
    if (!std::filesystem::is_regular_file(*options.printers)) {
        throw tov::FileError("printer table '" + options.printers->string() + "' not found");
    }
    set_environment_path("TOV_PRINTERS", *options.printers);
}

// "true", "false", or "false (why: REASON)" when the package told why.
std::string result_text(const DocumentResult& result) {
    if (result.value) return "true";
    if (result.why_false.empty()) return "false";
    return "false (why: " + result.why_false + ")";
}

}  // namespace

void run_documents(const HostOptions& options, const std::vector<TitledCall>& calls,
                   std::ostream& out, std::ostream& warnings) {
    hand_on_printer_table(options);
    const auto sink = make_hand_off_sink(options.sinks, out, warnings);
    BackendRecorder backend(*sink);
    HostTable host(options.now, options.exe_path);
    PackageSession package(package_library_path(options.library), backend, host);
    try {
        for (const auto& [title, call] : calls) {
            out << "=== " << title << '\n';
            const DocumentResult result = call(package);
            out << "=== result: " << result_text(result) << "\n\n";
        }
        sink->finish();
    } catch (const std::exception& error) {
        // The last line agrees with the exit status: no result true stands last for a run
        // whose printing, closing or a call failed.
        out << "=== failed: " << error.what() << '\n';
        throw;
    }
}

}  // namespace tovprint
