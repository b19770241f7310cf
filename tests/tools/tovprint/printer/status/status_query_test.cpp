#include "printer/status/status_query.hpp"

#include <gtest/gtest.h>

#include "printer/status/status_requests.hpp"
#include "scripted_connection.hpp"

namespace tovprint::status {
namespace {

using test::bytes;
using test::ScriptedConnection;

constexpr auto limit = std::chrono::milliseconds(100);

Deadline soon() {
    return Clock::now() + limit;
}

// A printer that answers each DLE EOT n with answers[n - 1].
ScriptedConnection::Answerer real_time(std::array<std::uint8_t, 4> answers) {
    return [answers](std::string_view request) -> std::string {
        if (request.size() == 3 && request[0] == 0x10 && request[1] == 0x04) {
            return std::string(1, static_cast<char>(answers.at(request[2] - 1)));
        }
        return {};
    };
}

TEST(StatusQuery, ReadsTheFourStatusBytesInOrder) {
    ScriptedConnection printer(real_time({0x12, 0x16, 0x12, 0x1E}));
    StatusQuery query(printer, limit);
    const PrinterStatus status = query.read_status();
    EXPECT_EQ(printer.written, bytes({0x10, 0x04, 1, 0x10, 0x04, 2, 0x10, 0x04, 3, 0x10, 0x04, 4}));
    ASSERT_TRUE(status.complete());
    EXPECT_TRUE(status.off_line_cause()->cover_open);
    EXPECT_TRUE(status.roll_paper()->near_end);
}

TEST(StatusQuery, StopsAskingOnceAReadGoesUnanswered) {
    ScriptedConnection printer([](std::string_view request) -> std::string {
        return request == real_time_status_request(RealTimeRead::Printer) ? "\x12" : "";
    });
    StatusQuery query(printer, limit);
    PrinterStatus status = query.read_status();
    EXPECT_TRUE(status.printer());
    EXPECT_FALSE(status.off_line_cause());
    EXPECT_EQ(printer.written, bytes({0x10, 0x04, 1, 0x10, 0x04, 2}));
    // Its late answer would be taken for that of the next read: this connection asks no more.
    printer.written.clear();
    EXPECT_FALSE(query.read_status().printer());
    EXPECT_TRUE(printer.written.empty());
}

TEST(StatusQuery, OtherAnswersOnTheWayAreKeptNotTakenForTheStatus) {
    ScriptedConnection printer([](std::string_view request) -> std::string {
        return request == real_time_status_request(RealTimeRead::Printer) ? "\x1A" : "\x12";
    });
    // Automatic status back and a process ID answer, split, before the first status byte.
    printer.arrive(bytes({0x10, 0x00, 0x00, 0x00, 0x37, 0x22, '0', '0', '0'}));
    printer.arrive(bytes({'1', 0x00}));
    StatusQuery query(printer, limit);
    const PrinterStatus status = query.read_status();
    EXPECT_EQ(status.answer(RealTimeRead::Printer), 0x1A);
    EXPECT_EQ(status.answer(RealTimeRead::OffLineCause), 0x12);
    ASSERT_EQ(query.other_answers().size(), 2u);
    EXPECT_TRUE(std::holds_alternative<AutomaticStatusAnswer>(query.other_answers()[0]));
    // A process ID answer that came early still confirms its job.
    EXPECT_EQ(query.confirm_printed(ProcessId::from_bytes("0001"), soon()), Confirmation::Printed);
    EXPECT_EQ(query.other_answers().size(), 1u);
}

TEST(StatusQuery, ConfirmsAJobOnlyWithItsOwnProcessId) {
    std::string answer = bytes({0x37, 0x22, 'X', 'X', 'X', 'X', 0x00});
    ScriptedConnection printer([&answer](std::string_view) { return answer; });
    StatusQuery query(printer, limit);
    EXPECT_EQ(query.confirm_printed(ProcessId::from_bytes("ABCD"), soon()),
              Confirmation::NotConfirmed);
    EXPECT_EQ(printer.written, process_id_request(ProcessId::from_bytes("ABCD")));
    answer = bytes({0x37, 0x22, 'A', 'B', 'C', 'E', 0x00});
    EXPECT_EQ(query.confirm_printed(ProcessId::from_bytes("ABCE"), soon()), Confirmation::Printed);
}

TEST(StatusQuery, ThePaperSensorConfirmsOnlyWithPaper) {
    std::string answer = "\x03";
    ScriptedConnection printer([&answer](std::string_view) { return answer; });
    StatusQuery query(printer, limit);
    EXPECT_EQ(query.read_paper_sensor(soon()), (PaperFacts{true, false}));
    EXPECT_EQ(query.confirm_by_paper_sensor(soon()), Confirmation::Printed);
    answer = "\x0C";
    EXPECT_EQ(query.confirm_by_paper_sensor(soon()), Confirmation::NotConfirmed);
    answer = "";
    EXPECT_EQ(query.confirm_by_paper_sensor(soon()), Confirmation::NotConfirmed);
    // A real-time byte is not the sensor's answer.
    answer = "\x12";
    EXPECT_FALSE(query.read_paper_sensor(soon()));
}

TEST(StatusQuery, APrinterThatClosesTheConnectionIsAnError) {
    ScriptedConnection printer([](std::string_view) { return std::string(); });
    printer.closed = true;
    StatusQuery query(printer, limit);
    EXPECT_THROW(query.read_status(), StatusConnectionError);
    EXPECT_THROW(query.confirm_printed(ProcessId::from_number(7), soon()), StatusConnectionError);
}

}  // namespace
}  // namespace tovprint::status
