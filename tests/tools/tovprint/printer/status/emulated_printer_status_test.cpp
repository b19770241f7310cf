// A status query against the printer emulated by tests/support/escpos_printer/ on 127.0.0.1, over
// a plain socket: what each state of the printer answers, and a process ID answered only once the
// paper before it is printed.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "printer/status/status_query.hpp"
#include "printer/status/status_requests.hpp"
#include "printer/status/status_verdict.hpp"

extern char** environ;

namespace tovprint::status {
namespace {

using namespace std::chrono_literals;

// A file descriptor closed with its owner.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

int milliseconds_until(Deadline deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

// Waits for `events` on fd until the deadline; false when it passed.
bool wait_for(int fd, short events, Deadline deadline) {
    pollfd poll_fd{fd, events, 0};
    return ::poll(&poll_fd, 1, milliseconds_until(deadline)) > 0;
}

Descriptor connect_to(int port) {
    Descriptor socket(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot connect to 127.0.0.1:" + std::to_string(port));
    }
    return socket;
}

// The printer's raw port as a StatusConnection.
class SocketConnection : public StatusConnection {
public:
    explicit SocketConnection(int port) : socket_(connect_to(port)) {}

    void write(std::string_view bytes, Deadline deadline) override {
        while (!bytes.empty()) {
            if (!wait_for(socket_.get(), POLLOUT, deadline)) {
                throw StatusConnectionError("the printer took no bytes in time");
            }
            const auto sent = ::send(socket_.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent <= 0) throw StatusConnectionError("writing to the printer failed");
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
    }

    std::string read_some(Deadline deadline) override {
        if (!wait_for(socket_.get(), POLLIN, deadline)) return {};
        char buffer[256];
        const auto got = ::recv(socket_.get(), buffer, sizeof buffer, 0);
        if (got <= 0) throw StatusConnectionError("the printer closed the connection");
        return std::string(buffer, static_cast<std::size_t>(got));
    }

private:
    Descriptor socket_;
};

// One line from fd, up to the deadline.
std::string read_line(int fd, Deadline deadline) {
    std::string line;
    char byte = 0;
    while (wait_for(fd, POLLIN, deadline) && ::read(fd, &byte, 1) == 1) {
        if (byte == '\n') return line;
        line.push_back(byte);
    }
    throw std::runtime_error("no whole line in time, got '" + line + "'");
}

// The emulated printer, run by node for one test: it ends when its standard input closes.
class EmulatedPrinter {
public:
    explicit EmulatedPrinter(std::vector<std::string> options = {}) {
        int input[2];
        int output[2];
        if (::pipe(input) != 0 || ::pipe(output) != 0) throw std::runtime_error("pipe failed");
        input_ = Descriptor(input[1]);
        output_ = Descriptor(output[0]);
        Descriptor child_input(input[0]);
        Descriptor child_output(output[1]);
        ::fcntl(input_.get(), F_SETFD, FD_CLOEXEC);
        ::fcntl(output_.get(), F_SETFD, FD_CLOEXEC);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, child_input.get(), 0);
        posix_spawn_file_actions_adddup2(&actions, child_output.get(), 1);
        std::vector<std::string> arguments{TOV_NODE, TOV_ESCPOS_PRINTER};
        arguments.insert(arguments.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        const int failed = ::posix_spawn(&pid_, TOV_NODE, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed != 0) throw std::runtime_error("cannot run node");
        const auto ports = nlohmann::json::parse(read_line(output_.get(), Clock::now() + 30s));
        printer_port = ports.at("printer").get<int>();
        control_ = connect_to(ports.at("control").get<int>());
    }

    ~EmulatedPrinter() {
        input_ = Descriptor();
        int status = 0;
        for (int tries = 0; tries < 100 && ::waitpid(pid_, &status, WNOHANG) == 0; ++tries) {
            ::usleep(50000);
        }
        if (::waitpid(pid_, &status, WNOHANG) == 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
    }

    // Sends one control command and gives its answer; a refused command fails the test.
    nlohmann::json control(nlohmann::json request) {
        const std::string line = request.dump() + "\n";
        EXPECT_EQ(::send(control_.get(), line.data(), line.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(line.size()));
        auto reply = nlohmann::json::parse(read_line(control_.get(), Clock::now() + 30s));
        EXPECT_TRUE(reply.at("ok").get<bool>()) << reply.dump();
        return reply;
    }
    nlohmann::json command(std::string_view name) { return control({{"command", name}}); }

    int printer_port = 0;

private:
    pid_t pid_ = -1;
    Descriptor input_;
    Descriptor output_;
    Descriptor control_;
};

constexpr auto answer_limit = 5s;

// DLE ENQ 1: recover from a recoverable error.
std::string bytes_of_recovery() {
    return std::string("\x10\x05\x01", 3);
}
// How long a test waits to see that an answer does not come: no answer in this time is read as
// none, never as a measure of speed.
constexpr auto silence = 300ms;

std::array<std::uint8_t, 4> status_bytes(StatusConnection& connection) {
    StatusQuery query(connection, answer_limit);
    const PrinterStatus status = query.read_status();
    std::array<std::uint8_t, 4> bytes{};
    for (RealTimeRead read : all_real_time_reads) {
        const auto answer = status.answer(read);
        EXPECT_TRUE(answer) << real_time_read_name(read);
        bytes.at(static_cast<std::size_t>(read) - 1) = answer.value_or(0);
    }
    return bytes;
}

using Bytes = std::array<std::uint8_t, 4>;

TEST(EmulatedPrinterStatus, EachStateAnswersItsStatusBytes) {
    EmulatedPrinter printer;
    SocketConnection connection(printer.printer_port);
    EXPECT_EQ(status_bytes(connection), (Bytes{0x12, 0x12, 0x12, 0x12}));
    printer.command("open-cover");
    EXPECT_EQ(status_bytes(connection), (Bytes{0x1A, 0x16, 0x12, 0x12}));
    printer.command("close-cover");
    printer.command("out-of-paper");
    EXPECT_EQ(status_bytes(connection), (Bytes{0x1A, 0x32, 0x12, 0x72}));
    printer.command("refill");
    printer.control({{"command", "near-end"}, {"on", true}});
    EXPECT_EQ(status_bytes(connection), (Bytes{0x12, 0x12, 0x12, 0x1E}));
    printer.command("reset");
    printer.control({{"command", "error"}, {"kind", "cutter"}});
    EXPECT_EQ(status_bytes(connection), (Bytes{0x3A, 0x52, 0x1A, 0x12}));
    printer.control({{"command", "error"}, {"kind", "unrecoverable"}});
    EXPECT_EQ(status_bytes(connection), (Bytes{0x3A, 0x52, 0x3A, 0x12}));
    // DLE ENQ 1 clears the cutter error, not the unrecoverable one.
    connection.write(bytes_of_recovery(), Clock::now() + answer_limit);
    EXPECT_EQ(status_bytes(connection), (Bytes{0x1A, 0x52, 0x32, 0x12}));
}

TEST(EmulatedPrinterStatus, TheVerdictFollowsThePrinter) {
    EmulatedPrinter printer({"--cover-open"});
    SocketConnection connection(printer.printer_port);
    StatusQuery query(connection, answer_limit);
    const auto closed = judge(query.read_status());
    EXPECT_EQ(closed.verdict, Verdict::CannotPrint);
    EXPECT_EQ(closed.reasons, std::vector<std::string>{"cover open"});
    printer.command("close-cover");
    EXPECT_EQ(judge(query.read_status()).verdict, Verdict::CanPrint);
}

TEST(EmulatedPrinterStatus, TheProcessIdIsAnsweredOnlyOnceItsPaperIsPrinted) {
    EmulatedPrinter printer;
    printer.control({{"command", "out-of-paper"}, {"after_lines", 2}});
    SocketConnection connection(printer.printer_port);
    StatusQuery query(connection, answer_limit);
    const ProcessId id = ProcessId::from_number(4711);
    const std::string job = "\x1B@Line A\r\nLine B\r\nLine C\r\n\x1DV\x42";
    connection.write(job + std::string(1, '\0'), Clock::now() + answer_limit);
    EXPECT_EQ(query.confirm_printed(id, Clock::now() + silence), Confirmation::NotConfirmed);
    // Out of paper, it still answers its real-time status.
    EXPECT_EQ(judge(query.read_status()).verdict, Verdict::CannotPrint);
    printer.command("refill");
    EXPECT_EQ(query.await_printed(id, Clock::now() + answer_limit), Confirmation::Printed);
    const auto papers = printer.control({{"command", "wait-papers"}, {"count", 2}}).at("papers");
    ASSERT_EQ(papers.size(), 2u);
    EXPECT_EQ(papers[0].at("end"), "paper-out");
    EXPECT_EQ(papers[0].at("lines"), (nlohmann::json{"Line A", "Line B"}));
    EXPECT_EQ(papers[1].at("end"), "cut");
    EXPECT_EQ(papers[1].at("lines"), (nlohmann::json{"Line C"}));
}

TEST(EmulatedPrinterStatus, AnOpenCoverHoldsTheProcessIdUntilItCloses) {
    EmulatedPrinter printer;
    SocketConnection connection(printer.printer_port);
    StatusQuery query(connection, answer_limit);
    printer.command("open-cover");
    connection.write("Receipt\n\x1Bm", Clock::now() + answer_limit);
    const ProcessId id = ProcessId::from_bytes("T0~1");
    EXPECT_EQ(query.confirm_printed(id, Clock::now() + silence), Confirmation::NotConfirmed);
    EXPECT_EQ(query.read_paper_sensor(Clock::now() + silence), std::nullopt);
    printer.command("close-cover");
    EXPECT_EQ(query.await_printed(id, Clock::now() + answer_limit), Confirmation::Printed);
    EXPECT_EQ(query.read_paper_sensor(Clock::now() + answer_limit), (PaperFacts{}));
}

TEST(EmulatedPrinterStatus, AModelWithoutStatusLeavesItUnknown) {
    EmulatedPrinter printer({"--no-status"});
    SocketConnection connection(printer.printer_port);
    StatusQuery query(connection, silence);
    EXPECT_EQ(judge(query.read_status()).verdict, Verdict::Unknown);
    connection.write("Receipt\n\x1Bm", Clock::now() + answer_limit);
    EXPECT_EQ(query.confirm_printed(ProcessId::from_number(1), Clock::now() + silence),
              Confirmation::NotConfirmed);
    EXPECT_EQ(printer.control({{"command", "wait-papers"}, {"count", 1}}).at("papers").size(), 1u);
}

TEST(EmulatedPrinterStatus, ADroppedConnectionIsAnError) {
    EmulatedPrinter printer({"--drop-after", "4"});
    SocketConnection connection(printer.printer_port);
    StatusQuery query(connection, answer_limit);
    connection.write("ABCDEFGH", Clock::now() + answer_limit);
    EXPECT_THROW(query.read_status(), StatusConnectionError);
}

TEST(EmulatedPrinterStatus, ARefusingOrSilentPrinterAnswersNothing) {
    EmulatedPrinter printer({"--refuse"});
    EXPECT_THROW(SocketConnection{printer.printer_port}, std::runtime_error);
    printer.control({{"command", "refuse"}, {"on", false}});
    SocketConnection connection(printer.printer_port);
    printer.control({{"command", "silent"}, {"on", true}});
    StatusQuery silent(connection, silence);
    EXPECT_EQ(judge(silent.read_status()).verdict, Verdict::Unknown);
    // Once it reads again, it answers what it was sent meanwhile.
    printer.control({{"command", "silent"}, {"on", false}});
    EXPECT_EQ(connection.read_some(Clock::now() + answer_limit), "\x12");
}

std::string file_bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// tovprint's own jobs: the paper log keeps their bytes exactly, paper by paper, and reads them as
// the independent ESC/POS reader did.
TEST(EmulatedPrinterStatus, ThePaperLogKeepsTovprintsJobsByteForByte) {
    const std::string samples = TOV_PRINTER_SAMPLES;
    for (const auto& [name, family, papers] :
         {std::tuple{"conferencia_esc_e_f", "esc-e-f", 2u}, {"vendedor_escpos", "esc-e-n", 1u}}) {
        EmulatedPrinter printer({"--family", family});
        SocketConnection connection(printer.printer_port);
        const std::string job = file_bytes(samples + "/" + name + ".bin");
        connection.write(job, Clock::now() + answer_limit);
        const auto log = printer.control({{"command", "wait-papers"}, {"count", papers}});
        std::string printed;
        std::string transcript;
        for (const auto& paper : log.at("papers")) {
            EXPECT_EQ(paper.at("end"), "cut") << name;
            printed += paper.at("bytes_hex").get<std::string>();
            transcript += paper.at("transcript").get<std::string>();
        }
        ASSERT_EQ(log.at("papers").size(), papers) << name;
        std::string job_hex;
        char hex[3];
        for (unsigned char byte : job) {
            std::snprintf(hex, sizeof hex, "%02x", byte);
            job_hex += hex;
        }
        EXPECT_EQ(printed, job_hex) << name;
        EXPECT_EQ(transcript, file_bytes(samples + "/" + name + ".txt")) << name;
    }
}

}  // namespace
}  // namespace tovprint::status
