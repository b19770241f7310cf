#pragma once
// The working values of one statement: what was asked, the line width, the text so far and
// whether a movement has been written (which is what makes the statement worth handing over).

#include <string>
#include <utility>

#include "services/document_context.hpp"
#include "services/document_text.hpp"
#include "statement/consumer_statement_request.hpp"

namespace tov::statement {

struct StatementRun {
    StatementRun(const ConsumerStatementRequest& request, const services::DocumentContext& context,
                 int width, std::string line_break)
        : request(request), context(context), width(width), text(std::move(line_break)) {}

    const ConsumerStatementRequest& request;
    const services::DocumentContext& context;
    int width;
    services::DocumentText text;
    bool has_movements = false;
    // The simple statement on the fiscal register hands its text over after every sale item line.
    bool item_lines_go_to_register = false;

    const format::FormatSettings& settings() const { return context.settings; }
};

// After a sale item line, when the statement says so: everything written since the last hand-off
// goes to Usa_CompNFis in pieces of whole lines, and the text starts afresh.
void hand_item_lines_to_register(StatementRun& run);

}  // namespace tov::statement
