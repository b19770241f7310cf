#include "host/library_location.hpp"
#include "support/process.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tovprint {
namespace {

// Sets TOV_LIBRARY for one test and restores its absence afterwards.
class LibraryLocation : public testing::Test {
protected:
    void SetUp() override { tov::test::unset_environment("TOV_LIBRARY"); }
    void TearDown() override { tov::test::unset_environment("TOV_LIBRARY"); }
};

TEST_F(LibraryLocation, TheOptionComesFirst) {
    tov::test::set_environment("TOV_LIBRARY", "/from/environment.so");
    EXPECT_EQ(package_library_path(std::filesystem::path("/from/option.so")), "/from/option.so");
}

TEST_F(LibraryLocation, TheEnvironmentComesBeforeTheBuiltLibrary) {
    tov::test::set_environment("TOV_LIBRARY", "/from/environment.so");
    EXPECT_EQ(package_library_path(std::nullopt), "/from/environment.so");
}

TEST_F(LibraryLocation, WithoutEitherTheLibraryHasThePackageFileName) {
    tov::test::set_environment("TOV_LIBRARY", "");
    EXPECT_EQ(package_library_path(std::nullopt).filename(), "libPkg_Tov00000.so.1");
}

}  // namespace
}  // namespace tovprint
