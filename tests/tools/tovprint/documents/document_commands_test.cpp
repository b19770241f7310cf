// The list of document commands: `print` finds each by name, and every command reads the demo's
// requests of it and refuses them with any one key taken away, naming that key.

#include "documents/document_commands.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "os/file_bytes.hpp"
#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

using testing::HasSubstr;

const std::filesystem::path demo_folder = TOV_DEMO_DATA_DIR;

std::string no_packet(const PacketReference&) {
    return {};
}

std::string error_of(const DocumentCommand& command, const nlohmann::json& request) {
    try {
        command.from_request(request.dump(), "r.json", no_packet);
    } catch (const tov::ArgumentError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(DocumentCommands, EachIsFoundByItsOwnNameAndAnUnknownNameListsThemAll) {
    std::set<std::string_view> names;
    for (const DocumentCommand* command : document_commands()) {
        EXPECT_TRUE(names.insert(command->name).second) << command->name << " twice";
        EXPECT_EQ(&document_command(command->name), command);
    }
    EXPECT_EQ(names, (std::set<std::string_view>{"conferencia", "vendedor", "cupom_troca",
                                                 "tipo_rece", "dados_paf", "extrato"}));
    try {
        document_command("Vendedor");
        FAIL() << "no failure";
    } catch (const tov::ArgumentError& error) {
        EXPECT_STREQ(error.what(),
                     "unknown document 'Vendedor' (known: conferencia, vendedor, cupom_troca, "
                     "tipo_rece, dados_paf, extrato)");
    }
}

TEST(DocumentCommands, EveryDemoRequestIsReadWithThePacketFilesBesideIt) {
    for (const DocumentCommand* command : document_commands()) {
        EXPECT_FALSE(command->demo.empty()) << command->name << " has no demo";
        for (const DemoEntry& entry : command->demo) {
            const std::filesystem::path request = demo_folder / entry.request_file;
            EXPECT_NO_THROW(EXPECT_TRUE(command->from_request(
                read_file_bytes(request), request.string(), packet_files_beside(demo_folder))))
                << request;
        }
    }
}

TEST(DocumentCommands, EveryReaderNamesAnyKeyOfItsRequestThatIsMissingOrUnknown) {
    for (const DocumentCommand* command : document_commands()) {
        const auto request = nlohmann::json::parse(
            read_file_bytes(demo_folder / command->demo.front().request_file));
        for (const auto& item : request.items()) {
            nlohmann::json without = request;
            without.erase(item.key());
            EXPECT_THAT(error_of(*command, without),
                        HasSubstr("r.json: missing key '" + item.key() + "'"))
                << command->name;
        }
        nlohmann::json with_unknown = request;
        with_unknown["oleRetorno"] = nullptr;
        EXPECT_THAT(error_of(*command, with_unknown), HasSubstr("r.json: unknown key 'oleRetorno'"))
            << command->name;
    }
}

}  // namespace
}  // namespace tovprint
