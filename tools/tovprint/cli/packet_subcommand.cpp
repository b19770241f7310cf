#include "cli/packet_subcommand.hpp"

#include <iostream>

#include <CLI/CLI.hpp>

#include "packets/packet_commands.hpp"

namespace tovprint {

PacketSubcommand::PacketSubcommand(CLI::App& app) {
    auto* packet = app.add_subcommand("packet", "inspect and convert data packet files");
    packet->require_subcommand(1);
    show_command_ = packet->add_subcommand(
        "show", "print a packet's fields and current rows as a table (UTF-8)");
    show_command_->add_option("FILE", show_file_, "binary or XML packet")->required();
    convert_command_ = packet->add_subcommand(
        "convert", "convert a packet: OUT ending in .xml gets XML, any other name binary");
    convert_command_->add_option("IN", convert_source_, "binary or XML packet")->required();
    convert_command_->add_option("OUT", convert_target_, "the file to write")->required();
}

void PacketSubcommand::run_if_chosen() const {
    if (*show_command_) show_packet_file(show_file_, std::cout);
    if (*convert_command_) convert_packet_file(convert_source_, convert_target_);
}

}  // namespace tovprint
