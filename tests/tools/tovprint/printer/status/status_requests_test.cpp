#include "printer/status/status_requests.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "scripted_connection.hpp"

namespace tovprint::status {
namespace {

using test::bytes;

TEST(StatusRequests, AreTheBytesThePrinterReads) {
    EXPECT_EQ(real_time_status_request(RealTimeRead::Printer), bytes({0x10, 0x04, 0x01}));
    EXPECT_EQ(real_time_status_request(RealTimeRead::OffLineCause), bytes({0x10, 0x04, 0x02}));
    EXPECT_EQ(real_time_status_request(RealTimeRead::ErrorCause), bytes({0x10, 0x04, 0x03}));
    EXPECT_EQ(real_time_status_request(RealTimeRead::RollPaperSensor), bytes({0x10, 0x04, 0x04}));
    EXPECT_EQ(paper_sensor_request(), bytes({0x1D, 0x72, 0x01}));
    EXPECT_EQ(process_id_request(ProcessId::from_bytes("A1~0")),
              bytes({0x1D, 0x28, 0x48, 0x06, 0x00, 0x30, 0x30, 'A', '1', '~', '0'}));
}

TEST(ProcessId, CarriesEveryNumberOfFourBytesBothWays) {
    EXPECT_EQ(ProcessId::from_number(0).bytes(), "0000");
    EXPECT_EQ(ProcessId::from_number(1).bytes(), "0001");
    EXPECT_EQ(ProcessId::from_number(79).bytes(), "0010");
    EXPECT_EQ(ProcessId::from_number(ProcessId::count - 1).bytes(), "~~~~");
    for (std::uint32_t number : {0u, 78u, 79u, 6240u, 493038u, 1234567u, ProcessId::count - 1}) {
        const ProcessId id = ProcessId::from_number(number);
        EXPECT_EQ(id.number(), number);
        EXPECT_EQ(ProcessId::from_bytes(id.bytes()), id);
        for (char byte : id.bytes()) EXPECT_TRUE(is_process_id_byte(byte)) << number;
    }
}

TEST(ProcessId, RefusesWhatFourBytesCannotCarry) {
    EXPECT_THROW(ProcessId::from_number(ProcessId::count), std::invalid_argument);
    EXPECT_THROW(ProcessId::from_bytes("000"), std::invalid_argument);
    EXPECT_THROW(ProcessId::from_bytes("00000"), std::invalid_argument);
    EXPECT_THROW(ProcessId::from_bytes("00/0"), std::invalid_argument);
    EXPECT_THROW(ProcessId::from_bytes(bytes({'0', '0', '0', 0x7F})), std::invalid_argument);
}

}  // namespace
}  // namespace tovprint::status
