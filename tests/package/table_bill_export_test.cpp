// The table bill's C export: the host's coupon-number buffer goes to the register as it is, and
// what cannot be handed on safely fails before anything is printed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "tov00000/tov00000.h"

namespace {

using ::testing::HasSubstr;

struct Seen {
    char* coupon = nullptr;
    std::string coupon_text;
    size_t capacity = 0;
    int calls = 0;
    int32_t answer = 1;  // the register's answer
};

Seen seen;

int32_t register_composes(void*, const char*, const char*, const char*, const char*, char* cupom,
                          size_t capacity, const char*, const char*, const char*, const char*,
                          const char*, const void*, size_t, double, double, double, double, double,
                          double, double, int32_t) {
    seen.coupon = cupom;
    seen.coupon_text = cupom;
    seen.capacity = capacity;
    ++seen.calls;
    return seen.answer;
}

int32_t keep_width(void*, const char*, const char*, const char*, int32_t*) {
    return 1;
}

// A fiscal bill for register kind 44, which composes it itself: nothing is read from the store.
int32_t register_bill(char* stCupomDia, size_t capacity, const void* items, size_t items_size,
                      double doTotal = 0, int32_t* result_out = nullptr) {
    tov_backend backend{};
    backend.struct_size = sizeof(tov_backend);
    backend.Conferencia_Outras = register_composes;
    backend.AjustaImpressaoDireta = keep_width;
    EXPECT_EQ(Tov_SetBackend(&backend), TOV_OK);
    int32_t result = 0;
    return Conferencia_Mesa_Tov00000(
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 44, stCupomDia, capacity, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr, items, items_size, 0, 0, 0, 0, 0, doTotal, 0,
        0, nullptr, "F", nullptr, nullptr, nullptr, 1, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr, nullptr, result_out != nullptr ? result_out : &result);
}

TEST(TableBillExport, TheRegisterWritesIntoTheHostsOwnCouponBuffer) {
    char coupon[24] = "17";
    EXPECT_EQ(register_bill(coupon, sizeof coupon, "x", 1), TOV_OK);
    EXPECT_EQ(seen.coupon, coupon);
    EXPECT_EQ(seen.capacity, sizeof coupon);

    // No buffer at all counts as an empty text: the register still gets one to write into.
    EXPECT_EQ(register_bill(nullptr, 0, nullptr, 0), TOV_OK);
    EXPECT_NE(seen.coupon, nullptr);
    EXPECT_EQ(seen.coupon_text, "");
    EXPECT_GT(seen.capacity, 0u);
}

TEST(TableBillExport, BuffersAndAmountsThatCannotBeHandedOnFailFirst) {
    seen.calls = 0;
    char unterminated[4];
    std::memset(unterminated, 'x', sizeof unterminated);
    EXPECT_EQ(register_bill(unterminated, sizeof unterminated, "x", 1), TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("stCupomDia"));
    EXPECT_EQ(register_bill(nullptr, 8, "x", 1), TOV_E_ARGUMENT);
    EXPECT_EQ(register_bill(nullptr, 0, nullptr, 5), TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("DADOS"));
    EXPECT_EQ(register_bill(nullptr, 0, "x", 1, std::numeric_limits<double>::infinity()),
              TOV_E_ARGUMENT);
    EXPECT_THAT(Tov_LastError(), HasSubstr("doTotal"));
    EXPECT_EQ(seen.calls, 0);
}

}  // namespace

namespace {

// A refusal is a false result of a call that succeeded; the host reads why in Tov_LastError.
TEST(TableBillExport, ARefusedBillIsAFalseResultWithItsReason) {
    int32_t result = -1;
    seen.answer = 0;
    EXPECT_EQ(register_bill(nullptr, 0, "x", 1, 0, &result), TOV_OK);
    seen.answer = 1;
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(Tov_LastError(), "table bill: Conferencia_Outras refused the bill");

    EXPECT_EQ(register_bill(nullptr, 0, "x", 1, 0, &result), TOV_OK);
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(Tov_LastError(), "");
}

}  // namespace
