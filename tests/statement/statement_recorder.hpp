#pragma once
// A back-end and host for the statement's tests: every call is written down in order with its
// arguments; the texts handed over are kept whole. The clock is fixed and the register's layout
// can be set.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tov00000/tov00000.h"

namespace tov::testing {

struct StatementRecorder {
    std::vector<std::string> calls;   // "Name arg arg ...", in call order
    std::vector<std::string> pieces;  // what Usa_CompNFis received
    std::string extrato;              // what Extrato received
    std::string printed;              // what ImprimePadrao received
    int32_t answer = 1;               // what Extrato and ImprimePadrao answer
    int register_width = 48;
    std::string register_line_break = "\n";
    double now = 45366.75;  // 15/03/2024 18:00

    static StatementRecorder& of(void* ctx) { return *static_cast<StatementRecorder*>(ctx); }

    tov_backend backend() {
        tov_backend table{};
        table.ctx = this;
        table.Cabecalho = [](void* ctx, const char* filial, const char* cor, const char* nome,
                             const char* caixa, int32_t zero1, int32_t zero2) {
            of(ctx).calls.push_back(std::string("Cabecalho ") + filial + " " + cor + " " + nome +
                                    " " + caixa + " " + std::to_string(zero1) + " " +
                                    std::to_string(zero2));
            return int32_t{1};
        };
        table.Usa_CompNFis = [](void* ctx, const char* cor, const char* piece, size_t size) {
            of(ctx).calls.push_back(std::string("Usa_CompNFis ") + cor + " " +
                                    std::to_string(size));
            of(ctx).pieces.emplace_back(piece, size);
            return int32_t{1};
        };
        table.Extrato = [](void* ctx, const char* buffer, size_t size, const char* cor) {
            of(ctx).calls.push_back(std::string("Extrato ") + cor);
            of(ctx).extrato.assign(buffer, size);
            return of(ctx).answer;
        };
        table.ImprimePadrao = [](void* ctx, const char* port, const char* kind,
                                 const char* buffer, size_t size) {
            of(ctx).calls.push_back(std::string("ImprimePadrao ") + port + " " + kind);
            of(ctx).printed.assign(buffer, size);
            return of(ctx).answer;
        };
        return table;
    }

    tov_host host() {
        tov_host table{};
        table.ctx = this;
        table.Now = [](void* ctx) { return of(ctx).now; };
        table.ConfiguraImpressora = [](void* ctx, int32_t kind, int32_t flag1, int32_t flag2,
                                       int32_t* font, int32_t* width, char* enter,
                                       size_t enter_capacity, char*, size_t, char*, size_t) {
            StatementRecorder& self = of(ctx);
            self.calls.push_back("ConfiguraImpressora " + std::to_string(kind) + " " +
                                 std::to_string(flag1) + " " + std::to_string(flag2));
            *font = 2;
            *width = self.register_width;
            std::strncpy(enter, self.register_line_break.c_str(), enter_capacity - 1);
        };
        return table;
    }
};

}  // namespace tov::testing
