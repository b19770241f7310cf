#pragma once
// The boundary every C export runs its body through: this thread's last message forgotten, one
// call at a time under the package lock (a back-end callback may call the package again),
// floating-point traps masked while the package runs and the caller's floating-point environment
// restored afterwards, every exception turned into a TOV_E_* status with its message kept for
// Tov_LastError.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>

#include "package/floating_point_shield.hpp"
#include "package/package_state.hpp"
#include "tov00000/tov00000.h"

namespace tov::package {

// The status code of the exception being handled; its message becomes this thread's last error.
int32_t record_failure(std::exception_ptr failure) noexcept;

// This thread's last failure message ("" when none).
const std::string& last_error() noexcept;

// Forgets this thread's last message and required capacity: every call starts with none.
void clear_last_error() noexcept;

// After this thread's last call failed with TOV_E_BUFFER: the capacity the answer needs.
std::size_t last_required_capacity() noexcept;

// Makes the text this thread's last message without failing the call: why a statement's or a
// table bill's result is false, or why a lookup answered its neutral value.
void note_without_failing(std::string_view why) noexcept;

// The messages of one call, from its start to its end, calls inside it included: the last
// message starts empty, and a call that succeeds leaves its own note or nothing, not what a call
// made inside it (from a back-end callback) left.
class CallMessages {
public:
    CallMessages() noexcept;
    ~CallMessages();
    CallMessages(const CallMessages&) = delete;
    CallMessages& operator=(const CallMessages&) = delete;

    // The call's own note becomes the last message ("" without one); TOV_OK.
    int32_t succeeded() noexcept;
    void note(std::string_view why) noexcept;

private:
    CallMessages* outer_;
    std::string note_;
};

template <class Fn>
int32_t guarded_call(Fn&& body) noexcept {
    CallMessages messages;
    try {
        std::lock_guard lock(package_state().mutex());
        FloatingPointShield shield;
        body();
        return messages.succeeded();
    } catch (...) {
        return record_failure(std::current_exception());
    }
}

}  // namespace tov::package
