#pragma once
// Where the PAF-ECF identification report finds the program's digests: two client-dataset files
// that the host keeps in and below its own folder.

#include <filesystem>

namespace tov::reports {

struct PafDigestFiles {
    std::filesystem::path file_list;    // the program's files with their MD5 digests
    std::filesystem::path digest_file;  // the enciphered digest of the file list's text form
};

// Dados/Cadastros/ArquivosPldMd5.cds and Palindo.cds under the host folder, joined with the
// platform's separator.
PafDigestFiles paf_digest_files(const std::filesystem::path& host_folder);

}  // namespace tov::reports
