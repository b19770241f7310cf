#pragma once
// What the identification report tests print with besides the recorder: a folder of its own for
// the host's executable, and the packets and digest files of that folder, built in code.

#include <atomic>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/dataset/dataset_test_packets.hpp"
#include "platform/dataset/packet_io.hpp"
#include "support/process.hpp"
#include "tov00000/tov00000.h"

namespace tov::testing {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("tov_paf_" + tov::test::process_id_text() + "_" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A binary packet of text fields, one row per entry of rows.
inline std::string text_packet(const std::vector<std::string>& names,
                               const std::vector<std::vector<std::string>>& rows) {
    using namespace dataset::testing;
    std::vector<dataset::Field> fields;
    for (const auto& name : names) fields.push_back(text_field(name, 80));
    std::vector<dataset::Row> packet_rows;
    for (const auto& row : rows) {
        std::vector<dataset::Value> values(row.begin(), row.end());
        packet_rows.push_back(make_row(std::move(values)));
    }
    return dataset::write_packet(make_packet(std::move(fields), std::move(packet_rows)),
                                 dataset::PacketFormat::Binary);
}

// The file list below a host folder: Dados/Cadastros/ArquivosPldMd5.cds.
inline void write_file_list(const std::filesystem::path& host_folder,
                            const std::vector<std::vector<std::string>>& name_and_digest) {
    const auto folder = host_folder / "Dados" / "Cadastros";
    std::filesystem::create_directories(folder);
    const auto packet =
        dataset::read_packet(text_packet({"NMARQUIVO", "NUMEROMD5"}, name_and_digest));
    dataset::save_packet_file(packet, folder / "ArquivosPldMd5.cds", dataset::PacketFormat::Binary);
}

// The digest file in a host folder: Palindo.cds with its one enciphered digest.
inline void write_digest_file(const std::filesystem::path& host_folder,
                              const std::string& enciphered_digest) {
    const auto packet = dataset::read_packet(text_packet({"MD5ARQUIVOTXT"}, {{enciphered_digest}}));
    dataset::save_packet_file(packet, host_folder / "Palindo.cds", dataset::PacketFormat::Binary);
}

}  // namespace tov::testing
