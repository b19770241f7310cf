#include "documents/lookup_command.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <iomanip>
#include <sstream>

#include "handoff/console_sink.hpp"
#include "host/backend_recorder.hpp"
#include "host/host_table.hpp"
#include "host/library_location.hpp"
#include "host/package_session.hpp"
#include "packets/packet_table.hpp"
#include "platform/dataset/packet_binary.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"
#include "tov00000/tov00000.h"

namespace tovprint {
namespace {

// The host services of a lookup: the connection string and the clock when given, the package's
// defaults otherwise.
class LookupHost {
public:
    LookupHost(std::optional<std::string> connection, std::optional<double> now)
        : connection_(std::move(connection)), now_(now) {}

    tov_host table() {
        tov_host host{};
        host.struct_size = sizeof(tov_host);
        host.ctx = this;
        if (connection_) host.GetStringConexPld = connection_string;
        if (now_) host.Now = fixed_now;
        return host;
    }

private:
    static LookupHost& of(void* ctx) { return *static_cast<LookupHost*>(ctx); }

    static void connection_string(void* ctx, const char*, char* out, size_t capacity) {
        if (capacity == 0) return;
        const std::string& text = *of(ctx).connection_;
        const std::size_t length = std::min(text.size(), capacity - 1);
        std::memcpy(out, text.data(), length);
        out[length] = '\0';
    }
    static double fixed_now(void* ctx) { return *of(ctx).now_; }

    std::optional<std::string> connection_;
    std::optional<double> now_;
};

const LookupEntry& entry_of(const std::string& name) {
    const auto& entries = lookup_entries();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const LookupEntry& entry) { return entry.name == name; });
    if (found == entries.end()) throw tov::ArgumentError("no lookup is named '" + name + "'");
    return *found;
}

void print_variant(const tov_variant& answer, const std::string& title, std::ostream& out) {
    const std::string_view bytes(static_cast<const char*>(answer.data), answer.size);
    if (answer.type == TOV_VT_BYTES) {
        print_packet(tov::dataset::read_binary_packet(bytes), title, out);
    } else {
        out << tov::text::cp1252_to_utf8(bytes) << '\n';
    }
}

void print_number(double value, std::ostream& out) {
    std::ostringstream text;
    text << std::setprecision(15) << value;
    out << text.str() << '\n';
}

using PacketOfTwo = decltype(&Tov00000_SaldoFidelidade);
using PacketOfOne = decltype(&Tov00000_GetCaixa);
using PacketOfThree = decltype(&Tov00000_getMovCaixaMob);
using Number = decltype(&Tov00000_getDescontoFid);
using Name = decltype(&Tov00000_getNMCONSUMIDOR);

constexpr std::size_t name_capacity = 4096;

// A discount or name lookup answers 0 or "" when its database failed; the package tells why in
// Tov_LastError, and the tool makes it an error after showing the answer.
void fail_on_quiet_database_failure(PackageSession& session, const char* export_name) {
    const char* why = session.function<decltype(&Tov_LastError)>("Tov_LastError")();
    if (why == nullptr || *why == '\0') return;
    throw tov::DatabaseError(std::string(export_name) + " answered its neutral value because the " +
                             "store database failed: " + tov::text::cp1252_to_utf8(why));
}

void call(PackageSession& session, const LookupEntry& entry, const std::vector<std::string>& a,
          std::ostream& out) {
    const std::string export_name = "Tov00000_" + std::string(entry.name);
    const char* symbol = export_name.c_str();
    const std::string title = std::string(entry.name) + " answer";
    tov_variant answer{};
    if (entry.name == "GetCaixa") {
        session.check(session.function<PacketOfOne>(symbol)(a[0].c_str(), &answer), symbol);
        print_variant(answer, title, out);
    } else if (entry.name == "SaldoFidelidade") {
        session.check(session.function<PacketOfTwo>(symbol)(a[0].c_str(), a[1].c_str(), &answer),
                      symbol);
        print_variant(answer, title, out);
    } else if (entry.name == "getMovCaixaMob") {
        session.check(session.function<PacketOfThree>(symbol)(a[0].c_str(), a[1].c_str(),
                                                              a[2].c_str(), &answer),
                      symbol);
        print_variant(answer, title, out);
    } else if (entry.name == "getNMCONSUMIDOR") {
        std::string name(name_capacity, '\0');
        session.check(session.function<Name>(symbol)(a[0].c_str(), a[1].c_str(), a[2].c_str(),
                                                     name.data(), name.size()),
                      symbol);
        out << tov::text::cp1252_to_utf8(name.c_str()) << '\n';
        fail_on_quiet_database_failure(session, symbol);
    } else {
        double value = 0;
        session.check(session.function<Number>(symbol)(a[0].c_str(), a[1].c_str(), &value), symbol);
        print_number(value, out);
        fail_on_quiet_database_failure(session, symbol);
    }
}

}  // namespace

const std::vector<LookupEntry>& lookup_entries() {
    static const std::vector<LookupEntry> entries = {
        {"SaldoFidelidade", {"stCDFILIAL", "stNRCOMANDA"}},
        {"GetCaixa", {"CDCAIXA"}},
        {"getDescontoFid", {"P_CDFILIAL", "P_NRCOMANDA"}},
        {"getDescCash4All", {"P_CDFILIAL", "P_NRCOMANDA"}},
        {"getDescCashUds", {"P_CDFILIAL", "P_NRCOMANDA"}},
        {"getDescCoreBanc", {"P_CDFILIAL", "P_NRCOMANDA"}},
        {"getNMCONSUMIDOR", {"P_NRVENDAREST", "P_NRCOMANDA", "stPosicao"}},
        {"getMovCaixaMob", {"P_CDFILIAL", "P_NRVENDAREST", "P_NRLUGARMESA"}},
    };
    return entries;
}

std::string lookup_usage() {
    std::string usage = "Lookups and their arguments (an empty argument is \"\"):\n";
    for (const auto& entry : lookup_entries()) {
        usage += "  " + std::string(entry.name);
        for (const auto argument : entry.arguments) usage += " " + std::string(argument);
        usage += '\n';
    }
    return usage;
}

void run_lookup(const LookupRequest& request, std::ostream& out) {
    const LookupEntry& entry = entry_of(request.name);
    if (request.arguments.size() != entry.arguments.size()) {
        throw tov::ArgumentError(std::string(entry.name) + " takes " +
                                 std::to_string(entry.arguments.size()) + " argument(s), " +
                                 std::to_string(request.arguments.size()) + " given");
    }
    std::vector<std::string> arguments;
    for (const auto& argument : request.arguments) {
        arguments.push_back(tov::text::utf8_to_cp1252(argument));
    }
    ConsoleSink sink(out);  // a lookup hands nothing to the back-end
    BackendRecorder backend(sink);
    HostTable defaults(std::nullopt);
    LookupHost host(request.connection, request.now);
    PackageSession session(package_library_path(request.library), backend, defaults);
    const tov_host table = host.table();
    session.check(session.function<decltype(&Tov_SetHost)>("Tov_SetHost")(&table), "Tov_SetHost");
    call(session, entry, arguments, out);
}

}  // namespace tovprint
