#pragma once
// Draws each paper of the hand-offs (paper_end.hpp) as a picture, through the profile: its
// width, code page and bold family (receipt_layout.hpp). The first paper goes to the file named,
// the next ones beside it with -2, -3, ... before the extension (out.png, out-2.png); the format
// follows the extension: .png, .svg or .pdf. Every file is written in full before it replaces an
// old one, when the run completes; each is then noted on the log. A picture's file is closed once
// it is drawn: a run of many papers holds one descriptor at most.

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "handoff/hand_off.hpp"
#include "os/file_replacement.hpp"
#include "preview/receipt_picture.hpp"
#include "printer/codepage/code_page.hpp"
#include "printer/printer_profile.hpp"

namespace tovprint {

class PreviewSink final : public HandOffSink {
public:
    // Throws tov::ArgumentError for another extension, or a code page iconv lacks.
    PreviewSink(std::filesystem::path first, PrinterProfile profile, std::ostream& log);
    void receive(const HandOff& hand_off) override;
    void finish() override;

private:
    void draw_paper();

    struct Picture {
        std::unique_ptr<FileReplacement> file;
        std::string note;
    };

    PictureFonts fonts_;  // released after the last picture
    std::filesystem::path first_;
    PictureFormat format_;
    PrinterProfile profile_;
    CodePage code_page_;
    std::ostream& log_;
    std::string paper_;
    bool paper_open_ = false;
    std::vector<Picture> pictures_;
};

// The file of the n-th paper (from 1).
std::filesystem::path preview_file(const std::filesystem::path& first, int paper);

}  // namespace tovprint
