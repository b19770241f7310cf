// A C++ host that includes tov00000.hpp and links the shared library alone, nothing of the
// package's static libraries: every wrapper must reach an export the library shows. It prints the
// sales-by-salesperson report, hands a table bill to a register that composes it, opens a host
// dataset, and sees failures arrive as PackageError with their status and message.

#include <cstdio>
#include <cstring>
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
    backend.struct_size = sizeof(tov_backend);
    backend.ctx = &printed;
    backend.ImprimePadrao = print_plain;
    tov::SetBackend(backend);
    tov_host host{};
    host.struct_size = sizeof(tov_host);
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

// What Conferencia_Outras received, and the coupon number it writes into the host's variable.
struct RegisterBill {
    std::string coupon_before;
    std::string items;
    double total = 0;
    int32_t kind = 0;
};

int32_t register_composes(void* ctx, const char*, const char*, const char*, const char*,
                          char* stCupomDia, size_t capacity, const char*, const char*,
                          const char* stMesa, const char*, const char*, const void* DADOS,
                          size_t DADOS_size, double, double, double, double, double, double doTotal,
                          double, int32_t IdTipoImp) {
    auto& bill = *static_cast<RegisterBill*>(ctx);
    bill.coupon_before = stCupomDia;
    bill.items.assign(static_cast<const char*>(DADOS), DADOS_size);
    bill.total = doTotal;
    bill.kind = IdTipoImp;
    if (std::string(stMesa) == "12") std::strncpy(stCupomDia, "000042", capacity - 1);
    return 1;
}

int32_t keep_width(void*, const char*, const char*, const char*, int32_t*) {
    return 1;
}
int32_t ignore_bill(void*, const tov_variant*, int32_t, tov_variant*) {
    return 1;
}

void table_bill_goes_whole_to_a_register_that_composes_it() {
    RegisterBill bill;
    tov_backend backend{};
    backend.struct_size = sizeof(tov_backend);
    backend.ctx = &bill;
    backend.Conferencia_Outras = register_composes;
    backend.AjustaImpressaoDireta = keep_width;
    backend.DisparaImpressaoNaoFiscal = ignore_bill;
    tov::SetBackend(backend);

    tov::ConferenciaValues values;
    values.IdTipoImp = 30;
    values.IdTpImpParc = "F";
    values.boUtilizaImpFis = true;
    values.stCupomDia = "7";
    values.stMesa = "12";
    values.DADOS = sales_packet;
    values.doTotal = 110.5;
    CHECK(tov::ConferenciaMesa(values));
    CHECK(bill.coupon_before == "7");
    CHECK(values.stCupomDia == "000042");
    CHECK(bill.items == sales_packet);
    CHECK(bill.total == 110.5);
    CHECK(bill.kind == 30);

    values.IdTpImpParc = "N";  // composed here: the items must be a packet
    values.DADOS = "no packet";
    try {
        tov::ConferenciaMesa(values);
        CHECK(!"items that are no packet throw");
    } catch (const tov::PackageError& error) {
        CHECK(error.status() == TOV_E_PACKET);
        CHECK(std::string(error.what()).find("DADOS") != std::string::npos);
    }
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
    tov_format_settings settings{sizeof(tov_format_settings), ',', '.', nullptr, "R$", 2, 9, 2};
    try {
        tov::SetFormatSettings(settings);
        CHECK(!"a NULL date format throws");
    } catch (const tov::PackageError& error) {
        CHECK(error.status() == TOV_E_ARGUMENT);
        CHECK(std::string(error.what()).find("ShortDateFormat") != std::string::npos);
    }
}

void the_library_fits_the_header() {
    CHECK(tov::LibraryVersion() == TOV_VERSION_STRING);
    CHECK(tov::LibraryFitsThisHeader());
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
        the_library_fits_the_header();
        prints_a_report_through_the_wrappers();
        failures_carry_status_and_message();
        datasets_open_and_free();
        table_bill_goes_whole_to_a_register_that_composes_it();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "unexpected failure: %s\n", error.what());
        return 1;
    }
    if (failures == 0) std::puts("cpp host: all checks passed");
    return failures == 0 ? 0 : 1;
}
