#pragma once
// A back-end and host for tests: every call the package makes is written down in order, with its
// texts, and the host answers with a fixed clock and a configurable register layout.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tov00000/tov00000.h"

namespace tov::testing {

struct Recorder {
    std::vector<std::string> calls;   // "Name arg arg ...", in call order
    std::vector<std::string> pieces;  // what Usa_CompNFis received
    std::string printed;              // what ImprimePadrao received
    int register_width = 36;
    std::string register_line_break = "\n";
    double now = 45366.75;  // 15/03/2024 18:00

    static Recorder& of(void* ctx) { return *static_cast<Recorder*>(ctx); }

    tov_backend backend() {
        tov_backend table{};
        table.ctx = this;
        table.Relatorio_Gerencial_Imp = [](void* ctx, const char* cor, const char* filial,
                                           const char* caixa, int32_t zero1, int32_t zero2) {
            of(ctx).calls.push_back(std::string("Relatorio_Gerencial_Imp ") + cor + " " + filial +
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
        table.FechRelatGerenc = [](void* ctx, const char* cor, int32_t flag, int32_t zero) {
            of(ctx).calls.push_back(std::string("FechRelatGerenc ") + cor + " " +
                                    std::to_string(flag) + " " + std::to_string(zero));
            return int32_t{1};
        };
        table.ImprimePadrao = [](void* ctx, const char* port, const char* kind,
                                 const char* buffer, size_t size) {
            of(ctx).calls.push_back(std::string("ImprimePadrao ") + port + " " + kind);
            of(ctx).printed.assign(buffer, size);
            return int32_t{0};
        };
        return table;
    }

    tov_host host() {
        tov_host table{};
        table.ctx = this;
        table.Now = [](void* ctx) { return of(ctx).now; };
        table.ConfiguraImpressora = [](void* ctx, int32_t kind, int32_t flag1, int32_t flag2,
                                       int32_t* font, int32_t* width, char* enter,
                                       size_t enter_capacity, char* cut, size_t cut_capacity,
                                       char*, size_t) {
            Recorder& self = of(ctx);
            self.calls.push_back("ConfiguraImpressora " + std::to_string(kind) + " " +
                                 std::to_string(flag1) + " " + std::to_string(flag2));
            *font = 2;
            *width = self.register_width;
            std::strncpy(enter, self.register_line_break.c_str(), enter_capacity - 1);
            std::strncpy(cut, "\x1bm", cut_capacity - 1);
        };
        return table;
    }
};

}  // namespace tov::testing
