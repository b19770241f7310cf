#include "statement/statement_run.hpp"

#include "services/text_pieces.hpp"

namespace tov::statement {

void hand_item_lines_to_register(StatementRun& run) {
    if (!run.item_lines_go_to_register) return;
    const std::string text = run.text.take();
    for (const auto& piece :
         services::pieces_of_at_most(text, services::statement_piece_max, run.text.line_break())) {
        run.context.backend.Usa_CompNFis(run.request.stEsquemaCor, piece);
    }
}

}  // namespace tov::statement
