// The preview back-end: one picture per paper, named after the first, in the format its
// extension asks for, of the size its columns and lines make.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "os/file_bytes.hpp"
#include "platform/errors/errors.hpp"
#include "preview/preview_sink.hpp"
#include "printer/printer_profiles.hpp"

namespace tovprint {
namespace {

namespace fs = std::filesystem;

struct Folder {
    fs::path path = fs::temp_directory_path() /
                    ("tovprint_preview_" +
                     std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

HandOff paper(std::string text) {
    return HandOff{"ImprimePadrao", {}, std::move(text)};
}

TEST(PreviewSink, DrawsEachPaperInTheFormatOfItsFileWhenTheRunCompletes) {
    Folder folder;
    for (const auto& [extension, start] :
         {std::pair{".png", std::string("\x89PNG")}, std::pair{".svg", std::string("<?xml")},
          std::pair{".pdf", std::string("%PDF")}}) {
        std::ostringstream log;
        const fs::path first = folder.path / (std::string("bill") + extension);
        PreviewSink sink(first, find_printer_profile("escpos"), log);
        sink.receive(paper("one\r\ntwo\r\n"));
        sink.receive(HandOff{"Usa_CompNFis", {}, std::string("piece\n")});
        sink.receive(HandOff{"FechRelatGerenc", {}, std::nullopt});
        EXPECT_FALSE(fs::exists(first));
        sink.finish();
        EXPECT_EQ(read_file_bytes(first).rfind(start, 0), 0u) << extension;
        EXPECT_EQ(read_file_bytes(preview_file(first, 2)).rfind(start, 0), 0u) << extension;
        EXPECT_EQ(log.str(), "preview: " + first.string() +
                                 " (48 columns, 2 lines, 624x96 pixels)\npreview: " +
                                 preview_file(first, 2).string() +
                                 " (48 columns, 1 lines, 624x72 pixels)\n");
    }
    EXPECT_EQ(preview_file("/tmp/out.bill.png", 3), "/tmp/out.bill-3.png");
}

#ifndef _WIN32
// Draws papers under a limit of open files few more than those already open, in a child
// process; exits 0 when every picture was written.
void draw_under_a_low_file_limit(const fs::path& first, int papers) {
    const auto open_now = std::distance(fs::directory_iterator("/proc/self/fd"), {});
    const rlimit low{static_cast<rlim_t>(open_now + 8), static_cast<rlim_t>(open_now + 8)};
    if (::setrlimit(RLIMIT_NOFILE, &low) != 0) std::_Exit(2);
    try {
        std::ostringstream log;
        PreviewSink sink(first, find_printer_profile("escpos"), log);
        for (int paper_number = 1; paper_number <= papers; ++paper_number) {
            sink.receive(tovprint::paper("seat " + std::to_string(paper_number) + "\r\n"));
        }
        sink.finish();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        std::_Exit(1);
    }
    std::_Exit(fs::exists(preview_file(first, papers)) ? 0 : 3);
}

TEST(PreviewSink, ManyPapersNeedNoOpenFileEach) {
    Folder folder;
    const fs::path first = folder.path / "seat.png";
    EXPECT_EXIT(draw_under_a_low_file_limit(first, 40), testing::ExitedWithCode(0), "");
    EXPECT_TRUE(fs::exists(preview_file(first, 40)));
}
#endif

TEST(PreviewSink, RefusesAFileOfAnotherFormat) {
    std::ostringstream log;
    try {
        PreviewSink("bill.jpg", find_printer_profile("escpos"), log);
        ADD_FAILURE();
    } catch (const tov::ArgumentError& error) {
        EXPECT_STREQ(error.what(), "preview file 'bill.jpg' must end in .png, .svg or .pdf");
    }
}

}  // namespace
}  // namespace tovprint
