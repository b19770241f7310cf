#include "packet_commands.hpp"

#include <algorithm>
#include <cctype>
#include <string>

#include "packet_table.hpp"
#include "platform/dataset/packet_io.hpp"

namespace tovprint {
namespace {

namespace dataset = tov::dataset;

dataset::PacketFormat format_for(const std::filesystem::path& target) {
    std::string extension = target.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return extension == ".xml" ? dataset::PacketFormat::Xml : dataset::PacketFormat::Binary;
}

}  // namespace

void show_packet_file(const std::filesystem::path& file, std::ostream& out) {
    print_packet(dataset::load_packet_file(file), file.filename().string(), out);
}

void convert_packet_file(const std::filesystem::path& source,
                         const std::filesystem::path& target) {
    dataset::save_packet_file(dataset::load_packet_file(source), target, format_for(target));
}

}  // namespace tovprint
