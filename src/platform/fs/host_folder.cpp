#include "platform/fs/host_folder.hpp"

#include "platform/errors/errors.hpp"
#include "platform/fs/short_path.hpp"
#include "platform/fs/text_path.hpp"

namespace tov::fs {

std::filesystem::path HostFolder(std::string_view exe_path) {
    if (exe_path.empty()) {
        throw FileError("the host executable path is empty: its folder cannot be told");
    }
    return ShortPathForm(path_from_text(exe_path).parent_path());
}

}  // namespace tov::fs
