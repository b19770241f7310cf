/*
 * Drives the built package through its C ABI only, as a host does: the library loaded by its path
 * (dlopen; LoadLibrary on Windows), its exports looked up by name, a recording back-end written
 * in C, and the sales-by-salesperson report on both printer paths.
 * Usage: test_abi path/to/libPkg_Tov00000.so (Pkg_Tov00000.dll)
 */
#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tov00000/tov00000.h"

static int failures = 0;

#define CHECK(condition)                                                                  \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            ++failures;                                                                   \
        }                                                                                 \
    } while (0)

/* ---- The package's exports, resolved by name ------------------------------------------------- */

typedef const char* (*last_error_fn)(void);
typedef const char* (*status_text_fn)(int32_t);
typedef size_t (*capacity_fn)(void);
typedef int32_t (*version_number_fn)(void);
typedef int32_t (*void_fn)(void);
typedef int32_t (*set_backend_fn)(const tov_backend*);
typedef int32_t (*set_host_fn)(const tov_host*);
typedef int32_t (*set_settings_fn)(const tov_format_settings*);
typedef int32_t (*info_fn)(const tov_package_info**);
typedef int32_t (*data_module_fn)(const void**);
typedef int32_t (*dataset_open_fn)(const void*, size_t, tov_dataset**);
typedef int32_t (*dataset_fn)(tov_dataset*);
typedef int32_t (*dataset_text_fn)(tov_dataset*, const char*, char*, size_t);
typedef int32_t (*report_fn)(const char*, const char*, const char*, const char*, const char*,
                             const char*, const char*, const void*, size_t, int32_t, int32_t,
                             double, int32_t*);

static struct {
    last_error_fn last_error;
    status_text_fn status_text;
    capacity_fn last_required_capacity;
    version_number_fn version_number;
    last_error_fn version_string;
    void_fn initialize;
    void_fn finalize;
    set_backend_fn set_backend;
    set_host_fn set_host;
    set_settings_fn set_settings;
    info_fn package_info;
    data_module_fn data_module;
    dataset_open_fn dataset_open;
    dataset_fn dataset_free;
    dataset_text_fn dataset_field_text;
    report_fn report;
} package;

/* ---- Loading the library ----------------------------------------------------------------------
 */

#ifdef _WIN32
static void* open_library(const char* path) {
    return (void*)LoadLibraryA(path);
}

static void* library_symbol(void* library, const char* name) {
    FARPROC address = GetProcAddress((HMODULE)library, name);
    void* symbol;
    memcpy(&symbol, &address, sizeof symbol);
    return symbol;
}

static void close_library(void* library) {
    FreeLibrary((HMODULE)library);
}

