#pragma once
// One run of tovprint as a host: the package loaded with tovprint's back-end (the terminal, or
// the raw bytes to a file, a printer, pictures) and host services, then the document calls made
// one after another.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/document_call.hpp"
#include "host/hand_off_sinks.hpp"

namespace tovprint {

struct HostOptions {
    std::optional<std::filesystem::path> library;   // --library
    std::optional<std::filesystem::path> printers;  // --printers: handed on as TOV_PRINTERS
    std::optional<double> now;                      // --now, days since 1899-12-30
    std::optional<std::filesystem::path> exe_path;  // --exe-path: the host executable's path
    SinkOptions sinks;                              // --out, --printer, --profile, --preview
};

struct TitledCall {
    std::string title;
    DocumentCall call;
};

// Prints each call's title, its hand-offs and its result on out (with the reason the package
// gives for a result false, if any); the printer's warnings go to `warnings`. Throws the first
// failure, after a last line `=== failed: REASON` on out.
void run_documents(const HostOptions& options, const std::vector<TitledCall>& calls,
                   std::ostream& out, std::ostream& warnings);

}  // namespace tovprint
