// The tables a host registers, read by their struct_size: the package copies what the size
// covers and nothing beyond it (a sanitizer build reports any read past the host's bytes),
// takes a bigger table from a newer host, and refuses one smaller than version 1.0's.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "package/registered_table.hpp"
#include "platform/errors/errors.hpp"
#include "tov00000/tov00000.h"

namespace {

// The host's table in memory of exactly `size` bytes, as a host compiled with a header of that
// size has it: the prefix of `full`, or `full` followed by zeroes.
template <class Table>
class HostBytes {
public:
    HostBytes(const Table& full, std::size_t size)
        : bytes_(std::make_unique<unsigned char[]>(size)) {
        std::memset(bytes_.get(), 0, size);
        std::memcpy(bytes_.get(), &full, std::min(size, sizeof(Table)));
        std::memcpy(bytes_.get(), &size, sizeof(uint32_t));  // struct_size comes first
    }
    const Table* table() const { return reinterpret_cast<const Table*>(bytes_.get()); }

private:
    std::unique_ptr<unsigned char[]> bytes_;
};

tov_format_settings dotted_settings() {
    return tov_format_settings{sizeof(tov_format_settings), '.', ',', "yyyy-mm-dd", "US$", 0, 1, 3};
}

TEST(RegisteredTable, TheSizeOfVersion1IsReadToItsLastMemberAndNoFurther) {
    const HostBytes<tov_format_settings> host(dotted_settings(), TOV_FORMAT_SETTINGS_SIZE_1_0);
    ASSERT_EQ(Tov_SetFormatSettings(host.table()), TOV_OK) << Tov_LastError();
    const auto copy = tov::package::registered_table(*host.table(), TOV_FORMAT_SETTINGS_SIZE_1_0,
                                                     "tov_format_settings");
    EXPECT_EQ(copy.CurrencyDecimals, 3);
    EXPECT_STREQ(copy.ShortDateFormat, "yyyy-mm-dd");
    EXPECT_EQ(copy.struct_size, sizeof(tov_format_settings));
    ASSERT_EQ(Tov_SetFormatSettings(nullptr), TOV_OK);
}

TEST(RegisteredTable, ANewerHostsBiggerTableIsTakenAndItsAppendedMembersIgnored) {
    const std::size_t newer = sizeof(tov_backend) + 3 * sizeof(void*);
    tov_backend full{};
    full.ctx = &full;
    full.Extrato = [](void*, const char*, size_t, const char*) -> int32_t { return 1; };
    HostBytes<tov_backend> host(full, newer);
    std::memset(const_cast<tov_backend*>(host.table()) + 1, 0xAB, newer - sizeof(tov_backend));
    ASSERT_EQ(Tov_SetBackend(host.table()), TOV_OK) << Tov_LastError();
    const auto copy =
        tov::package::registered_table(*host.table(), TOV_BACKEND_SIZE_1_0, "tov_backend");
    EXPECT_EQ(copy.ctx, &full);
    EXPECT_EQ(copy.Extrato, full.Extrato);
    EXPECT_EQ(copy.ImprimePadrao, nullptr);
    ASSERT_EQ(Tov_SetBackend(nullptr), TOV_OK);

    const HostBytes<tov_host> newer_host(tov_host{}, sizeof(tov_host) + sizeof(void*));
    EXPECT_EQ(Tov_SetHost(newer_host.table()), TOV_OK) << Tov_LastError();
    ASSERT_EQ(Tov_SetHost(nullptr), TOV_OK);
}

// A host that forgot struct_size (0) or was built with a header older than 1.0.
TEST(RegisteredTable, ASizeShortOfVersion1IsRefusedNamingTheStructure) {
    const auto refused = [](int32_t status, const std::string& name) {
        EXPECT_EQ(status, TOV_E_ARGUMENT) << name;
        const std::string message = Tov_LastError();
        EXPECT_EQ(message.rfind(name + ": struct_size is ", 0), 0u) << message;
    };
    refused(Tov_SetBackend(HostBytes<tov_backend>(tov_backend{}, TOV_BACKEND_SIZE_1_0 - 1).table()),
            "tov_backend");
    refused(Tov_SetHost(HostBytes<tov_host>(tov_host{}, sizeof(uint32_t)).table()), "tov_host");
    refused(Tov_SetFormatSettings(
                HostBytes<tov_format_settings>(dotted_settings(), sizeof(uint32_t)).table()),
            "tov_format_settings");
    tov_format_settings unset = dotted_settings();
    unset.struct_size = 0;
    refused(Tov_SetFormatSettings(&unset), "tov_format_settings");
}

}  // namespace
