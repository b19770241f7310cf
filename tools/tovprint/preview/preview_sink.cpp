#include "preview/preview_sink.hpp"

#include "handoff/paper_end.hpp"
#include "platform/errors/errors.hpp"
#include "printer/receipt_layout.hpp"

namespace tovprint {
namespace {

PictureFormat format_of(const std::filesystem::path& file) {
    const std::string extension = file.extension().string();
    if (extension == ".png") return PictureFormat::Png;
    if (extension == ".svg") return PictureFormat::Svg;
    if (extension == ".pdf") return PictureFormat::Pdf;
    throw tov::ArgumentError("preview file '" + file.string() + "' must end in .png, .svg or .pdf");
}

}  // namespace

std::filesystem::path preview_file(const std::filesystem::path& first, int paper) {
    if (paper == 1) return first;
    std::filesystem::path file = first;
    file.replace_filename(first.stem().string() + "-" + std::to_string(paper) +
                          first.extension().string());
    return file;
}

PreviewSink::PreviewSink(std::filesystem::path first, PrinterProfile profile, std::ostream& log)
    : first_(std::move(first)),
      format_(format_of(first_)),
      profile_(std::move(profile)),
      code_page_(profile_.code_page),
      log_(log) {}

void PreviewSink::receive(const HandOff& hand_off) {
    if (hand_off.text) {
        paper_ += *hand_off.text;
        paper_open_ = true;
    }
    if (ends_paper(hand_off) && paper_open_) draw_paper();
}

void PreviewSink::finish() {
    if (paper_open_) draw_paper();
    for (Picture& picture : pictures_) {
        picture.file->commit();
        log_ << picture.note << '\n';
    }
}

void PreviewSink::draw_paper() {
    const Receipt receipt = lay_out_receipt(paper_, profile_, code_page_);
    const std::filesystem::path file = preview_file(first_, static_cast<int>(pictures_.size()) + 1);
    auto replacement = std::make_unique<FileReplacement>(file);
    replacement->write(receipt_picture(receipt, format_));
    replacement->close();  // a run of many papers holds no descriptor per picture
    const PictureSize size = picture_size(receipt);
    pictures_.push_back({std::move(replacement),
                         "preview: " + file.string() + " (" + std::to_string(receipt.columns) +
                             " columns, " + std::to_string(receipt.lines.size()) + " lines, " +
                             std::to_string(size.width) + "x" + std::to_string(size.height) +
                             " pixels)"});
    paper_.clear();
    paper_open_ = false;
}

}  // namespace tovprint
