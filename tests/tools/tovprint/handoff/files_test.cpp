// The files tovprint reads and writes: inputs must be regular files of bounded size, and an
// output replaces the old file only once it is complete, and a device or a pipe is written in
// place, never replaced by a regular file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <fstream>
#include <sstream>
#include <string>

#include "handoff/raw_file_sink.hpp"
#include "os/file_bytes.hpp"
#include "os/file_replacement.hpp"
#include "platform/errors/errors.hpp"
#include "support/process.hpp"

namespace tovprint {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

class Files : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tovprint_files_" + tov::test::process_id_text());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path file(const std::string& name, const std::string& bytes) const {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }
    static std::string error_reading(const fs::path& path) {
        try {
            read_file_bytes(path);
        } catch (const tov::FileError& error) {
            return error.what();
        }
        return "(no error)";
    }

    fs::path folder_;
};

TEST_F(Files, OnlyRegularFilesOfBoundedSizeAreRead) {
    const std::string with_nul("{\"x\":\0}", 7);
    EXPECT_EQ(read_file_bytes(file("a.json", with_nul)), with_nul);
    EXPECT_THAT(error_reading(folder_), HasSubstr("not a regular file"));
    EXPECT_THAT(error_reading("/dev/zero"), HasSubstr("'/dev/zero': not a regular file"));
    EXPECT_THAT(error_reading(folder_ / "none.xml"), HasSubstr("no such file"));
    const fs::path huge = file("huge.cds", "");
    fs::resize_file(huge, max_input_file_size + 1);  // sparse: costs no disk
    EXPECT_THAT(error_reading(huge), HasSubstr("holds 67108865 bytes; files of at most 67108864"));
}

TEST_F(Files, AReplacementTakesThePlaceOfTheOldFileOnlyWhenCommitted) {
    const fs::path target = file("out.xml", "the good file");
    {
        FileReplacement replacement(target);
        replacement.write("half a pack");
    }  // abandoned, as when a write fails part way
    EXPECT_EQ(read_file_bytes(target), "the good file");
    EXPECT_EQ(entries(), 1u) << "no temporary file is left behind";

    replace_file(target, "the new file");
    EXPECT_EQ(read_file_bytes(target), "the new file");
    EXPECT_EQ(entries(), 1u);
    EXPECT_THROW(replace_file(folder_ / "no-folder" / "x.cds", "bytes"), tov::FileError);
}

TEST_F(Files, ARawFileOfARunThatFailsLeavesTheOldFile) {
    const fs::path target = file("raw.txt", "yesterday's bill");
    std::ostringstream log;
    {
        RawFileSink sink(target, log);
        sink.receive(HandOff{"ImprimePadrao", {}, std::string("today's")});
    }  // the run failed before finish()
    EXPECT_EQ(read_file_bytes(target), "yesterday's bill");
    RawFileSink sink(target, log);
    sink.receive(HandOff{"ImprimePadrao", {}, std::string("today's")});
    sink.receive(HandOff{"FechRelatGerenc", {}, std::nullopt});
    sink.receive(HandOff{"Usa_CompNFis", {}, std::string(" bill")});
    sink.finish();
    EXPECT_EQ(read_file_bytes(target), "today's bill");
}

#ifndef _WIN32
// A named pipe of the test and its reader, opened first without waiting so that a writer's open
// succeeds at once; what was written is read back once the writer has closed it.
struct PipeReader {
    int fd = -1;
    explicit PipeReader(const fs::path& pipe) {
        EXPECT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
        fd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
        EXPECT_GE(fd, 0);
    }
    ~PipeReader() { ::close(fd); }
    PipeReader(const PipeReader&) = delete;
    PipeReader& operator=(const PipeReader&) = delete;
    std::string drain() const {
        std::string bytes;
        char buffer[256];
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, got);
        return bytes;
    }
};

TEST_F(Files, APipeOrALinkToOneIsWrittenInPlaceAndAFileLinkStaysALink) {
    const fs::path pipe = folder_ / "lp.fifo";
    PipeReader reader(pipe);
    replace_file(pipe, "first bill");
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe))) << "the pipe was replaced by a file";
    EXPECT_EQ(reader.drain(), "first bill");

    const fs::path link = folder_ / "printer";
    fs::create_symlink(pipe, link);
    std::ostringstream log;
    RawFileSink sink(link, log);
    sink.receive(HandOff{"ImprimePadrao", {}, std::string("second bill")});
    sink.finish();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe)));
    EXPECT_EQ(reader.drain(), "second bill");
    EXPECT_EQ(entries(), 2u) << "no temporary file is left behind";

    const fs::path file_link = folder_ / "current.xml";
    const fs::path kept = file("kept.xml", "old");
    fs::create_symlink(kept.filename(), file_link);
    replace_file(file_link, "new");
    EXPECT_TRUE(fs::is_symlink(file_link));
    EXPECT_EQ(read_file_bytes(kept), "new");
    EXPECT_EQ(entries(), 4u);

    // Standard output sent to a file: /dev/fd/N names it; it is appended to, not replaced.
    const fs::path log_file = file("run.log", "log line\n");
    const int standard_output = ::open(log_file.c_str(), O_WRONLY | O_APPEND);
    replace_file("/dev/fd/" + std::to_string(standard_output), "printer bytes");
    ::close(standard_output);
    EXPECT_EQ(read_file_bytes(log_file), "log line\nprinter bytes");
    EXPECT_EQ(entries(), 5u);
}
#endif

}  // namespace
}  // namespace tovprint
