#include "package/abi_boundary.hpp"

#include <new>

#include "platform/errors/errors.hpp"

namespace tov::package {
namespace {

thread_local std::string this_thread_last_error;

int32_t status_of(const Error& error) {
    if (dynamic_cast<const FieldNotFound*>(&error) != nullptr) return TOV_E_FIELD;
    if (dynamic_cast<const PacketError*>(&error) != nullptr) return TOV_E_PACKET;
    if (dynamic_cast<const DatasetError*>(&error) != nullptr) return TOV_E_DATASET;
    if (dynamic_cast<const ConversionError*>(&error) != nullptr) return TOV_E_CONVERSION;
    if (dynamic_cast<const ArgumentError*>(&error) != nullptr) return TOV_E_ARGUMENT;
    if (dynamic_cast<const DatabaseError*>(&error) != nullptr) return TOV_E_DATABASE;
    if (dynamic_cast<const FileError*>(&error) != nullptr) return TOV_E_FILE;
    if (dynamic_cast<const BackendError*>(&error) != nullptr) return TOV_E_BACKEND;
    if (dynamic_cast<const BufferError*>(&error) != nullptr) return TOV_E_BUFFER;
    return TOV_E_INTERNAL;
}

int32_t remember(int32_t status, const char* message) noexcept {
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
    } catch (const Error& error) {
        return remember(status_of(error), error.what());
    } catch (const std::bad_alloc&) {
        return remember(TOV_E_INTERNAL, "out of memory");
    } catch (const std::exception& error) {
        return remember(TOV_E_INTERNAL, error.what());
    } catch (...) {
        return remember(TOV_E_INTERNAL, "unknown failure inside the package");
    }
}

const std::string& last_error() noexcept { return this_thread_last_error; }

}  // namespace tov::package
