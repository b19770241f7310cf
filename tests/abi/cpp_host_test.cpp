// A C++ host that includes tov00000.hpp and links the shared library alone, nothing of the
// package's static libraries: every wrapper must reach an export the library shows. It prints the
// sales-by-salesperson report, opens a host dataset, and sees failures arrive as PackageError
// with their status and message.

#include <cstdio>
#include <string>
#include <vector>

#include "tov00000/tov00000.hpp"

namespace {

int failures = 0;

void check(bool condition, const char* what, int line) {
    if (condition) return;
    std::fprintf(stderr, "cpp_host_test.cpp:%d: check failed: %s\n", line, what);
    ++failures;
}
#define CHECK(condition) check((condition), #condition, __LINE__)

struct Printed {
    std::vector<std::string> texts;
};

int32_t print_plain(void* ctx, const char*, const char*, const char* buffer, size_t size) {
    static_cast<Printed*>(ctx)->texts.emplace_back(buffer, size);
    return 1;
}

double fixed_now(void*) {
    return 45366.75;
}  // 15/03/2024 18:00

const std::string sales_packet =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"CDVENDEDOR\" fieldtype=\"string\" WIDTH=\"4\"/>"
    "<FIELD attrname=\"NMRAZSOCVEN\" fieldtype=\"string\" WIDTH=\"40\"/>"
    "<FIELD attrname=\"VRTOTVENDEDOR\" fieldtype=\"r8\"/>"
    "<FIELD attrname=\"VRREPIQUEVENDA\" fieldtype=\"r8\"/>"
    "</FIELDS><PARAMS/></METADATA><ROWDATA>"
    "<ROW CDVENDEDOR=\"0001\" NMRAZSOCVEN=\"Ana Souza\" VRTOTVENDEDOR=\"7.5\" "
    "VRREPIQUEVENDA=\"1234.5\"/></ROWDATA></DATAPACKET>";

void prints_a_report_through_the_wrappers() {
    Printed printed;
    tov_backend backend{};
    backend.ctx = &printed;
    backend.ImprimePadrao = print_plain;
    tov::SetBackend(backend);
    tov_host host{};
    host.Now = fixed_now;
    tov::SetHost(host);

    CHECK(tov::RelatorioVendedor("01", "Centro", "002", "Caixa 2", "COR", "COM1", "1", sales_packet,
                                 false, 0, 7.5));
    CHECK(printed.texts.size() == 1);
    CHECK(!printed.texts.empty() &&
          printed.texts[0].find("Vendedor: 0001 - Ana Souza\r\n") != std::string::npos);
    CHECK(!printed.texts.empty() && printed.texts[0].find("Data: 15/03/2024") != std::string::npos);
    CHECK(tov::DataModule() != nullptr);
}

void failures_carry_status_and_message() {
    try {
        tov::RelatorioVendedor("01", "Centro", "002", "Caixa 2", "COR", "COM1", "1", "no packet",
                               false, 0, 0);
        CHECK(!"a bad packet throws");
    } catch (const tov::PackageError& error) {
        CHECK(error.status() == TOV_E_PACKET);
        CHECK(std::string(error.what()).find("packet") != std::string::npos);
    }
    tov_format_settings settings{',', '.', nullptr, "R$", 2, 9, 2};
    try {
        tov::SetFormatSettings(settings);
        CHECK(!"a NULL date format throws");
    } catch (const tov::PackageError& error) {
        CHECK(error.status() == TOV_E_ARGUMENT);
        CHECK(std::string(error.what()).find("ShortDateFormat") != std::string::npos);
    }
}

void datasets_open_and_free() {
    const tov::DataSet sales = tov::OpenDataSet(sales_packet);
    int32_t count = 0;
    CHECK(Tov_DataSetRecordCount(sales.get(), &count) == TOV_OK && count == 1);
    try {
        tov::OpenDataSet("garbage");
        CHECK(!"garbage throws");
    } catch (const tov::PackageError& error) {
        CHECK(error.status() == TOV_E_PACKET);
    }
}

}  // namespace

int main() {
    try {
        prints_a_report_through_the_wrappers();
        failures_carry_status_and_message();
        datasets_open_and_free();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "unexpected failure: %s\n", error.what());
        return 1;
    }
    if (failures == 0) std::puts("cpp host: all checks passed");
    return failures == 0 ? 0 : 1;
}
