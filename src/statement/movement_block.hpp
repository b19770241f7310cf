#pragma once
// One movement of the statement: its line, then the items of a sale or the note of a credit or
// debit. The simple statement reads movements from cdsExtSimples, the detailed one from
// cdsExtrato, under different names for the amount and the balance after the movement.

#include <string_view>

#include "platform/dataset/client_dataset.hpp"
#include "statement/statement_run.hpp"

namespace tov::statement {

struct MovementFields {
    std::string_view amount;
    std::string_view balance;
};

inline constexpr MovementFields simple_statement_fields{"VRMOVEXTCONS", "VRSALDCONEXT"};
inline constexpr MovementFields detailed_statement_fields{"VALOR", "SALDO"};

// Writes the block of the movements' current row. A sale filters cdsExtVenda to its items and
// leaves it so.
void write_movement_block(StatementRun& run, const dataset::ClientDataSet& movements,
                          MovementFields fields);

}  // namespace tov::statement
