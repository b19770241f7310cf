#pragma once
// A printer device opened for writing: /dev/usb/lp0, a serial port, a named pipe (on Windows a
// port such as COM1 or LPT1, or a printer share). The timeout is the whole job's, counted from
// the opening: every write ends by that deadline. The device is closed with its owner.
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
    // deadline, or fails.
    void write(std::string_view bytes);

    // Closes the device, throwing PrinterError if closing reports a failed write.
    void finish();

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    std::chrono::milliseconds timeout_;
    std::chrono::steady_clock::time_point deadline_;
    std::string printer_;
};

}  // namespace tovprint