static const char* loader_error(void) {
    static char text[64];
    snprintf(text, sizeof text, "error %lu", (unsigned long)GetLastError());
    return text;
}
#else
static void* open_library(const char* path) {
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

static void* library_symbol(void* library, const char* name) {
    return dlsym(library, name);
}

static void close_library(void* library) {
    dlclose(library);
}

static const char* loader_error(void) {
    return dlerror();
}
#endif

static void* resolve(void* library, const char* name) {
    void* symbol = library_symbol(library, name);
    if (symbol == NULL) {
        fprintf(stderr, "export %s not found\n", name);
        exit(2);
    }
    return symbol;
}

/* Function pointers cannot be assigned from void* in ISO C; copy the bits instead. */
#define RESOLVE(field, name)                  \
    do {                                      \
        void* p = resolve(library, name);     \
        memcpy(&package.field, &p, sizeof p); \
    } while (0)

static void resolve_exports(void* library) {
    RESOLVE(last_error, "Tov_LastError");
    RESOLVE(status_text, "Tov_StatusText");
    RESOLVE(last_required_capacity, "Tov_LastRequiredCapacity");
    RESOLVE(version_number, "Tov_VersionNumber");
    RESOLVE(version_string, "Tov_VersionString");
    RESOLVE(initialize, "Initialize");
    RESOLVE(finalize, "Finalize");
    RESOLVE(set_backend, "Tov_SetBackend");
    RESOLVE(set_host, "Tov_SetHost");
    RESOLVE(set_settings, "Tov_SetFormatSettings");
    RESOLVE(package_info, "GetPackageInfoTable");
    RESOLVE(data_module, "Tov00000_dtmGeral");
    RESOLVE(dataset_open, "Tov_DataSetOpen");
    RESOLVE(dataset_free, "Tov_DataSetFree");
    RESOLVE(dataset_field_text, "Tov_DataSetFieldText");
    RESOLVE(report, "RelatorioVendedor_Tov00000");
}

/* ---- A recording back-end ------------------------------------------------------------------- */

#define LOG_CAPACITY 4096
#define TEXT_CAPACITY 8192

typedef struct recorder {
    char calls[LOG_CAPACITY]; /* one line per call: its name and its texts */
    char text[TEXT_CAPACITY]; /* every piece or buffer handed over, in order */
    size_t text_size;
    size_t piece_sizes[16];
    int piece_count;
} recorder;

static void log_call(recorder* r, const char* line) {
    strncat(r->calls, line, LOG_CAPACITY - strlen(r->calls) - 1);
    strncat(r->calls, "\n", LOG_CAPACITY - strlen(r->calls) - 1);
}

static void keep_text(recorder* r, const char* data, size_t size) {
    if (r->text_size + size <= TEXT_CAPACITY) {
        memcpy(r->text + r->text_size, data, size);
        r->text_size += size;
    }
}

static int32_t record_management_open(void* ctx, const char* cor, const char* filial,
                                      const char* caixa, int32_t zero1, int32_t zero2) {
    char line[256];
    snprintf(line, sizeof line, "Relatorio_Gerencial_Imp %s %s %s %d %d", cor, filial, caixa, zero1,
             zero2);
    log_call(ctx, line);
    return 1;
}

static int32_t record_piece(void* ctx, const char* cor, const char* piece, size_t size) {
    recorder* r = ctx;
    char line[256];
    snprintf(line, sizeof line, "Usa_CompNFis %s %zu", cor, size);
    log_call(r, line);
    if (r->piece_count < 16) r->piece_sizes[r->piece_count++] = size;
    keep_text(r, piece, size);
    return 1;
}

static int32_t record_management_close(void* ctx, const char* cor, int32_t flag, int32_t zero) {
    char line[256];
    snprintf(line, sizeof line, "FechRelatGerenc %s %d %d", cor, flag, zero);
    log_call(ctx, line);
    return 1;
}

static int32_t record_plain_print(void* ctx, const char* port, const char* kind, const char* buffer,
                                  size_t size) {
    char line[256];
    snprintf(line, sizeof line, "ImprimePadrao %s %s", port, kind);
    log_call(ctx, line);
    keep_text(ctx, buffer, size);
    return 0; /* the report ignores this answer */
}

static tov_backend recording_backend(recorder* r) {
    tov_backend backend;
    memset(&backend, 0, sizeof backend);
    backend.struct_size = sizeof backend;
    backend.ctx = r;
    backend.Relatorio_Gerencial_Imp = record_management_open;
    backend.Usa_CompNFis = record_piece;
    backend.FechRelatGerenc = record_management_close;
    backend.ImprimePadrao = record_plain_print;
    return backend;
}

/* ---- Host services: a fixed clock and a 32-column register ------------------------------------
 */

static double fixed_now(void* ctx) {
    (void)ctx;
    return 45366.75; /* 15/03/2024 18:00 */
}

static void copy_out(char* out, size_t capacity, const char* text) {
    if (capacity > 0) {
        strncpy(out, text, capacity - 1);
        out[capacity - 1] = '\0';
    }
}

static void narrow_register(void* ctx, int32_t kind, int32_t flag1, int32_t flag2, int32_t* font,
                            int32_t* width, char* enter, size_t enter_capacity, char* cut,
                            size_t cut_capacity, char* coupon, size_t coupon_capacity) {
    (void)ctx;
    (void)kind;
    (void)coupon;
    (void)coupon_capacity;
    if (flag1 != 0 || flag2 == 0) return; /* the report asks with false, true */
    *font = 1;
    *width = 32;
    copy_out(enter, enter_capacity, "\n");
    copy_out(cut, cut_capacity, "\x1bm");
}

/* ---- Packets ----------------------------------------------------------------------------------
 */

#define FIELDS_OF_SALES                                                   \
    "<FIELD attrname=\"CDVENDEDOR\" fieldtype=\"string\" WIDTH=\"4\"/>"   \
    "<FIELD attrname=\"NMRAZSOCVEN\" fieldtype=\"string\" WIDTH=\"40\"/>" \
    "<FIELD attrname=\"VRTOTVENDEDOR\" fieldtype=\"r8\"/>"

static const char sales_packet[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET "
    "Version=\"2.0\"><METADATA><FIELDS>" FIELDS_OF_SALES
    "<FIELD attrname=\"VRREPIQUEVENDA\" fieldtype=\"r8\"/>"
    "</FIELDS><PARAMS/></METADATA><ROWDATA>"
    "<ROW CDVENDEDOR=\"0001\" NMRAZSOCVEN=\"Ana Souza\" VRTOTVENDEDOR=\"7.5\" "
    "VRREPIQUEVENDA=\"1234.5\"/>"
    "<ROW CDVENDEDOR=\"0002\" NMRAZSOCVEN=\"Bruno Lima\" VRTOTVENDEDOR=\"12345.67\" "
    "VRREPIQUEVENDA=\"-3.2\"/>"
    "</ROWDATA></DATAPACKET>";

static const char packet_without_repique[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET "
    "Version=\"2.0\"><METADATA><FIELDS>" FIELDS_OF_SALES
    "</FIELDS><PARAMS/></METADATA><ROWDATA>"
    "<ROW CDVENDEDOR=\"0001\" NMRAZSOCVEN=\"Ana Souza\" VRTOTVENDEDOR=\"7.5\"/>"
    "</ROWDATA></DATAPACKET>";

static const char plain_report[] =
    "-----------------------------------------\r\n"
    "       Total de Vendas por Vendedor       \r\n"
    "------------------------------------------\r\n"
    "            Filial 01 - Centro            \r\n"
    "           Caixa 002 - Caixa 2            \r\n"
    "             Data: 15/03/2024             \r\n"
    "------------------------------------------\r\n"
    "Vlr.Total Vendas com Vendedor: 12.353,17\r\n"
    "------------------------------------------\r\n"
    "Vendedor: 0001 - Ana Souza\r\n"
    "Vlr.Total do Vendedor:   007,50\r\n"
    "Vlr.Total de Repique : 1.234,50\r\n"
    "------------------------------------------\r\n"
    "Vendedor: 0002 - Bruno Lima\r\n"
    "Vlr.Total do Vendedor: 12.345,67\r\n"
    "Vlr.Total de Repique :  -003,20\r\n"
    "------------------------------------------\r\n"
    "\r\n"
    "\r\n";

static const char fiscal_report[] =
    "-------------------------------\n"
    "  Total de Vendas por Vendedor  \n"
    "--------------------------------\n"
    "       Filial 01 - Centro       \n"
    "      Caixa 002 - Caixa 2       \n"
    "        Data: 15/03/2024        \n"
    "--------------------------------\n"
    "Vlr.Total Vendas com Vendedor: 12.353,17\n"
    "--------------------------------\n"
    "Vendedor: 0001 - Ana Souza\n"
    "Vlr.Total do Vendedor:   007,50\n"
    "Vlr.Total de Repique : 1.234,50\n"
    "--------------------------------\n"
    "Vendedor: 0002 - Bruno Lima\n"
    "Vlr.Total do Vendedor: 12.345,67\n"
    "Vlr.Total de Repique :  -003,20\n"
    "--------------------------------\n"
    "\n"
    "\n";

static int32_t print_report(const char* packet, size_t size, int32_t fiscal, int32_t* result) {
    return package.report("01", "Centro", "002", "Caixa 2", "COR", "COM1", "EPSON", packet, size,
                          fiscal, 7, 12353.17, result);
}

/* ---- Cases -------------------------------------------------------------------------------------
 */

static void package_starts_with_its_descriptor_and_no_data_module(void) {
    const tov_package_info* info = NULL;
    const void* module = &info;
    CHECK(package.initialize() == TOV_OK);
    CHECK(package.package_info(&info) == TOV_OK);
    CHECK(info != NULL && info->flags == TOV_PACKAGE_RUNTIME_ONLY);
    CHECK(info != NULL && info->required_count == 3 &&
          strcmp(info->required[0], "Pkg_Tov00002") == 0 &&
          strcmp(info->required[1], "Pkg_Tov00001") == 0 && strcmp(info->required[2], "_dll") == 0);
    CHECK(info != NULL && info->contains_count == 3 && strcmp(info->contains[1], "TOV00000") == 0);
    CHECK(info != NULL && info->unit_count > 0 &&
          strcmp(info->units[info->unit_count - 1].unit, "Tov00000") == 0);
    CHECK(package.data_module(&module) == TOV_OK);
    CHECK(module == NULL);
}

static void unregistered_entry_point_is_named_and_nothing_is_printed(void) {
    recorder r;
    memset(&r, 0, sizeof r);
    tov_backend backend = recording_backend(&r);
    backend.Usa_CompNFis = NULL;
    CHECK(package.set_backend(&backend) == TOV_OK);
    int32_t result = -1;
    CHECK(print_report(sales_packet, sizeof sales_packet - 1, 1, &result) == TOV_E_BACKEND);
    CHECK(strstr(package.last_error(), "back-end entry point 'Usa_CompNFis' is not registered") !=
          NULL);
    CHECK(result == -1);
    CHECK(r.calls[0] == '\0');
}

static void plain_printer_gets_the_whole_report_at_once(void) {
    recorder r;
    memset(&r, 0, sizeof r);
    tov_backend backend = recording_backend(&r);
    CHECK(package.set_backend(&backend) == TOV_OK);
    int32_t result = 0;
    CHECK(print_report(sales_packet, sizeof sales_packet - 1, 0, &result) == TOV_OK);
    CHECK(result == 1);
    CHECK(strcmp(r.calls, "ImprimePadrao COM1 EPSON\n") == 0);
    CHECK(r.text_size == sizeof plain_report - 1);
    CHECK(memcmp(r.text, plain_report, sizeof plain_report - 1) == 0);
    const void* module = NULL;
    CHECK(package.data_module(&module) == TOV_OK && module != NULL);
}

/* ---- The floating-point traps of a Pascal host ------------------------------------------------
 */

#if defined(__i386__) || defined(__x86_64__)
/* A Pascal run-time starts with the invalid-operation, division-by-zero and overflow traps
 * unmasked, in the x87 control word and in MXCSR alike. */
#define PASCAL_X87_CONTROL 0x1332
#define PASCAL_MXCSR 0x1900
#define X87_TRAP_MASKS 0x3F
#define X87_FLAGS 0x3F
#define SSE_TRAP_MASKS 0x1F80

typedef struct floating_point_words {
    unsigned short x87_control;
    unsigned short x87_status;
    unsigned int mxcsr;
} floating_point_words;

static floating_point_words read_floating_point_words(void) {
    floating_point_words words;
    __asm__ __volatile__("fnstcw %0" : "=m"(words.x87_control));
    __asm__ __volatile__("fnstsw %0" : "=m"(words.x87_status));
    __asm__ __volatile__("stmxcsr %0" : "=m"(words.mxcsr));
    return words;
}

static void write_floating_point_words(unsigned short x87_control, unsigned int mxcsr) {
    __asm__ __volatile__("fnclex");
    __asm__ __volatile__("fldcw %0" : : "m"(x87_control));
    __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr));
}

typedef struct words_seen {
    floating_point_words inside;
    int calls;
} words_seen;

static int32_t plain_print_noting_the_words(void* ctx, const char* port, const char* kind,
                                            const char* buffer, size_t size) {
    words_seen* seen = ctx;
    (void)port;
    (void)kind;
    (void)buffer;
    (void)size;
    seen->inside = read_floating_point_words();
    ++seen->calls;
    return 0;
}

/* Every trap is masked while the package runs, in both units; the host's words come back as they
 * were, no flag raised inside left behind, after a call that succeeds and after one that fails. */
static void pascal_host_traps_are_masked_inside_and_given_back_after(void) {
    words_seen seen;
    memset(&seen, 0, sizeof seen);
    tov_backend backend;
    memset(&backend, 0, sizeof backend);
    backend.struct_size = sizeof backend;
    backend.ctx = &seen;
    backend.ImprimePadrao = plain_print_noting_the_words;
    CHECK(package.set_backend(&backend) == TOV_OK);

    const floating_point_words own = read_floating_point_words();
    int32_t result = 0;
    write_floating_point_words(PASCAL_X87_CONTROL, PASCAL_MXCSR);
    const floating_point_words host_words = read_floating_point_words(); /* reserved bits as read */
    const int32_t printed = print_report(sales_packet, sizeof sales_packet - 1, 0, &result);
    const floating_point_words after_print = read_floating_point_words();
    const int32_t refused = print_report("not a packet", 12, 0, &result);
    const floating_point_words after_failure = read_floating_point_words();
    write_floating_point_words(own.x87_control, own.mxcsr);

    CHECK((host_words.x87_control & X87_TRAP_MASKS) == (PASCAL_X87_CONTROL & X87_TRAP_MASKS));
    CHECK(host_words.mxcsr == PASCAL_MXCSR);
    CHECK(printed == TOV_OK && seen.calls == 1);
    CHECK((seen.inside.x87_control & X87_TRAP_MASKS) == X87_TRAP_MASKS);
    CHECK((seen.inside.mxcsr & SSE_TRAP_MASKS) == SSE_TRAP_MASKS);
    CHECK(after_print.x87_control == host_words.x87_control);
    CHECK((after_print.x87_status & X87_FLAGS) == 0);
    CHECK(after_print.mxcsr == host_words.mxcsr);
    CHECK(refused == TOV_E_PACKET);
    CHECK(after_failure.x87_control == host_words.x87_control);
    CHECK((after_failure.x87_status & X87_FLAGS) == 0);
    CHECK(after_failure.mxcsr == host_words.mxcsr);
}
#endif

static void fiscal_register_gets_a_management_report_in_pieces(void) {
    recorder r;
    memset(&r, 0, sizeof r);
    tov_backend backend = recording_backend(&r);
    CHECK(package.set_backend(&backend) == TOV_OK);
    int32_t result = 0;
    CHECK(print_report(sales_packet, sizeof sales_packet - 1, 1, &result) == TOV_OK);
    CHECK(result == 1);
    CHECK(strcmp(r.calls,
                 "Relatorio_Gerencial_Imp COR 01 002 0 0\n"
                 "Usa_CompNFis COR 521\n"
                 "Usa_CompNFis COR 35\n"
                 "FechRelatGerenc COR 1 0\n") == 0);
    CHECK(r.text_size == sizeof fiscal_report - 1);
    CHECK(memcmp(r.text, fiscal_report, sizeof fiscal_report - 1) == 0);
}

static void bad_packet_and_missing_field_fail_with_their_codes(void) {
    recorder r;
    memset(&r, 0, sizeof r);
    tov_backend backend = recording_backend(&r);
    CHECK(package.set_backend(&backend) == TOV_OK);
    static const char garbage[] = "this is no data packet";
    CHECK(print_report(garbage, sizeof garbage - 1, 0, NULL) == TOV_E_PACKET);
    CHECK(package.last_error()[0] != '\0');
    CHECK(print_report(packet_without_repique, sizeof packet_without_repique - 1, 0, NULL) ==
          TOV_E_FIELD);
    CHECK(strstr(package.last_error(), "VRREPIQUEVENDA") != NULL);
    CHECK(r.calls[0] == '\0');
}

static void settings_and_datasets_check_their_arguments(void) {
    tov_format_settings settings = {sizeof(tov_format_settings), ',', '.', NULL, "R$", 2, 9, 2};
    CHECK(package.set_settings(&settings) == TOV_E_ARGUMENT);
    CHECK(strstr(package.last_error(), "ShortDateFormat") != NULL);
    CHECK(package.dataset_field_text(NULL, "CDVENDEDOR", NULL, 0) == TOV_E_ARGUMENT);

    tov_dataset* ds = NULL;
    CHECK(package.dataset_open(sales_packet, sizeof sales_packet - 1, &ds) == TOV_OK);
    char small[4] = "abc";
    CHECK(package.dataset_field_text(ds, "NMRAZSOCVEN", small, sizeof small) == TOV_E_BUFFER);
    CHECK(strcmp(small, "abc") == 0);
    /* "Ana Souza" and its terminator: exactly the capacity that fits. */
    const size_t needed = package.last_required_capacity();
    CHECK(needed == sizeof "Ana Souza");
    char fitting[sizeof "Ana Souza"];
    CHECK(needed == sizeof fitting &&
          package.dataset_field_text(ds, "NMRAZSOCVEN", fitting, needed) == TOV_OK);
    CHECK(strcmp(fitting, "Ana Souza") == 0);
    CHECK(package.last_required_capacity() == 0);
    char roomy[64];
    CHECK(package.dataset_field_text(ds, "NMRAZSOCVEN", roomy, sizeof roomy) == TOV_OK);
    CHECK(strcmp(roomy, "Ana Souza") == 0);
    CHECK(package.dataset_free(ds) == TOV_OK);
}

/* ---- Version, status texts and tables of other sizes ----------------------------------------- */

static void library_tells_the_version_of_its_header(void) {
    CHECK(package.version_number() == TOV_VERSION_NUMBER);
    CHECK(strcmp(package.version_string(), TOV_VERSION_STRING) == 0);
    CHECK(TOV_VERSION_NUMBER ==
          TOV_VERSION_MAJOR * 10000 + TOV_VERSION_MINOR * 100 + TOV_VERSION_PATCH);
}

static void every_status_has_its_name_and_a_sentence(void) {
    static const char* const names[] = {"TOV_OK",         "TOV_E_ARGUMENT", "TOV_E_PACKET",
                                        "TOV_E_FIELD",    "TOV_E_DATASET",  "TOV_E_CONVERSION",
                                        "TOV_E_DATABASE", "TOV_E_FILE",     "TOV_E_BACKEND",
                                        "TOV_E_BUFFER",   "TOV_E_INTERNAL"};
    for (int32_t status = TOV_OK; status <= TOV_E_INTERNAL; ++status) {
        const char* text = package.status_text(status);
        const size_t name = strlen(names[status]);
        CHECK(strncmp(text, names[status], name) == 0 && text[name] == ':');
        CHECK(text[strlen(text) - 1] == '.');
    }
    CHECK(strncmp(package.status_text(TOV_E_INTERNAL + 1), "unknown status", 14) == 0);
    CHECK(strncmp(package.status_text(-1), "unknown status", 14) == 0);
}

/* A host compiled with a later header: the 1.0 table and a member appended. */
typedef struct newer_backend {
    tov_backend v1_0;
    int32_t(TOV_CALLBACK* AppendedEntryPoint)(void* ctx);
} newer_backend;

static int32_t never_called(void* ctx) {
    (void)ctx;
    ++failures;
    return 0;
}

static void tables_are_read_as_far_as_their_struct_size(void) {
    recorder r;
    memset(&r, 0, sizeof r);
    int32_t result = 0;

    tov_backend exact = recording_backend(&r);
    exact.struct_size = (uint32_t)TOV_BACKEND_SIZE_1_0;
    CHECK(package.set_backend(&exact) == TOV_OK);
    CHECK(print_report(sales_packet, sizeof sales_packet - 1, 0, &result) == TOV_OK);
    CHECK(result == 1 && strstr(r.calls, "ImprimePadrao") != NULL);

    memset(&r, 0, sizeof r);
    newer_backend newer;
    memset(&newer, 0, sizeof newer);
    newer.v1_0 = recording_backend(&r);
    newer.v1_0.struct_size = sizeof newer;
    newer.AppendedEntryPoint = never_called;
    CHECK(package.set_backend(&newer.v1_0) == TOV_OK);
    result = 0;
    CHECK(print_report(sales_packet, sizeof sales_packet - 1, 0, &result) == TOV_OK);
    CHECK(result == 1 && strstr(r.calls, "ImprimePadrao") != NULL);

    /* Too small, or never set: refused, naming the structure; the registration before stays. */
    memset(&r, 0, sizeof r);
    recorder refused;
    memset(&refused, 0, sizeof refused);
    tov_backend small = recording_backend(&refused);
    small.struct_size = (uint32_t)TOV_BACKEND_SIZE_1_0 - 1;
    CHECK(package.set_backend(&small) == TOV_E_ARGUMENT);
    CHECK(strstr(package.last_error(), "tov_backend") != NULL);
    small.struct_size = 0;
    CHECK(package.set_backend(&small) == TOV_E_ARGUMENT);
    tov_host small_host;
    memset(&small_host, 0, sizeof small_host);
    small_host.struct_size = (uint32_t)TOV_HOST_SIZE_1_0 - 1;
    CHECK(package.set_host(&small_host) == TOV_E_ARGUMENT);
    CHECK(strstr(package.last_error(), "tov_host") != NULL);
    tov_format_settings small_settings = {0, ',', '.', "dd/mm/yyyy", "R$", 2, 9, 2};
    small_settings.struct_size = (uint32_t)TOV_FORMAT_SETTINGS_SIZE_1_0 - 1;
    CHECK(package.set_settings(&small_settings) == TOV_E_ARGUMENT);
    CHECK(strstr(package.last_error(), "tov_format_settings") != NULL);
    result = 0;
    CHECK(print_report(sales_packet, sizeof sales_packet - 1, 0, &result) == TOV_OK);
    CHECK(result == 1 && strstr(r.calls, "ImprimePadrao") != NULL && refused.calls[0] == '\0');
}

/* ---- The PAF-ECF identification report: its variant array through the C ABI ------------------ */

#define PAF_TEXT_FIELD(name) "<FIELD attrname=\"" name "\" fieldtype=\"string\" WIDTH=\"20\"/>"

static const char paf_identification_packet[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    PAF_TEXT_FIELD("NRLAUDO") PAF_TEXT_FIELD("NRCNPJQUELMAR") PAF_TEXT_FIELD("DSRAZAOSOCIQLM")
    PAF_TEXT_FIELD("DSENDEQUELMAR") PAF_TEXT_FIELD("DSTELEFONEQLM") PAF_TEXT_FIELD("NMRESPONSIST")
    PAF_TEXT_FIELD("DSNOMECOMERCIAL") PAF_TEXT_FIELD("DSVERSAOPALINDO")
    PAF_TEXT_FIELD("NMEXEPALINDO")
    "</FIELDS><PARAMS/></METADATA><ROWDATA><ROW NRLAUDO=\"L-77\" NMEXEPALINDO=\"PLD.EXE\"/>"
    "</ROWDATA></DATAPACKET>";

static const char paf_serials_packet[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    PAF_TEXT_FIELD("NRSERIEIMPRPERS")
    "</FIELDS><PARAMS/></METADATA><ROWDATA><ROW NRSERIEIMPRPERS=\"BE0913\"/></ROWDATA>"
    "</DATAPACKET>";

static int32_t record_generic_report(void* ctx, const char* cor, const char* filial,
                                     const char* caixa, const char* buffer, size_t size,
                                     const char* serie, const char* indice) {
    char line[256];
    snprintf(line, sizeof line, "Relatorio_Generico %s %s %s %s %s", cor, filial, caixa, serie,
             indice);
    log_call(ctx, line);
    keep_text(ctx, buffer, size);
    return 1;
}

static void host_without_digest_files(void* ctx, char* out, size_t capacity) {
    (void)ctx;
    copy_out(out, capacity, "/nonexistent-pdv-folder/PLD.EXE");
}

static void values_stored_plain(void* ctx, const char* text, int32_t key, char* out,
                                size_t capacity) {
    (void)ctx;
    (void)key;
    copy_out(out, capacity, text);
}

static tov_variant paf_text(const char* text) {
    tov_variant value;
    memset(&value, 0, sizeof value);
    value.type = TOV_VT_TEXT;
    value.data = text;
    value.size = strlen(text);
    return value;
}

static void paf_identification_takes_its_values_from_the_variant_array(void* library) {
    typedef int32_t (*paf_fn)(const tov_variant*, int32_t, tov_variant*, int32_t*);
    paf_fn print_paf;
    void* symbol = resolve(library, "ImprimeDadosPaf_Tov00000");
    memcpy(&print_paf, &symbol, sizeof symbol);
    recorder r;
    memset(&r, 0, sizeof r);
    tov_backend backend;
    memset(&backend, 0, sizeof backend);
    backend.struct_size = sizeof backend;
    backend.ctx = &r;
    backend.Relatorio_Generico = record_generic_report;
    tov_host host;
    memset(&host, 0, sizeof host);
    host.struct_size = sizeof host;
    host.ExePath = host_without_digest_files;
    host.Uncripto = values_stored_plain;
    CHECK(package.set_backend(&backend) == TOV_OK);
    CHECK(package.set_host(&host) == TOV_OK);

    tov_variant values[8];
    values[0] = paf_text("01");
    values[1] = paf_text("002");
    values[2] = paf_text("COR");
    values[3] = paf_text(paf_identification_packet);
    values[4] = paf_text(paf_serials_packet);
    values[5] = paf_text("BE0913");
    memset(&values[6], 0, sizeof values[6]);
    values[6].type = TOV_VT_INT;
    values[6].integer = 28;
    values[7] = paf_text("IDX");
    int32_t result = 7;

    CHECK(print_paf(values, 2, NULL, &result) == TOV_E_ARGUMENT);
    CHECK(strstr(package.last_error(), "arParams holds 3 values") != NULL);
    CHECK(result == 7 && r.text_size == 0);

    tov_variant retorno;
    memset(&retorno, 0, sizeof retorno);
    CHECK(print_paf(values, 7, &retorno, &result) == TOV_OK);
    CHECK(result == 1);
    CHECK(strcmp(r.calls, "Relatorio_Generico COR 01 002 BE0913 IDX\n") == 0);
    r.text[r.text_size < TEXT_CAPACITY ? r.text_size : TEXT_CAPACITY - 1] = '\0';
    CHECK(strncmp(r.text, "           Identifica\xe7\xe3o do Paf-Ecf           \n", 47) == 0);
    CHECK(strstr(r.text, "Nr do Laudo :  L-77\n") != NULL);
    CHECK(
        strstr(r.text, "Principal Exe : PLD.EXE\nMD5           : \n\nVersao ER PAF-ECF: 02.06\n") !=
        NULL);
    CHECK(strstr(r.text, "\n\nBE0913\n") != NULL);
}

/* ---- The exchange coupon and the payment-means report through the C ABI --------------------- */

#define STRING_FIELD(name, width) \
    "<FIELD attrname=\"" name "\" fieldtype=\"string\" WIDTH=\"" width "\"/>"

static const char coupon_products_packet[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    STRING_FIELD("CDPRODIMPFIS", "14") STRING_FIELD("CDARVPROD", "14")
    STRING_FIELD("NMPRODUTO", "40") STRING_FIELD("QTPRODCOMVEN", "10")
    STRING_FIELD("SGUNIDADE", "3")
    "</FIELDS><PARAMS/></METADATA><ROWDATA>"
    "<ROW CDPRODIMPFIS=\"\" CDARVPROD=\"ARV-9\" NMPRODUTO=\"Meia Esportiva\" QTPRODCOMVEN=\"3\" "
    "SGUNIDADE=\"PR\"/>"
    "</ROWDATA></DATAPACKET>";

static const char payment_receipts_packet[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"DTMOVIMCAIXA\" fieldtype=\"dateTime\"/>" STRING_FIELD("TIPO", "3")
    STRING_FIELD("NMTIPORECE", "30") "<FIELD attrname=\"VALOR\" fieldtype=\"r8\"/>"
    STRING_FIELD("CDTIPORECE", "3")
    "</FIELDS><PARAMS/></METADATA><ROWDATA>"
    "<ROW DTMOVIMCAIXA=\"20240315\" TIPO=\"CF\" NMTIPORECE=\"Dinheiro\" VALOR=\"1234.5\" "
    "CDTIPORECE=\"1\"/>"
    "<ROW DTMOVIMCAIXA=\"20240316\" TIPO=\"NF\" NMTIPORECE=\"Pix\" VALOR=\"10\" CDTIPORECE=\"7\"/>"
    "</ROWDATA></DATAPACKET>";

/* Sale type "B": the configuration is asked with its first flag false and answers 30 columns. */
static const char exchange_coupon[] =
    "-----------------------------\n"
    "        CUPOM DE TROCA        \n"
    "                             \n"
    "Cod.        NOME                            Qtde\n"
    "ARV-9       Meia Esportiva                   3PR\n"
    "-----------------------------\n"
    "Nr. Cupom Fiscal: 000077\n"
    "                             \n"
    "  PRAZO PARA TROCA: 7,5 DIAS  \n"
    "                             \n";

static const char payment_means_report[] =
    "      Meios de Pagamento      \n"
    "Per\xedodo Solicitado: de 15/03/2024 a 16/03/2024\n"
    "Data: 15/03/2024\n"
    "Dinheiro - Cupom Fiscal - R$ 1.234,50\n"
    "SOMA DO DIA 15/03/2024 = R$ 1.234,50\n"
    "\n"
    "\n"
    "Data: 16/03/2024\n"
    "Pix - Nota Fiscal - R$ 10,00\n"
    "SOMA DO DIA 16/03/2024 = R$ 10,00\n"
    " TOTAL DO PERIODO SOLICITADO  \n"
    "\n"
    "Dinheiro                             R$ 1.234,50\n"
    "Pix                                     R$ 10,00\n"
    "Soma total                           R$ 1.244,50\n";

static int32_t record_coupon_number(void* ctx, int32_t zero1, int32_t zero2, char* number,
                                    size_t capacity) {
    char line[256];
    snprintf(line, sizeof line, "Nr_Cupom %d %d [%s]", zero1, zero2, number);
    log_call(ctx, line);
    copy_out(number, capacity, "77");
    return 1;
}

static int32_t record_coupon(void* ctx, const char* cor, const char* filial, const char* caixa,
                             const char* buffer, size_t size) {
    char line[256];
    snprintf(line, sizeof line, "Cupom_Troca %s %s %s", cor, filial, caixa);
    log_call(ctx, line);
    keep_text(ctx, buffer, size);
    return 0; /* the coupon was not printed: the function answers false */
}

static int32_t record_payment_means(void* ctx, const char* filial, const char* caixa,
                                    const char* cor, const char* serie, const char* buffer,
                                    size_t size, const char* meios) {
    char line[256];
    snprintf(line, sizeof line, "imprimeTipoRece %s %s %s %s %s", filial, caixa, cor, serie, meios);
    log_call(ctx, line);
    keep_text(ctx, buffer, size);
    return 1;
}

/* 30 columns when the first flag is false, 40 otherwise; the coupon number is left alone. */
static void register_by_first_flag(void* ctx, int32_t kind, int32_t flag1, int32_t flag2,
                                   int32_t* font, int32_t* width, char* enter,
                                   size_t enter_capacity, char* cut, size_t cut_capacity,
                                   char* coupon, size_t coupon_capacity) {
    (void)ctx;
    (void)kind;
    (void)flag2;
    (void)cut;
    (void)cut_capacity;
    (void)coupon;
    (void)coupon_capacity;
    *font = 1;
    *width = flag1 != 0 ? 40 : 30;
    copy_out(enter, enter_capacity, "\n");
}

static void coupon_and_payment_means_print_through_their_exports(void* library) {
    typedef int32_t (*coupon_fn)(int32_t, const void*, size_t, const char*, const char*,
                                 const char*, const char*, const char*, const char*, double,
                                 int32_t*);
    typedef int32_t (*payment_means_fn)(int32_t, const char*, const char*, const char*, const char*,
                                        const char*, const void*, size_t, const char*, const char*);
    coupon_fn print_coupon;
    payment_means_fn print_payment_means;
    void* symbol = resolve(library, "Cupom_Troca_Tov00000");
    memcpy(&print_coupon, &symbol, sizeof symbol);
    symbol = resolve(library, "imprimeTipoRece_Tov00000");
    memcpy(&print_payment_means, &symbol, sizeof symbol);

    recorder r;
    memset(&r, 0, sizeof r);
    tov_backend backend;
    memset(&backend, 0, sizeof backend);
    backend.struct_size = sizeof backend;
    backend.ctx = &r;
    backend.Nr_Cupom = record_coupon_number;
    backend.Cupom_Troca = record_coupon;
    backend.imprimeTipoRece = record_payment_means;
    tov_host host;
    memset(&host, 0, sizeof host);
    host.struct_size = sizeof host;
    host.ConfiguraImpressora = register_by_first_flag;
    CHECK(package.set_backend(&backend) == TOV_OK);
    CHECK(package.set_host(&host) == TOV_OK);

    int32_t result = 7;
    CHECK(print_coupon(3, coupon_products_packet, sizeof coupon_products_packet - 1, "COR", "01",
                       "002", NULL, "", "B", 7.5, &result) == TOV_OK);
    CHECK(result == 0);
    CHECK(strcmp(r.calls, "Nr_Cupom 0 0 []\nCupom_Troca COR 01 002\n") == 0);
    CHECK(r.text_size == sizeof exchange_coupon - 1);
    CHECK(memcmp(r.text, exchange_coupon, sizeof exchange_coupon - 1) == 0);

    memset(&r, 0, sizeof r);
    CHECK(print_payment_means(3, "01", "002", "COR", "SERIE", "MEIOS", payment_receipts_packet,
                              sizeof payment_receipts_packet - 1, "15/03/2024",
                              "16/03/2024") == TOV_OK);
    CHECK(strcmp(r.calls, "imprimeTipoRece 01 002 COR SERIE MEIOS\n") == 0);
    CHECK(r.text_size == sizeof payment_means_report - 1);
    CHECK(memcmp(r.text, payment_means_report, sizeof payment_means_report - 1) == 0);

    CHECK(print_payment_means(3, "01", "002", "COR", "SERIE", "MEIOS", NULL, 5, "", "") ==
          TOV_E_ARGUMENT);
    CHECK(strstr(package.last_error(), "oleTipoRece") != NULL);
}

/* ---- A sale lookup through the C ABI --------------------------------------------------------- */

static void store_that_cannot_be_opened(void* ctx, const char* arg, char* out, size_t capacity) {
    (void)ctx;
    (void)arg;
    copy_out(out, capacity, "Provider=SQLite;Data Source=/nonexistent/tov-abi/store.db");
}

/* A store that cannot be opened: the discount lookup answers 0, the packet lookup the error's
 * text as TEXT; neither call fails. */
static void lookups_answer_their_failures(void* library) {
    typedef int32_t (*discount_fn)(const char*, const char*, double*);
    typedef int32_t (*payments_fn)(const char*, const char*, const char*, tov_variant*);
    discount_fn discount;
    payments_fn payments;
    void* symbol = resolve(library, "Tov00000_getDescontoFid");
    memcpy(&discount, &symbol, sizeof symbol);
    symbol = resolve(library, "Tov00000_getMovCaixaMob");
    memcpy(&payments, &symbol, sizeof symbol);
    tov_host host;
    memset(&host, 0, sizeof host);
    host.struct_size = sizeof host;
    host.GetStringConexPld = store_that_cannot_be_opened;
    CHECK(package.set_host(&host) == TOV_OK);

    double value = -1;
    CHECK(discount("0001", "12", &value) == TOV_OK);
    CHECK(value == 0.0);
    tov_variant answer;
    memset(&answer, 0, sizeof answer);
    CHECK(payments("0001", "1001", "T", &answer) == TOV_OK);
    CHECK(answer.type == TOV_VT_TEXT && answer.data != NULL);
    if (answer.type == TOV_VT_TEXT && answer.data != NULL) {
        char text[512];
        copy_out(text, answer.size + 1 < sizeof text ? answer.size + 1 : sizeof text, answer.data);
        CHECK(strstr(text, "/nonexistent/tov-abi/store.db") != NULL);
    }
}

/* ---- The consumer statement: the host's own datasets through their handles ------------------- */

typedef int32_t (*statement_fn)(int32_t, const char*, const char*, const char*, const char*,
                                tov_dataset*, tov_dataset*, tov_dataset*, tov_dataset*,
                                tov_dataset*, const char*, const char*, const char*, const char*,
                                const char*, tov_dataset*, int32_t, int32_t*);
typedef int32_t (*dataset_recno_fn)(tov_dataset*, int32_t*);

#define STATEMENT_PACKET(fields, rows)                                                        \
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET "                                  \
    "Version=\"2.0\"><METADATA><FIELDS>" fields "</FIELDS><PARAMS/></METADATA><ROWDATA>" rows \
    "</ROWDATA></DATAPACKET>"
#define STATEMENT_TEXT(name) "<FIELD attrname=\"" name "\" fieldtype=\"string\" WIDTH=\"20\"/>"
#define STATEMENT_NUMBER(name) "<FIELD attrname=\"" name "\" fieldtype=\"r8\"/>"

static const char detailed_setting_packet[] =
    STATEMENT_PACKET(STATEMENT_TEXT("IDEMISEXTRSIMPL"), "<ROW IDEMISEXTRSIMPL=\"N\"/>");
static const char family_balance_packet[] =
    STATEMENT_PACKET(STATEMENT_NUMBER("SALDOFAM"), "<ROW SALDOFAM=\"5\"/>");
static const char movements_packet[] = STATEMENT_PACKET(
    STATEMENT_TEXT("CDCLIENTE") STATEMENT_TEXT("CDFAMILISALD") STATEMENT_TEXT("NMFAMILISALD")
        STATEMENT_NUMBER("SALDANT") "<FIELD attrname=\"DATA\" fieldtype=\"date\"/>" STATEMENT_TEXT(
            "HORA") STATEMENT_TEXT("DSOPEEXTCONS") STATEMENT_TEXT("IDTPMOVEXT")
            STATEMENT_TEXT("NRSEQVENDA") STATEMENT_TEXT("CDFILIAL") STATEMENT_NUMBER("VALOR")
                STATEMENT_NUMBER("SALDO"),
    "<ROW CDCLIENTE=\"C1\" CDFAMILISALD=\"01\" NMFAMILISALD=\"Bar\" SALDANT=\"2\" "
    "DATA=\"20240310\" HORA=\"10:00\" DSOPEEXTCONS=\"Recarga\" IDTPMOVEXT=\"C\" NRSEQVENDA=\"\" "
    "CDFILIAL=\"0001\" VALOR=\"3\" SALDO=\"5\"/>");

static const char detailed_statement[] =
    "Cliente: C1\n"
    "Cons: 9-Ana\n"
    "--------------------------------\n"
    "SALDO ANTERIOR - Bar        2,0\n"
    "--------------------------------\n"
    "Data       Operacao            Valor   \n"
    "10/03/2024\n"
    " 10:00 Recarga                  3,00\n"
    "   0001 Recarga        \n"
    "--------------------------------\n"
    "Saldo Total                 5,00\n"
    "\n"
    "\n";

static int32_t record_statement_header(void* ctx, const char* filial, const char* cor,
                                       const char* nome, const char* caixa, int32_t zero1,
                                       int32_t zero2) {
    char line[256];
    snprintf(line, sizeof line, "Cabecalho %s %s %s %s %d %d", filial, cor, nome, caixa, zero1,
             zero2);
    log_call(ctx, line);
    return 1;
}

static int32_t record_statement(void* ctx, const char* buffer, size_t size, const char* cor) {
    char line[256];
    snprintf(line, sizeof line, "Extrato %s", cor);
    log_call(ctx, line);
    keep_text(ctx, buffer, size);
    return 1;
}

static tov_dataset* open_dataset(const char* packet, size_t size) {
    tov_dataset* ds = NULL;
    CHECK(package.dataset_open(packet, size, &ds) == TOV_OK);
    return ds;
}

static void consumer_statement_prints_from_the_host_datasets(void* library) {
    statement_fn statement;
    dataset_recno_fn eof_of;
    void* symbol = resolve(library, "Extrato_Tov00000");
    memcpy(&statement, &symbol, sizeof symbol);
    symbol = resolve(library, "Tov_DataSetEof");
    memcpy(&eof_of, &symbol, sizeof symbol);

    recorder r;
    memset(&r, 0, sizeof r);
    tov_backend backend = recording_backend(&r);
    backend.Cabecalho = record_statement_header;
    backend.Extrato = record_statement;
    CHECK(package.set_backend(&backend) == TOV_OK);
    tov_host host;
    memset(&host, 0, sizeof host);
    host.struct_size = sizeof host;
    host.Now = fixed_now;
    host.ConfiguraImpressora = narrow_register;
    CHECK(package.set_host(&host) == TOV_OK);
    tov_dataset* setting =
        open_dataset(detailed_setting_packet, sizeof detailed_setting_packet - 1);
    tov_dataset* balances = open_dataset(family_balance_packet, sizeof family_balance_packet - 1);
    tov_dataset* movements = open_dataset(movements_packet, sizeof movements_packet - 1);

    int32_t result = 0;
    CHECK(statement(1, "01", "COR", "1", "COM1", setting, setting, setting, movements, balances, "",
                    "Centro", "002", "9", "Ana", movements, 7, &result) == TOV_OK);
    CHECK(result == 1);
    CHECK(strcmp(r.calls, "Cabecalho 01 COR Centro 002 0 0\nExtrato COR\n") == 0);
    CHECK(r.text_size == sizeof detailed_statement - 1);
    CHECK(memcmp(r.text, detailed_statement, sizeof detailed_statement - 1) == 0);
    int32_t eof = 0;
    CHECK(eof_of(movements, &eof) == TOV_OK && eof == 1); /* the host sees where the walk ended */

    /* A failure is the result false, not a failing call; Tov_LastError says why. */
    result = 1;
    CHECK(statement(1, "01", "COR", "1", "COM1", setting, setting, setting, NULL, balances, "",
                    "Centro", "002", "9", "Ana", movements, 7, &result) == TOV_OK);
    CHECK(result == 0);
    CHECK(strstr(package.last_error(), "cdsExtVenda is NULL") != NULL);
    result = 1;
    CHECK(statement(1, "01", "COR", "1", "COM1", setting, setting, setting, movements, balances, "",
                    "Centro", "002", "9", "Ana", movements, 7, &result) == TOV_OK);
    CHECK(result == 0); /* the walk stands at the end: no movement */
    CHECK(strstr(package.last_error(), "no movement") != NULL);

    CHECK(package.dataset_free(movements) == TOV_OK);
    CHECK(package.dataset_free(balances) == TOV_OK);
    CHECK(package.dataset_free(setting) == TOV_OK);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s path/to/libPkg_Tov00000.so (Pkg_Tov00000.dll)\n", argv[0]);
        return 2;
    }
    void* library = open_library(argv[1]);
    if (library == NULL) {
        fprintf(stderr, "cannot load %s: %s\n", argv[1], loader_error());
        return 2;
    }
    resolve_exports(library);

    tov_host host;
    memset(&host, 0, sizeof host);
    host.struct_size = sizeof host;
    host.Now = fixed_now;
    host.ConfiguraImpressora = narrow_register;

    library_tells_the_version_of_its_header();
    every_status_has_its_name_and_a_sentence();
    package_starts_with_its_descriptor_and_no_data_module();
    CHECK(package.set_host(&host) == TOV_OK);
    unregistered_entry_point_is_named_and_nothing_is_printed();
    plain_printer_gets_the_whole_report_at_once();
    fiscal_register_gets_a_management_report_in_pieces();
#if defined(__i386__) || defined(__x86_64__)
    pascal_host_traps_are_masked_inside_and_given_back_after();
#endif
    bad_packet_and_missing_field_fail_with_their_codes();
    tables_are_read_as_far_as_their_struct_size();
    settings_and_datasets_check_their_arguments();
    paf_identification_takes_its_values_from_the_variant_array(library);
    coupon_and_payment_means_print_through_their_exports(library);
    lookups_answer_their_failures(library);
    consumer_statement_prints_from_the_host_datasets(library);
    CHECK(package.finalize() == TOV_OK);

    close_library(library);
    if (failures != 0) fprintf(stderr, "%d check(s) failed\n", failures);
    return failures == 0 ? 0 : 1;
}
