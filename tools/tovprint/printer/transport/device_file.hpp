#pragma once
// A printer device opened for writing: /dev/usb/lp0, a serial port, a named pipe (on Windows a
// port such as COM1 or LPT1, or a printer share). The timeout is the whole job's, counted from
// the opening: every write ends by that deadline. The device is closed with its owner.
// A character device that carries the printer's answers back (a USB printer's /dev/usb/lp*, a
// serial port) is opened for reading too, so that the printer can be asked about itself; what
// it had sent before the opening is an answer to someone else and is dropped.
// device_file_posix.cpp and device_file_windows.cpp are the two systems' own.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tovprint {

// Whether the path names a device (or a pipe) rather than a regular file, existing or not.
bool is_device_path(const std::filesystem::path& path);

class DeviceFile {
public:
    // Throws PrinterError naming `printer` when the device cannot be opened.
    DeviceFile(const std::filesystem::path& path, std::chrono::milliseconds timeout,
               std::string printer);
    ~DeviceFile();
    DeviceFile(const DeviceFile&) = delete;
    DeviceFile& operator=(const DeviceFile&) = delete;

    // Writes every byte. Throws PrinterError when the device has not taken them by the job's
    // deadline (or by the one given), or fails.
    void write(std::string_view bytes);
    void write_before(std::string_view bytes, std::chrono::steady_clock::time_point deadline);

    // Whether the printer's answers can be read from the device: a character device that could
    // be opened for reading, is not this program's own terminal and did not end at once (as
    // /dev/null does). On Windows, never.
    bool reads_back() const { return reads_back_; }

    // What the printer sent back before the deadline, at least one byte, or nothing once the
    // deadline has passed. Throws PrinterError when the device fails or its way back ends.
    std::string read_some(std::chrono::steady_clock::time_point deadline);

    // Closes the device, throwing PrinterError if closing reports a failed write.
    void finish();

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    std::chrono::milliseconds timeout_;
    std::chrono::steady_clock::time_point deadline_;
    std::string printer_;
    bool reads_back_ = false;
};

}  // namespace tovprint
