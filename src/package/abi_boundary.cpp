#include "package/abi_boundary.hpp"

#include <new>

#include "platform/errors/errors.hpp"

namespace tov::package {
namespace {

thread_local std::string this_thread_last_error;
thread_local CallMessages* innermost_call = nullptr;
thread_local std::size_t this_thread_required_capacity = 0;

int32_t remember(int32_t status, std::string_view message) noexcept {
    try {
        this_thread_last_error = message;
    } catch (...) {
        this_thread_last_error.clear();  // no memory left for the message itself
    }
    return status;
}

}  // namespace

int32_t record_failure(std::exception_ptr failure) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const BufferError& error) {
        this_thread_required_capacity = error.required_capacity();
        return remember(error.status(), error.what());
    } catch (const Error& error) {
        return remember(error.status(), error.what());
    } catch (const std::bad_alloc&) {
        return remember(TOV_E_INTERNAL, "out of memory");
    } catch (const std::exception& error) {
        return remember(TOV_E_INTERNAL, error.what());
    } catch (...) {
        return remember(TOV_E_INTERNAL, "unknown failure inside the package");
    }
}

const std::string& last_error() noexcept {
    return this_thread_last_error;
}

void clear_last_error() noexcept {
    this_thread_last_error.clear();
    this_thread_required_capacity = 0;
}

std::size_t last_required_capacity() noexcept {
    return this_thread_required_capacity;
}

void note_without_failing(std::string_view why) noexcept {
    if (innermost_call != nullptr) innermost_call->note(why);
    remember(TOV_OK, why);
}

CallMessages::CallMessages() noexcept : outer_(innermost_call) {
    innermost_call = this;
    clear_last_error();
}

CallMessages::~CallMessages() {
    innermost_call = outer_;
}

int32_t CallMessages::succeeded() noexcept {
    this_thread_last_error.swap(note_);
    note_.clear();
    this_thread_required_capacity = 0;
    return TOV_OK;
}

void CallMessages::note(std::string_view why) noexcept {
    try {
        note_ = why;
    } catch (...) {
        note_.clear();  // no memory left for the message itself
    }
}

}  // namespace tov::package
