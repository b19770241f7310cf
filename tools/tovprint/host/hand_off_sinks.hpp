#pragma once
// The back-ends a run of tovprint hands its documents to, from its options: the terminal when
// no other is asked for; else any of the raw bytes to a file (--out), a real printer
// (--printer, through a profile) and pictures (--preview, through the same profile), together.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "handoff/hand_off.hpp"

namespace tovprint {

inline constexpr std::chrono::milliseconds default_printer_timeout{10000};

struct SinkOptions {
    std::optional<std::filesystem::path> out;          // --out
    std::optional<std::string> printer;                // --printer: tcp://HOST[:PORT] or file:PATH
    std::optional<std::string> profile;                // --profile: a built-in name or a file
    std::optional<std::filesystem::path> preview;      // --preview: FILE.png, .svg or .pdf
    std::optional<std::chrono::milliseconds> timeout;  // --timeout, for --printer
};

// Opens every back-end asked for (connecting to the printer now, so that an unreachable one
// fails the run before any document). `log` takes the notes of the hand-offs, `warnings` what
// the printer back-end warns of. Throws tov::ArgumentError for options that do not go together
// or a bad profile, PrinterError for a printer that cannot be reached.
std::unique_ptr<HandOffSink> make_hand_off_sink(const SinkOptions& options, std::ostream& log,
                                                std::ostream& warnings);

// Whether this tovprint draws previews (it was built with cairo).
bool preview_available();

}  // namespace tovprint
