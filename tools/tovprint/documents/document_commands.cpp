#include "documents/document_commands.hpp"

#include <array>
#include <string>

#include "documents/conferencia_command.hpp"
#include "documents/cupom_troca_command.hpp"
#include "documents/dados_paf_command.hpp"
#include "documents/extrato_command.hpp"
#include "documents/tipo_rece_command.hpp"
#include "documents/vendedor_command.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

constexpr std::array commands{
    &conferencia_command, &vendedor_command,  &cupom_troca_command,
    &tipo_rece_command,   &dados_paf_command, &extrato_command,
};

}  // namespace

std::span<const DocumentCommand* const> document_commands() {
    return commands;
}

const DocumentCommand& document_command(std::string_view name) {
    std::string known;
    for (const DocumentCommand* command : commands) {
        if (command->name == name) return *command;
        known += (known.empty() ? "" : ", ") + std::string(command->name);
    }
    throw tov::ArgumentError("unknown document '" + std::string(name) + "' (known: " + known + ")");
}

}  // namespace tovprint
