#include "printing/printer_papers.hpp"

#include "printer/printer_text.hpp"

namespace tovprintd {

PrinterPapers::PrinterPapers(tovprint::PrinterProfile profile)
    : profile_(std::move(profile)), code_page_(profile_.code_page) {}

Paper PrinterPapers::paper(std::string text) const {
    std::string bytes = tovprint::printer_text(text, profile_.bold, code_page_).bytes;
    bytes += profile_.cut;
    return Paper{std::move(text), std::move(bytes)};
}

std::vector<Paper> PrinterPapers::papers(std::vector<std::string> texts) const {
    std::vector<Paper> papers;
    papers.reserve(texts.size());
    for (std::string& text : texts) papers.push_back(paper(std::move(text)));
    return papers;
}

std::vector<Paper> PrinterPapers::converted(const std::vector<Paper>& papers) const {
    std::vector<Paper> again;
    again.reserve(papers.size());
    for (const Paper& paper : papers) again.push_back(this->paper(paper.text));
    return again;
}

}  // namespace tovprintd
