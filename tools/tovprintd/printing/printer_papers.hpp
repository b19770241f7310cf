#pragma once
// The bytes a printer receives for a job, by its profile, as tovprint prints: a job begins with
// the profile's prologue (init, then ESC t n); each paper is its text in the printer's code page,
// control bytes untouched, followed by the profile's cut.

#include <string>
#include <string_view>
#include <vector>

#include "journal/job_record.hpp"
#include "printer/codepage/code_page.hpp"
#include "printer/printer_profile.hpp"

namespace tovprintd {

class PrinterPapers {
public:
    // Throws tov::ArgumentError when iconv lacks the profile's code page.
    explicit PrinterPapers(tovprint::PrinterProfile profile);

    const tovprint::PrinterProfile& profile() const { return profile_; }

    // One paper: its package text and the bytes of it.
    Paper paper(std::string text) const;
    std::vector<Paper> papers(std::vector<std::string> texts) const;
    // The same texts converted again, for this printer.
    std::vector<Paper> converted(const std::vector<Paper>& papers) const;

    std::string prologue() const { return profile_.prologue(); }
    const tovprint::CodePage& code_page() const { return code_page_; }

private:
    tovprint::PrinterProfile profile_;
    tovprint::CodePage code_page_;
};

}  // namespace tovprintd
