#pragma once
// One call of a print function with all its arguments ready, made once the package is loaded.
// It answers the function's Boolean result and, where the package tells why a result is false,
// the reason.

#include <functional>
#include <string>

#include "host/package_session.hpp"

namespace tovprint {

struct DocumentResult {
    bool value = false;
    std::string why_false;  // UTF-8; empty when the package tells no reason
};

inline DocumentResult answered(bool value) {
    return DocumentResult{value, ""};
}

using DocumentCall = std::function<DocumentResult(PackageSession&)>;

}  // namespace tovprint
