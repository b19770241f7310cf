#include "library_location.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tovprint {
namespace {

// Sets TOV_LIBRARY for one test and restores its absence afterwards.
class LibraryLocation : public testing::Test {
protected:
    void SetUp() override { unsetenv("TOV_LIBRARY"); }
    void TearDown() override { unsetenv("TOV_LIBRARY"); }
};

TEST_F(LibraryLocation, TheOptionComesFirst) {
    setenv("TOV_LIBRARY", "/from/environment.so", 1);
    EXPECT_EQ(package_library_path(std::filesystem::path("/from/option.so")), "/from/option.so");
}

TEST_F(LibraryLocation, TheEnvironmentComesBeforeTheBuiltLibrary) {
    setenv("TOV_LIBRARY", "/from/environment.so", 1);
    EXPECT_EQ(package_library_path(std::nullopt), "/from/environment.so");
}

TEST_F(LibraryLocation, WithoutEitherTheLibraryHasThePackageFileName) {
    setenv("TOV_LIBRARY", "", 1);
    EXPECT_EQ(package_library_path(std::nullopt).filename(), "libPkg_Tov00000.so");
}

}  // namespace
}  // namespace tovprint
