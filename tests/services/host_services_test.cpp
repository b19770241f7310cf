#include "services/host_services.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/errors/errors.hpp"
#include "services/backend.hpp"
#include "support/process.hpp"

namespace tov::services {
namespace {

using tov::test::ScopedEnvironment;

TEST(HostServicesDefaults, PrinterLayoutComesFromTheTableAndKeepsTheCouponNumber) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "tov_host_services_printers.conf";
    std::ofstream(file) << "7 3 40 \\n \\x1bi\n";
    ScopedEnvironment printers("TOV_PRINTERS", file.string());

    int font = 0;
    int width = 0;
    std::string enter, cut, coupon = "001234";
    HostServices().ConfiguraImpressora(7, false, true, font, width, enter, cut, coupon);
    std::filesystem::remove(file);

    EXPECT_EQ(font, 3);
    EXPECT_EQ(width, 40);
    EXPECT_EQ(enter, "\n");
    EXPECT_EQ(cut, "\x1bi");
    EXPECT_EQ(coupon, "001234");
}

TEST(HostServicesDefaults, ConnectionStringComesFromTheEnvironment) {
    tov::test::unset_environment("TOV_CONNECTION");
    EXPECT_EQ(HostServices().GetStringConexPld(""), "");
    ScopedEnvironment connection("TOV_CONNECTION", "Driver=SQLite;Database=x");
    EXPECT_EQ(HostServices().GetStringConexPld(""), "Driver=SQLite;Database=x");
}

TEST(HostServicesDefaults, ClockIsLocalDaysSince1899) {
    const std::time_t seconds = std::time(nullptr);
    const std::time_t local_seconds = tov::test::utc_moment(tov::test::local_calendar(seconds));
    const double now = HostServices().Now();
    const double expected_day = 25569.0 + static_cast<double>(local_seconds / 86400);
    EXPECT_GE(now, expected_day);
    EXPECT_LT(now, expected_day + 1.0 + 1.0 / 86400);
}

TEST(HostServicesDefaults, OtherServicesFallBackToThePackagesOwn) {
    const HostServices host;
    EXPECT_EQ(host.ADOExceptionMessage("login failed", nullptr, ""), "login failed");
    EXPECT_EQ(host.Uncripto("HJL", 7), "ABC");
    EXPECT_TRUE(std::filesystem::path(host.ExePath()).is_absolute());
    EXPECT_NE(host.ExePath().find("test_services_host_services"), std::string::npos);
}

TEST(HostServicesRegistered, OverlongAnswerIsCutAtTheBufferEnd) {
    tov_host table{};
    table.struct_size = sizeof(tov_host);
    table.GetStringConexPld = [](void*, const char*, char* out, size_t capacity) {
        std::memset(out, 'x', capacity);  // no NUL of its own
    };
    const std::string answer = HostServices(table).GetStringConexPld("");
    EXPECT_EQ(answer, std::string(4095, 'x'));
}

TEST(HostServicesRegistered, PrinterConfigurationPassesValuesBothWays) {
    tov_host table{};
    table.struct_size = sizeof(tov_host);
    table.ConfiguraImpressora = [](void*, int32_t kind, int32_t flag1, int32_t flag2, int32_t* font,
                                   int32_t* width, char* enter, size_t, char*, size_t, char* coupon,
                                   size_t) {
        *font = kind + flag1;
        *width = flag2 ? 48 : 40;
        std::strcpy(enter, "\r\n");
        coupon[0] = coupon[0] == '9' ? '8' : '?';  // sees the caller's coupon number
    };
    int font = 0, width = 0;
    std::string enter, cut = "cut", coupon = "95";
    HostServices(table).ConfiguraImpressora(5, true, true, font, width, enter, cut, coupon);
    EXPECT_EQ(font, 6);
    EXPECT_EQ(width, 48);
    EXPECT_EQ(enter, "\r\n");
    EXPECT_EQ(cut, "cut");
    EXPECT_EQ(coupon, "85");
}

TEST(BackendCalls, UnregisteredEntryPointIsNamed) {
    const Backend none;
    try {
        none.Usa_CompNFis("COR", "text");
        FAIL();
    } catch (const BackendError& error) {
        EXPECT_STREQ(error.what(), "back-end entry point 'Usa_CompNFis' is not registered");
    }
    EXPECT_THROW(none.require({EntryPoint::Cupom_Troca}), BackendError);
    EXPECT_THROW(none.require({EntryPoint::Nr_Cupom, EntryPoint::Cupom_Troca}), BackendError);
}

// Every entry point reads its own member of the table: registering one alone makes that one, and
// only that one, registered.
TEST(BackendCalls, EachEntryPointReadsItsOwnTableMember) {
    tov_backend table{};
    table.Relatorio_Generico = [](void*, const char*, const char*, const char*, const char*, size_t,
                                  const char*, const char*) -> int32_t { return 1; };
    const Backend backend(table);
    for (const EntryPoint entry_point : tov::services::all_entry_points) {
        EXPECT_EQ(backend.registered(entry_point), entry_point == EntryPoint::Relatorio_Generico)
            << entry_point_name(entry_point);
    }
    EXPECT_EQ(entry_point_name(EntryPoint::Conferencia_Formatada), "Conferencia_Formatada");
}

TEST(BackendCalls, BuffersKeepTheirNulBytesAndTextsComeBack) {
    struct Seen {
        std::string buffer;
    } seen;
    tov_backend table{};
    table.struct_size = sizeof(tov_backend);
    table.ctx = &seen;
    table.Extrato = [](void* ctx, const char* buffer, size_t size, const char*) {
        static_cast<Seen*>(ctx)->buffer.assign(buffer, size);
        return int32_t{1};
    };
    table.Nr_Cupom = [](void*, int32_t, int32_t, char* number, size_t capacity) {
        std::strncpy(number, "004711", capacity - 1);
        return int32_t{1};
    };
    const Backend backend(table);
    EXPECT_TRUE(backend.Extrato(std::string("a\0b", 3), "COR"));
    EXPECT_EQ(seen.buffer, std::string("a\0b", 3));
    std::string coupon = "old";
    backend.Nr_Cupom(coupon);
    EXPECT_EQ(coupon, "004711");
}

}  // namespace
}  // namespace tov::services
