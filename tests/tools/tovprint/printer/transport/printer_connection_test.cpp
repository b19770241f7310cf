// The ways to a printer, against printers played on 127.0.0.1 and by named pipes: every byte
// arrives, and a printer that refuses, does not answer, stops reading or drops the connection is
// a clear error within the time limit. The printers played here use POSIX calls.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pty.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "printer/transport/device_file.hpp"
#include "printer/transport/printer_error.hpp"
#include "printer/transport/tcp_connection.hpp"

namespace tovprint {
namespace {

#ifndef _WIN32

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto short_timeout = 300ms;

// A socket of the test, closed with it.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// A printer listening on 127.0.0.1, at a port the system chose.
struct Listener {
    Descriptor socket{::socket(AF_INET, SOCK_STREAM, 0)};
    std::uint16_t port = 0;

    explicit Listener(int backlog = 4) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        EXPECT_EQ(::bind(socket.get(), reinterpret_cast<sockaddr*>(&address), size), 0);
        EXPECT_EQ(::listen(socket.get(), backlog), 0);
        ::getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
    }
};

std::string read_until_closed(int fd) {
    std::string received;
    char buffer[4096];
    for (ssize_t got; (got = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
        received.append(buffer, got);
    return received;
}

std::string printer_error(const auto& action) {
    try {
        action();
    } catch (const PrinterError& error) {
        return error.what();
    }
    return "no error";
}

TEST(TcpConnection, SendsEveryByteAndEndsWhenThePrinterHasReadThemAll) {
    Listener printer;
    std::string received;
    std::thread play([&] {
        Descriptor client(::accept(printer.socket.get(), nullptr, nullptr));
        received = read_until_closed(client.get());
    });
    const std::string job(3 * 1024 * 1024, 'x');
    TcpConnection connection("127.0.0.1", printer.port, 5s, "tcp://test");
    connection.send(job);
    connection.finish();
    play.join();
    EXPECT_EQ(received.size(), job.size());
}

TEST(TcpConnection, NamesAPrinterThatRefusesOrDoesNotAnswer) {
    std::uint16_t closed_port = 0;
    {
        Listener gone;
        closed_port = gone.port;
    }
    EXPECT_EQ(printer_error([&] { TcpConnection("127.0.0.1", closed_port, 5s, "tcp://gone"); }),
              "printer tcp://gone refused the connection: nothing listens on that port");

    // A printer whose queue of connections is full lets a new one wait unanswered.
    Listener busy(0);
    Descriptor first(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(busy.port);
    ASSERT_EQ(::connect(first.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const auto start = Clock::now();
    EXPECT_EQ(
        printer_error([&] { TcpConnection("127.0.0.1", busy.port, short_timeout, "tcp://busy"); }),
        "printer tcp://busy does not answer: no connection within 0.3 s");
    EXPECT_LT(Clock::now() - start, short_timeout + 1s);
}

TEST(TcpConnection, NamesAPrinterThatStopsReadingOrDoesNotCloseTheJob) {
    Listener printer;
    TcpConnection connection("127.0.0.1", printer.port, short_timeout, "tcp://stuck");
    Descriptor client(::accept(printer.socket.get(), nullptr, nullptr));
    const auto start = Clock::now();
    EXPECT_EQ(printer_error([&] { connection.send(std::string(64 * 1024 * 1024, 'x')); }),
              "printer tcp://stuck did not take the job within 0.3 s (out of paper, cover open "
              "or off line?)");
    EXPECT_LT(Clock::now() - start, short_timeout + 2s);

    Listener quiet;
    TcpConnection reads_but_stays("127.0.0.1", quiet.port, short_timeout, "tcp://quiet");
    reads_but_stays.send("job");
    EXPECT_EQ(printer_error([&] { reads_but_stays.finish(); }),
              "printer tcp://quiet did not close the connection within the 0.3 s of the job: it "
              "may not have read all of it");
}

// A printer that never reads but keeps sending status bytes back, a bounded number of them:
// they do not extend the job, which fails while the printer is still talking.
TEST(TcpConnection, BytesThePrinterSendsBackDoNotExtendTheJob) {
    constexpr int status_bytes = 200;  // one each 50 ms: 10 s of talk at most
    Listener printer;
    std::atomic<int> sent{0};
    std::atomic<bool> stop{false};
    std::thread talk([&] {
        Descriptor client(::accept(printer.socket.get(), nullptr, nullptr));
        while (!stop && sent < status_bytes) {
            ::send(client.get(), "\x12", 1, MSG_NOSIGNAL);
            ++sent;
            std::this_thread::sleep_for(50ms);
        }
    });
    std::string message;
    {
        TcpConnection connection("127.0.0.1", printer.port, short_timeout, "tcp://talks");
        message = printer_error([&] {
            connection.send(std::string(64 * 1024 * 1024, 'x'));
            connection.finish();
        });
    }
    const int sent_when_failed = sent;
    stop = true;
    talk.join();
    EXPECT_EQ(message,
              "printer tcp://talks did not take the job within 0.3 s (out of paper, cover open or "
              "off line?)");
    EXPECT_LT(sent_when_failed, status_bytes) << "the job waited for the printer to stop talking";
}

TEST(TcpConnection, NamesAPrinterThatDropsTheConnection) {
    Listener printer;
    TcpConnection connection("127.0.0.1", printer.port, 5s, "tcp://drops");
    {
        Descriptor client(::accept(printer.socket.get(), nullptr, nullptr));
        const linger reset{1, 0};  // closes with a reset, as a printer switched off
        ::setsockopt(client.get(), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    const std::string message = printer_error([&] {
        connection.send(std::string(1024 * 1024, 'x'));
        connection.finish();
    });
    EXPECT_EQ(message.rfind("printer tcp://drops dropped the connection ", 0), 0u) << message;
}

struct Fifo {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tovprint_test_lp_" + std::to_string(::getpid()));
    Fifo() { EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0); }
    ~Fifo() { std::filesystem::remove(path); }
};

TEST(DeviceFile, WritesToADeviceAndNamesOneThatNobodyReadsOrThatStopsReading) {
    Fifo device;
    EXPECT_TRUE(is_device_path(device.path));
    EXPECT_FALSE(is_device_path(device.path.parent_path() / "no such printer"));
    EXPECT_EQ(printer_error([&] { DeviceFile(device.path, 5s, "file:lp"); }),
              "printer file:lp: cannot open: no program reads it");

    Descriptor reader(::open(device.path.c_str(), O_RDONLY | O_NONBLOCK));
    DeviceFile printer(device.path, short_timeout, "file:lp");
    printer.write("Jo\x84o\n");
    char buffer[16] = {};
    EXPECT_EQ(::read(reader.get(), buffer, sizeof buffer), 5);
    EXPECT_EQ(printer_error([&] { printer.write(std::string(1024 * 1024, 'x')); }),
              "printer file:lp did not take the job within 0.3 s (out of paper, cover open or off "
              "line?)");
}

TEST(DeviceFile, NamesADeviceWhoseReaderWentAway) {
    Fifo device;
    auto reader = std::make_unique<Descriptor>(::open(device.path.c_str(), O_RDONLY | O_NONBLOCK));
    DeviceFile printer(device.path, 5s, "file:lp");
    reader.reset();
    EXPECT_EQ(printer_error([&] { printer.write("bill"); }),
              "printer file:lp: cannot write: no program reads it any longer");
}

// A serial line or a USB printer's device as the printer sees it: a pseudo-terminal in raw mode.
struct AnsweringDevice {
    int printer_end = -1;
    int device_end = -1;
    std::filesystem::path path;
    AnsweringDevice() {
        EXPECT_EQ(::openpty(&printer_end, &device_end, nullptr, nullptr, nullptr), 0);
        termios raw{};
        ::tcgetattr(device_end, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(device_end, TCSANOW, &raw);
        path = ::ttyname(device_end);
    }
    ~AnsweringDevice() {
        ::close(device_end);
        ::close(printer_end);
    }
    void answer(std::string_view bytes) const {
        EXPECT_EQ(::write(printer_end, bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
};

TEST(DeviceFile, ReadsTheAnswersOfADeviceThatCarriesThemBackAndDropsTheOldOnes) {
    AnsweringDevice device;
    device.answer("answer to an earlier job");
    std::this_thread::sleep_for(20ms);
    DeviceFile printer(device.path, 5s, "file:lp");
    ASSERT_TRUE(printer.reads_back());
    EXPECT_EQ(printer.read_some(Clock::now() + 50ms), "");

    printer.write_before("\x10\x04\x01", Clock::now() + 1s);
    char asked[8] = {};
    EXPECT_EQ(::read(device.printer_end, asked, sizeof asked), 3);
    device.answer("\x12");
    EXPECT_EQ(printer.read_some(Clock::now() + 1s), "\x12");
}

TEST(DeviceFile, NeverReadsANamedPipeOrADeviceThatEndsAtOnce) {
    Fifo pipe;
    Descriptor reader(::open(pipe.path.c_str(), O_RDONLY | O_NONBLOCK));
    DeviceFile to_pipe(pipe.path, 5s, "file:pipe");
    EXPECT_FALSE(to_pipe.reads_back());  // it would read back its own bytes
    to_pipe.write("bill");
    char buffer[8] = {};
    EXPECT_EQ(::read(reader.get(), buffer, sizeof buffer), 4);

    DeviceFile nowhere("/dev/null", 5s, "file:/dev/null");
    EXPECT_FALSE(nowhere.reads_back());
    EXPECT_EQ(nowhere.read_some(Clock::now() + 1s), "");
}

#endif

}  // namespace
}  // namespace tovprint
