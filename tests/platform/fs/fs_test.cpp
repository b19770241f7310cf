#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/errors/errors.hpp"
#include "platform/fs/cache_folder.hpp"
#include "platform/fs/environment.hpp"
#include "platform/fs/executable_path.hpp"
#include "platform/fs/file_exists.hpp"
#include "platform/fs/host_folder.hpp"
#include "platform/fs/short_path.hpp"
#include "platform/fs/text_path.hpp"
#include "support/process.hpp"

namespace tov::fs {
namespace {

namespace stdfs = std::filesystem;

class FileSystemFolder : public ::testing::Test {
protected:
    FileSystemFolder()
        : folder(stdfs::temp_directory_path() /
                 ("tov_fs_" + tov::test::process_id_text() + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        stdfs::create_directories(folder);
        std::ofstream(folder / "Palindo.cds") << "x";
    }
    ~FileSystemFolder() override {
        std::error_code ignored;
        stdfs::remove_all(folder, ignored);
    }

    stdfs::path folder;
};

TEST_F(FileSystemFolder, OnlyRegularFilesExist) {
    EXPECT_TRUE(FileExists(folder / "Palindo.cds"));
    EXPECT_FALSE(FileExists(folder / "palindo.cds.bak"));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(stdfs::path()));
    EXPECT_FALSE(FileExists(folder / "Palindo.cds" / "below-a-file"));
}

TEST_F(FileSystemFolder, LinksAreFollowedToWhatTheyName) {
    stdfs::create_symlink(folder / "Palindo.cds", folder / "to-file");
    stdfs::create_symlink(folder / "gone", folder / "dangling");
    stdfs::create_directory_symlink(folder, folder / "to-folder");

    EXPECT_TRUE(FileExists(folder / "to-file"));
    EXPECT_FALSE(FileExists(folder / "dangling"));
    EXPECT_FALSE(FileExists(folder / "to-folder"));
}

TEST(HostFolder, IsTheFolderOfTheExecutableSoThatFilesLandBesideIt) {
    EXPECT_EQ(HostFolder("/opt/pdv/PLD.EXE") / "Palindo.cds", stdfs::path("/opt/pdv/Palindo.cds"));
    EXPECT_EQ(HostFolder("/opt/pdv com espa\xe7o/PLD.EXE"), stdfs::path("/opt/pdv com espa\xe7o"));
    EXPECT_EQ(HostFolder("PLD.EXE"), stdfs::path());
}

TEST(HostFolder, EmptyExecutablePathIsAnError) {
    EXPECT_THROW(HostFolder(""), FileError);
}

TEST(ShortPathForm, IsThePathItselfWhereThePlatformKeepsNoShortNames) {
    EXPECT_EQ(ShortPathForm("/opt/Program Files/pdv"), stdfs::path("/opt/Program Files/pdv"));
}

TEST(ExecutablePath, NamesThisTestProgram) {
    const stdfs::path path = executable_path();
    EXPECT_TRUE(path.is_absolute());
    EXPECT_EQ(path.stem(), "test_platform_fs_fs");
    EXPECT_TRUE(FileExists(path));
}

TEST(Environment, AnEmptyOrMissingVariableNamesNoPath) {
    tov::test::ScopedEnvironment missing("TOV_FS_TEST_PATH", std::nullopt);
    EXPECT_EQ(environment_path("TOV_FS_TEST_PATH"), std::nullopt);
    EXPECT_EQ(environment_text("TOV_FS_TEST_PATH"), "");
    tov::test::ScopedEnvironment set("TOV_FS_TEST_PATH", "/srv/pdv/impressoras.conf");
    EXPECT_EQ(environment_path("TOV_FS_TEST_PATH"), stdfs::path("/srv/pdv/impressoras.conf"));
    EXPECT_EQ(environment_text("TOV_FS_TEST_PATH"), "/srv/pdv/impressoras.conf");
}

// The Windows-1252 text of a path names the same file it came from.
TEST(TextPath, AWindows1252NameComesBackAsTheSameText) {
    const std::string text = "/opt/pdv/Jo\xe3o \x80 Caf\xe9/PLD.EXE";
    EXPECT_EQ(text_from_path(path_from_text(text)), text);
    EXPECT_EQ(path_from_text(text).filename(), "PLD.EXE");
}

#ifdef _WIN32
TEST(UserCacheFolder, IsTheLocalApplicationDataFolder) {
    tov::test::ScopedEnvironment local("LOCALAPPDATA", "C:\\Users\\caixa\\AppData\\Local");
    EXPECT_EQ(user_cache_folder(), stdfs::path("C:\\Users\\caixa\\AppData\\Local"));
}
#else
TEST(UserCacheFolder, IsXdgCacheHomeThenTheHomeCacheThenTheTemporaryFolder) {
    tov::test::ScopedEnvironment cache("XDG_CACHE_HOME", "/srv/cache");
    tov::test::ScopedEnvironment home("HOME", "/home/caixa");
    EXPECT_EQ(user_cache_folder(), stdfs::path("/srv/cache"));
    {
        tov::test::ScopedEnvironment empty("XDG_CACHE_HOME", "");
        EXPECT_EQ(user_cache_folder(), stdfs::path("/home/caixa/.cache"));
    }
    tov::test::ScopedEnvironment no_cache("XDG_CACHE_HOME", std::nullopt);
    tov::test::ScopedEnvironment no_home("HOME", std::nullopt);
    EXPECT_EQ(user_cache_folder(), stdfs::temp_directory_path());
}
#endif

}  // namespace
}  // namespace tov::fs
