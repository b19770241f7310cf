// A whole run of tovprint as a host, the package loaded, printing to a printer played on
// 127.0.0.1 that reads the job but never closes the connection: the run fails within its time
// limit, nothing is reported as printed, and the last line of the output says it failed.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>

#include "documents/document_commands.hpp"
#include "documents/packet_files.hpp"
#include "host/host_run.hpp"
#include "os/file_bytes.hpp"
#include "printer/transport/printer_error.hpp"

namespace tovprint {
namespace {

#ifndef _WIN32

using namespace std::chrono_literals;

// Listens on 127.0.0.1; the one connection's bytes are read until tovprint stops sending, and
// the connection is held open until the test ends.
class SilentPrinter {
public:
    SilentPrinter() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        EXPECT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&address), size), 0);
        EXPECT_EQ(::listen(listener_, 1), 0);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        play_ = std::thread([this] {
            const int client = ::accept(listener_, nullptr, nullptr);
            char buffer[4096];
            while (::recv(client, buffer, sizeof buffer, 0) > 0) {
            }
            for (int wait = 0; wait < 200 && !stop_; ++wait) std::this_thread::sleep_for(50ms);
            ::close(client);
        });
    }
    ~SilentPrinter() {
        stop_ = true;
        play_.join();
        ::close(listener_);
    }
    SilentPrinter(const SilentPrinter&) = delete;
    SilentPrinter& operator=(const SilentPrinter&) = delete;
    std::string address() const { return "tcp://127.0.0.1:" + std::to_string(port_); }

private:
    int listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread play_;
};

std::string last_line(const std::string& text) {
    const std::string trimmed = text.substr(0, text.find_last_not_of('\n') + 1);
    return trimmed.substr(trimmed.rfind('\n') + 1);
}

TEST(HostRun, AJobThePrinterNeverClosedIsNoSuccess) {
    SilentPrinter printer;
    const std::filesystem::path request =
        std::filesystem::path(TOV_DEMO_DATA_DIR) / "vendedor.json";
    const DocumentCommand& command = document_command("vendedor");
    std::vector<TitledCall> calls;
    calls.push_back({"vendedor", command.from_request(read_file_bytes(request), "vendedor.json",
                                                      packet_files_beside(request.parent_path()))});
    HostOptions options;
    options.now = 46364.6;
    options.sinks.printer = printer.address();
    options.sinks.timeout = 300ms;
    std::ostringstream out;
    std::ostringstream warnings;
    EXPECT_THROW(run_documents(options, calls, out, warnings), PrinterError);
    EXPECT_EQ(out.str().find("bytes to tcp://"), std::string::npos) << out.str();
    // The printer neither confirms nor closes: the job is known to be sent, never printed.
    EXPECT_EQ(last_line(out.str()), "=== failed: printer " + printer.address() +
                                        ": sent whole; the printer did not confirm it printed "
                                        "(within 0.3 s)");
}

#endif

}  // namespace
}  // namespace tovprint
