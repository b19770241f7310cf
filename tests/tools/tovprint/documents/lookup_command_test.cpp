// The lookup command's table of lookups and the checks it makes before loading the package.

#include "documents/lookup_command.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

TEST(LookupCommand, UsageNamesEveryLookupWithItsArgumentsInOrder) {
    ASSERT_EQ(lookup_entries().size(), 8u);
    const std::string usage = lookup_usage();
    EXPECT_NE(usage.find("  getNMCONSUMIDOR P_NRVENDAREST P_NRCOMANDA stPosicao\n"),
              std::string::npos);
    EXPECT_NE(usage.find("  GetCaixa CDCAIXA\n"), std::string::npos);
    EXPECT_NE(usage.find("  getMovCaixaMob P_CDFILIAL P_NRVENDAREST P_NRLUGARMESA\n"),
              std::string::npos);
}

TEST(LookupCommand, AWrongNameOrArgumentCountFailsBeforeTheLibraryIsLoaded) {
    std::ostringstream out;
    LookupRequest request{
        "GetCaixa", {"001", "extra"}, "/nonexistent/libPkg.so", std::nullopt, std::nullopt};
    try {
        run_lookup(request, out);
        FAIL() << "no failure";
    } catch (const tov::ArgumentError& error) {
        EXPECT_STREQ(error.what(), "GetCaixa takes 1 argument(s), 2 given");
    }
    request.name = "getCaixa";
    EXPECT_THROW(run_lookup(request, out), tov::ArgumentError) << "names are exact here";
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace tovprint
