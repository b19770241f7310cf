#pragma once
// The system's message for a Windows error code (GetLastError), for tovprint's own messages.

#include <string>

namespace tovprint {

// The message without its closing line break, or "error N" when the system has none.
std::string windows_error_message(unsigned long code);

}  // namespace tovprint
