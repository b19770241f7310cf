#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <system_error>
#include <utility>

#include "printer/transport/device_file.hpp"
#include "printer/transport/printer_error.hpp"

namespace tovprint {
namespace {

std::string error_text(int error) {
    return std::system_category().message(error);
}

// SIGPIPE is held back from this thread while it writes, so that a pipe whose reader went away
// is an EPIPE to report instead of the end of tovprint; a SIGPIPE raised meanwhile is taken.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        already_pending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~PipeSignalHeld() {
        if (!already_pending_) {
            const timespec none{};
            while (sigtimedwait(&pipe_, nullptr, &none) > 0) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    sigset_t pipe_;
    sigset_t previous_;
    bool already_pending_ = false;
};

int milliseconds_until(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, INT_MAX));
}

std::string open_failure(int error) {
    if (error == ENXIO) return "no program reads it";
    if (error == EACCES) return error_text(error) + " (may this user write to it?)";
    return error_text(error);
}

constexpr int open_flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// The terminal this program runs in (its standard streams, /dev/tty) is never read as a
// printer's way back: what is read there is what a person types.
bool is_own_terminal(dev_t device) {
    struct stat info {};
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fstat(stream, &info) == 0 && S_ISCHR(info.st_mode) && info.st_rdev == device) {
            return true;
        }
    }
    return ::stat("/dev/tty", &info) == 0 && info.st_rdev == device;
}

bool may_read_back(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode) &&
           !is_own_terminal(info.st_rdev);
}

// Reads what the device holds before the job: answers nobody is waiting for any longer.
// Answers whether the device has a way back: a read that would wait says so; one that ends
// (/dev/null) or fails (a device that cannot be read) says not.
bool drop_waiting_answers(int descriptor) {
    constexpr int reads_at_most = 64;
    char bytes[4096];
    for (int i = 0; i < reads_at_most; ++i) {
        const ssize_t got = ::read(descriptor, bytes, sizeof bytes);
        if (got > 0) continue;
        if (got < 0 && errno == EINTR) continue;
        return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;  // still more: a printer that keeps answering has a way back
}

}  // namespace

bool is_device_path(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
           !std::filesystem::is_directory(status);
}

struct DeviceFile::Handle {
    int descriptor = -1;
    ~Handle() {
        if (descriptor >= 0) ::close(descriptor);
    }
};

DeviceFile::DeviceFile(const std::filesystem::path& path, std::chrono::milliseconds timeout,
                       std::string printer)
    : handle_(std::make_unique<Handle>()),
      timeout_(timeout),
      deadline_(std::chrono::steady_clock::now() + timeout),
      printer_(std::move(printer)) {
    if (may_read_back(path)) {
        handle_->descriptor = ::open(path.c_str(), O_RDWR | open_flags);
        reads_back_ = handle_->descriptor >= 0 && drop_waiting_answers(handle_->descriptor);
    }
    if (handle_->descriptor < 0) handle_->descriptor = ::open(path.c_str(), O_WRONLY | open_flags);
    if (handle_->descriptor < 0) {
        throw PrinterError("printer " + printer_ + ": cannot open: " + open_failure(errno));
    }
}

DeviceFile::~DeviceFile() = default;

void DeviceFile::write(std::string_view bytes) {
    write_before(bytes, deadline_);
}

void DeviceFile::write_before(std::string_view bytes,
                              std::chrono::steady_clock::time_point deadline) {
    const PipeSignalHeld held;
    while (!bytes.empty()) {
        const ssize_t written = ::write(handle_->descriptor, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        const int error = written < 0 ? errno : EIO;
        if (error == EINTR) continue;
        if (error != EAGAIN && error != EWOULDBLOCK) {
            throw PrinterError(
                "printer " + printer_ + ": cannot write: " +
                (error == EPIPE ? "no program reads it any longer" : error_text(error)));
        }
        pollfd entry{handle_->descriptor, POLLOUT, 0};
        const int ready = poll(&entry, 1, milliseconds_until(deadline));
        if (ready == 0) {
            throw PrinterError("printer " + printer_ + " did not take the job within " +
                               seconds_text(timeout_) + " (out of paper, cover open or off line?)");
        }
    }
}

std::string DeviceFile::read_some(std::chrono::steady_clock::time_point deadline) {
    if (!reads_back_) return {};
    for (;;) {
        pollfd entry{handle_->descriptor, POLLIN, 0};
        const int ready = poll(&entry, 1, milliseconds_until(deadline));
        if (ready == 0) return {};
        if (ready < 0 && errno == EINTR) continue;
        char bytes[512];
        const ssize_t got = ::read(handle_->descriptor, bytes, sizeof bytes);
        if (got > 0) return std::string(bytes, static_cast<std::size_t>(got));
        const int error = got < 0 ? errno : 0;
        if (error == EINTR || error == EAGAIN || error == EWOULDBLOCK) continue;
        throw PrinterError("printer " + printer_ + ": its answer cannot be read: " +
                           (error == 0 ? "the device ended" : error_text(error)));
    }
}

void DeviceFile::finish() {
    const int descriptor = std::exchange(handle_->descriptor, -1);
    if (::close(descriptor) != 0 && errno != EINTR) {
        throw PrinterError("printer " + printer_ + ": cannot write: " + error_text(errno));
    }
}

}  // namespace tovprint
