// What the table bill answers when the register refuses a seat bill, when memory runs out after
// a seat bill was handed off, and the limits it checks before anything is handed off: how many
// seat bills a list may make, and how large an amount may be.
//
// This program replaces the allocation functions so that a test can make the next allocation
// fail, from the moment the register takes a bill.

#include <gmock/gmock.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "bill_fixture.hpp"
#include "platform/errors/errors.hpp"

// Both replacements use malloc and free; the compiler cannot see that they match.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> fail_next_allocation{false};
}  // namespace

// Every form that is not over-aligned is replaced, so that no block from a replacement reaches
// a library's deallocation and the other way round (the sanitizers' own forms track which
// allocation function made each block).
namespace {
void* allocate_or_fail(std::size_t size) {
    if (fail_next_allocation.exchange(false)) return nullptr;
    return std::malloc(size == 0 ? 1 : size);
}
void* allocate_or_throw(std::size_t size) {
    if (void* block = allocate_or_fail(size)) return block;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return allocate_or_throw(size);
}
void* operator new[](std::size_t size) {
    return allocate_or_throw(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate_or_fail(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate_or_fail(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

namespace tov::bill::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// "00;01;...": count seat codes from first, each followed by ';'.
std::string seat_list(int first, int count) {
    std::string list;
    for (int seat = first; seat < first + count; ++seat) {
        char code[16];
        std::snprintf(code, sizeof code, "%02d;", seat);
        list += code;
    }
    return list;
}

class SeatBillsTest : public BillTest {
protected:
    SeatBillsTest() {
        request.IdTpImpParc = "F";
        request.boUtilizaImpFis = true;
        request.stNrComanda = "7";
        request.stNrvendarest = "1002";
        request.IdLugarMesa = "S";
        request.stPosicao = "01;02";
    }
    ~SeatBillsTest() override { fail_next_allocation = false; }

    // The failure print() ends with.
    Error failure_of_print() {
        try {
            print(rows);
        } catch (const Error& failure) {
            return failure;
        }
        ADD_FAILURE() << "no failure";
        return Error("");
    }

    std::vector<ItemRow> rows{{.seat = "01", .name = "Cafe"}, {.seat = "02", .name = "Bolo"}};
};

TEST_F(SeatBillsTest, ARefusedSeatBillMakesTheResultFalseAndIsNamed) {
    recorder.bill_answers = {0, 1};
    EXPECT_FALSE(print(rows));
    EXPECT_EQ(recorder.bills.size(), 2u);
    EXPECT_EQ(outcome.reason,
              "table bill: Conferencia_Formatada refused the bills of seats 01 (the bills of "
              "seats 01, 02 were handed off)");

    recorder.bills.clear();
    request.stPosicao = "01;02;03";
    recorder.bill_answers = {1, 0, 0};
    EXPECT_FALSE(print(rows));
    EXPECT_THAT(outcome.reason, HasSubstr("refused the bills of seats 02, 03 ("));

    request.stPosicao = "01;02";
    recorder.bill_answers = {1, 1};
    EXPECT_TRUE(print(rows));
    EXPECT_EQ(outcome.reason, "");

    request.stPosicao = "T";
    recorder.bill_answers = {};
    recorder.answer = 0;
    EXPECT_FALSE(print(rows));
    EXPECT_EQ(outcome.reason, "table bill: Conferencia_Formatada refused the bill");
}

TEST_F(SeatBillsTest, RunningOutOfMemoryAfterAHandOffNamesTheBillsHandedOff) {
    recorder.after_bill = [this] { fail_next_allocation = recorder.bills.size() == 1; };
    Error failure = failure_of_print();
    EXPECT_EQ(failure.status(), TOV_E_INTERNAL);
    EXPECT_STREQ(failure.what(),
                 "table bill of seat 02 (the bills of seats 01 were handed off): out of memory");
    EXPECT_EQ(recorder.bills.size(), 1u);

    // After the last hand-off, while the refusal is told: every bill was handed off.
    recorder.bills.clear();
    recorder.bill_answers = {1, 0};
    recorder.after_bill = [this] { fail_next_allocation = recorder.bills.size() == 2; };
    failure = failure_of_print();
    EXPECT_EQ(failure.status(), TOV_E_INTERNAL);
    EXPECT_THAT(failure.what(), StartsWith("table bill (the bills of seats 01, 02 were handed "
                                           "off): out of memory after the last hand-off"));
    EXPECT_EQ(recorder.bills.size(), 2u);
}

TEST_F(SeatBillsTest, ASeatListOfMoreBillsThanATableHasIsRefusedBeforeAnything) {
    request.boUtilizaImpFis = false;
    request.stPosicao = seat_list(1, 99) + "T";  // "T" ends the list
    EXPECT_TRUE(print(rows));
    EXPECT_EQ(recorder.bills.size(), 99u);

    recorder.calls.clear();
    recorder.bills.clear();
    for (const std::string& list :
         {seat_list(0, 100), seat_list(1, 99) + "X", seat_list(0, 9999)}) {
        request.stPosicao = list;
        const Error failure = failure_of_print();
        EXPECT_EQ(failure.status(), TOV_E_ARGUMENT);
        EXPECT_THAT(failure.what(), HasSubstr("stPosicao"));
        EXPECT_THAT(failure.what(), HasSubstr("99"));
    }
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(SeatBillsTest, AmountsBeyondWhatTheBillPrintsFailBeforeAnyHandOff) {
    request.stPosicao = "";
    const std::pair<double TableBillRequest::*, const char*> arguments[] = {
        {&TableBillRequest::doVrTxSer, "doVrTxSer"},
        {&TableBillRequest::doTotal, "doTotal"},
        {&TableBillRequest::doAcre, "doAcre"},
        {&TableBillRequest::doVrDesc, "doVrDesc"},
    };
    for (const auto& [argument, name] : arguments) {
        for (const double amount : {1.7e308, -1e15}) {
            const double kept = request.*argument;
            request.*argument = amount;
            const Error failure = failure_of_print();
            request.*argument = kept;
            EXPECT_EQ(failure.status(), TOV_E_ARGUMENT) << name;
            EXPECT_THAT(failure.what(), HasSubstr(name));
        }
    }
    EXPECT_TRUE(recorder.calls.empty());

    // The items of every seat are looked at before the first seat bill is handed off.
    request.stPosicao = "01;02";
    rows = {{.seat = "01"}, {.seat = "02", .price = 1e300}};
    Error failure = failure_of_print();
    EXPECT_EQ(failure.status(), TOV_E_ARGUMENT);
    EXPECT_THAT(failure.what(), HasSubstr("VRPRECCOMVEN of item row 2 of DADOS"));
    rows = {{.seat = "01", .quantity = 1e8, .price = 1e8}};
    EXPECT_THAT(failure_of_print().what(), HasSubstr("QTPRODCOMVEN times VRPRECCOMVEN"));
    rows = {{.seat = "01", .price = 9e14}, {.seat = "02", .price = 9e14}};
    EXPECT_THAT(failure_of_print().what(), HasSubstr("the sum of the items' values"));
    EXPECT_TRUE(recorder.bills.empty());
    request.stPosicao = "";

    // Each input prints, but the seats' shares of the service charge do not: the charged items
    // of the bill come to 0,01.
    request.boUtilizaImpFis = false;
    request.stTipoVenda = "2";
    request.doQtPessoas = 2;
    request.doVrTxSer = 1e14;
    rows = {{.seat = "01", .price = 100}, {.seat = "02", .price = -99.99}};
    failure = failure_of_print();
    EXPECT_EQ(failure.status(), TOV_E_ARGUMENT);
    EXPECT_THAT(failure.what(), HasSubstr("doVrTxSer"));
    EXPECT_TRUE(recorder.bills.empty());
}

}  // namespace
}  // namespace tov::bill::testing
