#include "services/host_services.hpp"

#include <chrono>
#include <ctime>
#include <filesystem>

#include "platform/errors/errors.hpp"
#include "platform/format/local_time.hpp"
#include "platform/fs/environment.hpp"
#include "platform/fs/executable_path.hpp"
#include "platform/fs/text_path.hpp"
#include "services/cipher.hpp"
#include "services/printer_table.hpp"
#include "services/text_out_buffer.hpp"

namespace tov::services {
namespace {

constexpr double seconds_per_day = 86400.0;
constexpr double unix_epoch_day = 25569.0;  // 1970-01-01 counted from 1899-12-30

PrinterTable default_printer_table() {
    const auto path = fs::environment_path("TOV_PRINTERS");
    if (!path) return PrinterTable::built_in();
    return PrinterTable::load(*path);
}

}  // namespace

HostServices::HostServices() : table_{} {}

HostServices::HostServices(const tov_host& table) : table_(table) {}

void HostServices::ConfiguraImpressora(int kind, bool flag1, bool flag2, int& inTipoLetra,
                                       int& inTamLinha, std::string& stEnter,
                                       std::string& stCortaPapel, std::string& stNrCupom) const {
    if (table_.ConfiguraImpressora == nullptr) {
        const PrinterLayout layout = default_printer_table().layout_for(kind);
        inTipoLetra = layout.font_code;
        inTamLinha = layout.line_width;
        stEnter = layout.line_break;
        stCortaPapel = layout.paper_cut;
        return;
    }
    int32_t font = inTipoLetra;
    int32_t width = inTamLinha;
    TextOutBuffer enter(stEnter);
    TextOutBuffer cut(stCortaPapel);
    TextOutBuffer coupon(stNrCupom);
    table_.ConfiguraImpressora(table_.ctx, kind, flag1 ? 1 : 0, flag2 ? 1 : 0, &font, &width,
                               enter.data(), enter.capacity(), cut.data(), cut.capacity(),
                               coupon.data(), coupon.capacity());
    inTipoLetra = font;
    inTamLinha = width;
    stEnter = enter.text();
    stCortaPapel = cut.text();
    stNrCupom = coupon.text();
}

std::string HostServices::GetStringConexPld(const std::string& arg) const {
    if (table_.GetStringConexPld == nullptr) return fs::environment_text("TOV_CONNECTION");
    TextOutBuffer out;
    table_.GetStringConexPld(table_.ctx, arg.c_str(), out.data(), out.capacity());
    return out.text();
}

void HostServices::SetADODBSession(void* connection) const {
    if (table_.SetADODBSession != nullptr) table_.SetADODBSession(table_.ctx, connection);
}

std::string HostServices::ADOExceptionMessage(const std::string& error_text, void* connection,
                                              const std::string& text) const {
    if (table_.ADOExceptionMessage == nullptr) return error_text;
    TextOutBuffer out;
    table_.ADOExceptionMessage(table_.ctx, error_text.c_str(), connection, text.c_str(), out.data(),
                               out.capacity());
    return out.text();
}

std::string HostServices::Uncripto(const std::string& text, int key) const {
    if (table_.Uncripto == nullptr) return services::Uncripto(text, key);
    TextOutBuffer out;
    table_.Uncripto(table_.ctx, text.c_str(), key, out.data(), out.capacity());
    return out.text();
}

double HostServices::Now() const {
    if (table_.Now == nullptr) return system_now();
    return table_.Now(table_.ctx);
}

std::string HostServices::ExePath() const {
    if (table_.ExePath == nullptr) return fs::text_from_path(fs::executable_path());
    TextOutBuffer out;
    table_.ExePath(table_.ctx, out.data(), out.capacity());
    return out.text();
}

double system_now() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const double utc_seconds =
        static_cast<double>(duration_cast<milliseconds>(now.time_since_epoch()).count()) / 1000.0;
    const double local_seconds =
        utc_seconds + static_cast<double>(format::local_utc_offset(seconds));
    return unix_epoch_day + local_seconds / seconds_per_day;
}

}  // namespace tov::services
