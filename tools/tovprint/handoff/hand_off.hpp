#pragma once
// One call of a back-end entry point as tovprint records it: the entry point's name, its
// arguments shown as text, and the document text it carries, if any (Windows-1252 bytes, exact).

#include <optional>
#include <string>
#include <vector>

namespace tovprint {

struct HandOffArgument {
    std::string name;
    std::string shown;  // UTF-8, ready for the terminal
};

struct HandOff {
    std::string entry_point;
    std::vector<HandOffArgument> arguments;
    std::optional<std::string> text;  // the text buffer, Windows-1252
};

// Where hand-offs go: the terminal, a file.
class HandOffSink {
public:
    virtual ~HandOffSink() = default;
    virtual void receive(const HandOff& hand_off) = 0;
    // After the last hand-off of a run that completed.
    virtual void finish() {}
};

}  // namespace tovprint
