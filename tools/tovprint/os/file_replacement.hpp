#pragma once
// A file written in full before it takes the place of the old one: the bytes go to a temporary
// file beside the target, which is renamed onto the target only by commit() (on Windows moved
// with MoveFileEx, replacing the target). A write that fails
// part way (a full disk) or an abandoned replacement removes the temporary file and leaves the
// old target as it was, so nothing that was there is lost to a half-written file.
//
// Only a regular file (or a new path) is replaced so. A target that exists and is anything else,
// symbolic links followed (a device such as /dev/null, a named pipe, a terminal), is opened and
// written in place: replacing it would put a regular file where the device was. So is the file
// of a descriptor a process holds open (/dev/stdout, /dev/fd/N), appended to. A symbolic link to
// a regular file stays a link: the file it leads to is replaced.

#include <filesystem>
#include <string>
#include <string_view>

namespace tovprint {

class FileReplacement {
public:
    // Creates the temporary file; throws tov::FileError naming the target when it cannot.
    explicit FileReplacement(std::filesystem::path target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Throws tov::FileError naming the target when the bytes cannot be written.
    void write(std::string_view bytes);

    // Flushes to disk and closes the file; commit() then only renames. A file that waits for the
    // end of a run so holds no descriptor. Throws tov::FileError when that fails.
    void close();

    // Flushes to disk and renames onto the target (closes a target written in place). Throws
    // tov::FileError when that fails.
    void commit();

    const std::filesystem::path& target() const { return target_; }

private:
    [[noreturn]] void fail(const char* what, const std::string& reason) const;

    std::filesystem::path target_;
    std::filesystem::path destination_;  // the file renamed onto: the target, or its link's file
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    bool in_place_ = false;
};

// Writes the whole file at once through a FileReplacement.
void replace_file(const std::filesystem::path& target, std::string_view bytes);

}  // namespace tovprint
