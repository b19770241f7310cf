#include "handoff/console_sink.hpp"

#include "terminal/visible_text.hpp"

namespace tovprint {

void ConsoleSink::receive(const HandOff& hand_off) {
    out_ << ">> " << hand_off.entry_point << '(';
    const char* separator = "";
    for (const auto& argument : hand_off.arguments) {
        out_ << separator << argument.name << '=' << argument.shown;
        separator = ", ";
    }
    out_ << ")\n";
    if (!hand_off.text) return;
    const std::string shown = visible_text(*hand_off.text, LineBreaks::Follow);
    out_ << shown;
    if (!shown.empty() && shown.back() != '\n') out_ << '\n';
    out_ << "<< end of " << hand_off.entry_point << " text (" << hand_off.text->size()
         << " bytes)\n";
}

}  // namespace tovprint
