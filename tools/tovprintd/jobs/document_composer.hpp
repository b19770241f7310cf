#pragma once
// Composes documents through the package, as a host does: the shared library loaded once
// (PackageSession, tovprint's back-end recorder and host table), each request read by tovprint's
// reader of its document, its packets given in the request itself, never read from files. The
// package has one back-end for the whole process, so calls are made one at a time; the papers of
// one call are those its hand-offs carried.

#include <filesystem>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "config/service_config.hpp"
#include "host/backend_recorder.hpp"
#include "host/host_table.hpp"
#include "host/package_session.hpp"
#include "jobs/paper_collector.hpp"

namespace tovprintd {

// The request cannot be read (a missing, mistyped or unknown key): the caller's fault.
class RequestRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The package refused to compose the document, or composed no paper.
class DocumentRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class DocumentComposer {
public:
    explicit DocumentComposer(const PackageConfig& package);

    // The papers of the document (Windows-1252 texts, in order). Throws RequestRefused or
    // DocumentRefused with a message that says why (UTF-8).
    std::vector<std::string> compose(std::string_view document, std::string_view request_json);

private:
    std::mutex mutex_;
    PaperCollector collector_;
    tovprint::BackendRecorder backend_;
    tovprint::HostTable host_;
    tovprint::PackageSession package_;
};

// Whether a document of this name can be composed.
bool is_print_document(std::string_view document);

}  // namespace tovprintd
