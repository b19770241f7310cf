#include "host/hand_off_sinks.hpp"

#include <vector>

#include "handoff/console_sink.hpp"
#include "handoff/fan_out_sink.hpp"
#include "handoff/printer_sink.hpp"
#include "handoff/raw_file_sink.hpp"
#include "platform/errors/errors.hpp"
#include "printer/printer_profiles.hpp"
#if TOV_PREVIEW
#include "preview/preview_sink.hpp"
#endif

namespace tovprint {
namespace {

void check_combination(const SinkOptions& options) {
    if (options.profile && !options.printer && !options.preview) {
        throw tov::ArgumentError("--profile goes with --printer or --preview");
    }
    if (options.timeout && !options.printer) {
        throw tov::ArgumentError("--timeout goes with --printer");
    }
    if (options.preview && !preview_available()) {
        throw tov::ArgumentError("--preview: this tovprint was built without cairo (TOV_PREVIEW)");
    }
}

PrinterProfile chosen_profile(const SinkOptions& options) {
    return find_printer_profile(options.profile.value_or(default_profile_name));
}

std::unique_ptr<HandOffSink> printer_sink(const SinkOptions& options, std::ostream& log,
                                          std::ostream& warnings) {
    const PrinterAddress address = parse_printer_address(*options.printer);
    PrinterProfile profile = chosen_profile(options);
    CodePage code_page(profile.code_page);  // a code page iconv lacks fails before connecting
    const auto timeout = options.timeout.value_or(default_printer_timeout);
    auto port = open_printer_port(address, timeout);
    return std::make_unique<PrinterSink>(std::move(port), address.text, std::move(profile),
                                         std::move(code_page), timeout, log, warnings);
}

std::unique_ptr<HandOffSink> preview_sink([[maybe_unused]] const SinkOptions& options,
                                          [[maybe_unused]] std::ostream& log) {
#if TOV_PREVIEW
    return std::make_unique<PreviewSink>(*options.preview, chosen_profile(options), log);
#else
    return nullptr;
#endif
}

}  // namespace

bool preview_available() {
    return TOV_PREVIEW != 0;
}

std::unique_ptr<HandOffSink> make_hand_off_sink(const SinkOptions& options, std::ostream& log,
                                                std::ostream& warnings) {
    check_combination(options);
    std::vector<std::unique_ptr<HandOffSink>> sinks;
    if (options.out) sinks.push_back(std::make_unique<RawFileSink>(*options.out, log));
    if (options.preview) sinks.push_back(preview_sink(options, log));
    if (options.printer) sinks.push_back(printer_sink(options, log, warnings));
    if (sinks.empty()) return std::make_unique<ConsoleSink>(log);
    if (sinks.size() == 1) return std::move(sinks.front());
    return std::make_unique<FanOutSink>(std::move(sinks));
}

}  // namespace tovprint
