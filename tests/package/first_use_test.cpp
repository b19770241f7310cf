// When the data module dtmGeral comes into being: the first call of one of the creating print
// functions creates it before anything else that can fail, and the consumer statement never does.
// Each creating function runs in a child process of its own, so that every one of them meets a
// package that has no data module yet.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "tov00000/tov00000.h"

namespace {

const char not_a_packet[] = "not a packet";

bool data_module_exists() {
    const void* module = nullptr;
    return Tov00000_dtmGeral(&module) == TOV_OK && module != nullptr;
}

// Child process: exit code 0 when the call failed and still left the data module behind.
[[noreturn]] void fail_and_report_the_data_module(const std::function<int32_t()>& call) {
    const bool failed = call() != TOV_OK;
    std::_Exit(failed && data_module_exists() ? 0 : 1);
}

TEST(DataModuleFirstUse, TheConsumerStatementLeavesItUncreated) {
    ASSERT_FALSE(data_module_exists());
    int32_t result = 1;
    ASSERT_EQ(Extrato_Tov00000(1, "01", "COR", "1", "COM1", nullptr, nullptr, nullptr, nullptr,
                               nullptr, "", "Centro", "002", "9", "Ana", nullptr, 7, &result),
              TOV_OK);
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(data_module_exists());
}

TEST(DataModuleFirstUseDeathTest, EachCreatingPrintFunctionCreatesItBeforeItsArgumentsFail) {
    ASSERT_FALSE(data_module_exists());
    EXPECT_EXIT(fail_and_report_the_data_module([] {
                    return RelatorioVendedor_Tov00000("01", "", "002", "", "", "", "", not_a_packet,
                                                      sizeof not_a_packet - 1, 0, 0, 0, nullptr);
                }),
                ::testing::ExitedWithCode(0), "")
        << "RelatorioVendedor_Tov00000";
    EXPECT_EXIT(fail_and_report_the_data_module([] {
                    return Cupom_Troca_Tov00000(0, not_a_packet, sizeof not_a_packet - 1, "", "01",
                                                "002", "", "", "", 30, nullptr);
                }),
                ::testing::ExitedWithCode(0), "")
        << "Cupom_Troca_Tov00000";
    EXPECT_EXIT(fail_and_report_the_data_module([] {
                    return imprimeTipoRece_Tov00000(0, "01", "002", "", "", "", not_a_packet,
                                                    sizeof not_a_packet - 1, "", "");
                }),
                ::testing::ExitedWithCode(0), "")
        << "imprimeTipoRece_Tov00000";
    EXPECT_EXIT(fail_and_report_the_data_module(
                    [] { return ImprimeDadosPaf_Tov00000(nullptr, -1, nullptr, nullptr); }),
                ::testing::ExitedWithCode(0), "")
        << "ImprimeDadosPaf_Tov00000";
    EXPECT_FALSE(data_module_exists()) << "the children's data modules stay in the children";
}

}  // namespace
