/* A C host of the installed package: prints the sales-by-salesperson report of the packet named
 * on the command line to its own plain printer and checks the text. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <tov00000/tov00000.h>

static char printed[8192];

static int32_t print_plain(void* ctx, const char* port, const char* kind, const char* buffer,
                           size_t size) {
    (void)ctx;
    (void)port;
    (void)kind;
    if (size >= sizeof printed) return 0;
    memcpy(printed, buffer, size);
    printed[size] = '\0';
    return 1;
}

int main(int argc, char** argv) {
    static char packet[65536];
    tov_backend backend;
    FILE* file;
    size_t size;
    int32_t result = 0;

    if (argc != 2 || (file = fopen(argv[1], "rb")) == NULL) {
        fprintf(stderr, "usage: consumer_c PACKET\n");
        return 2;
    }
    size = fread(packet, 1, sizeof packet, file);
    fclose(file);

    memset(&backend, 0, sizeof backend);

    backend.struct_size = sizeof backend;
    backend.ImprimePadrao = print_plain;
    if (Tov_SetBackend(&backend) != TOV_OK ||
        RelatorioVendedor_Tov00000("0001", "Loja", "003", "Caixa", "1", "COM2", "1", packet, size,
                                   0, 0, 27593.67, &result) != TOV_OK) {
        fprintf(stderr, "consumer_c: %s\n", Tov_LastError());
        return 1;
    }
    if (!result || strstr(printed, "Total de Vendas por Vendedor") == NULL) {
        fprintf(stderr, "consumer_c: the report was not printed\n");
        return 1;
    }
    printf("consumer_c: %zu bytes printed\n", strlen(printed));
    return 0;
}
