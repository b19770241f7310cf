#pragma once
// A back-end and host for tests: every call the package makes is written down in order, with its
// texts; the texts handed over are kept whole. The host answers with a fixed clock, a register
// layout, an executable path and, when asked, a recording decipherer. Each member below is what
// one entry point reads or writes, so a test sets only what its document uses.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "tov00000/tov00000.h"

namespace tov::testing {

struct Recorder {
    std::vector<std::string> calls;   // "Name arg arg ...", in call order
    std::vector<std::string> pieces;  // what Usa_CompNFis received
    std::string printed;  // the last text of ImprimePadrao, Cupom_Troca, imprimeTipoRece or
                          // Relatorio_Generico
    std::string extrato;  // what Extrato received
    int32_t answer = 1;   // what the document entry points answer

    // ConfiguraImpressora's answer.
    int register_font = 2;
    int register_width = 36;
    std::string register_line_break = "\n";
    std::string register_cut = "\x1bm";
    std::string configured_number;     // empty: the configuration leaves the coupon number alone
    bool shows_coupon_number = false;  // true: its call record ends with "[number]"

    std::string register_number = "123";  // Nr_Cupom's answer
    double now = 45366.75;                // 15/03/2024 18:00
    std::string exe_path;                 // ExePath's answer
    std::vector<std::string> deciphered;  // "key text" of each Uncripto call, when recorded

    // The table bill's entry points.
    std::vector<std::string> bills;     // every bill text handed off, in order
    int adjusted_width = 0;             // AjustaImpressaoDireta's width; 0 leaves the width alone
    std::string register_coupon;        // what the register writes into stCupomDia; "": nothing
    std::vector<int32_t> bill_answers;  // Conferencia_Formatada's answers bill by bill, then answer
    std::function<void()> after_bill;   // runs as Conferencia_Formatada returns, when set

    static Recorder& of(void* ctx) { return *static_cast<Recorder*>(ctx); }

    tov_backend backend() {
        tov_backend table{};
        table.struct_size = sizeof(tov_backend);
        table.ctx = this;
        add_management_report(table);
        add_documents(table);
        add_coupon(table);
        add_bill(table);
        return table;
    }

    // Deciphering is the package's own unless recording is asked for, in which case the text
    // comes back in brackets.
    tov_host host(bool record_deciphering = false) {
        tov_host table{};
        table.struct_size = sizeof(tov_host);
        table.ctx = this;
        table.Now = [](void* ctx) { return of(ctx).now; };
        table.ConfiguraImpressora = configure_printer;
        table.ExePath = [](void* ctx, char* out, size_t capacity) {
            std::strncpy(out, of(ctx).exe_path.c_str(), capacity - 1);
        };
        if (record_deciphering) {
            table.Uncripto = [](void* ctx, const char* text, int32_t key, char* out,
                                size_t capacity) {
                of(ctx).deciphered.push_back(std::to_string(key) + " " + text);
                std::strncpy(out, ("[" + std::string(text) + "]").c_str(), capacity - 1);
            };
        }
        return table;
    }

private:
    static void add_management_report(tov_backend& table) {
        table.Relatorio_Gerencial_Imp = [](void* ctx, const char* cor, const char* filial,
                                           const char* caixa, int32_t zero1, int32_t zero2) {
            of(ctx).calls.push_back(std::string("Relatorio_Gerencial_Imp ") + cor + " " + filial +
                                    " " + caixa + " " + std::to_string(zero1) + " " +
                                    std::to_string(zero2));
            return int32_t{1};
        };
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
        table.FechRelatGerenc = [](void* ctx, const char* cor, int32_t flag, int32_t zero) {
            of(ctx).calls.push_back(std::string("FechRelatGerenc ") + cor + " " +
                                    std::to_string(flag) + " " + std::to_string(zero));
            return int32_t{1};
        };
    }

    static void add_documents(tov_backend& table) {
        table.ImprimePadrao = [](void* ctx, const char* port, const char* kind, const char* buffer,
                                 size_t size) {
            of(ctx).calls.push_back(std::string("ImprimePadrao ") + port + " " + kind);
            of(ctx).printed.assign(buffer, size);
            return of(ctx).answer;
        };
        table.Extrato = [](void* ctx, const char* buffer, size_t size, const char* cor) {
            of(ctx).calls.push_back(std::string("Extrato ") + cor);
            of(ctx).extrato.assign(buffer, size);
            return of(ctx).answer;
        };
        table.imprimeTipoRece = [](void* ctx, const char* filial, const char* caixa,
                                   const char* cor, const char* serie, const char* buffer,
                                   size_t size, const char* meios) {
            of(ctx).calls.push_back(std::string("imprimeTipoRece ") + filial + " " + caixa + " " +
                                    cor + " " + serie + " " + meios);
            of(ctx).printed.assign(buffer, size);
            return of(ctx).answer;
        };
        table.Relatorio_Generico = [](void* ctx, const char* cor, const char* filial,
                                      const char* caixa, const char* buffer, size_t size,
                                      const char* serie, const char* indice) {
            of(ctx).calls.push_back(std::string("Relatorio_Generico ") + cor + " " + filial + " " +
                                    caixa + " " + serie + " " + indice);
            of(ctx).printed.assign(buffer, size);
            return of(ctx).answer;
        };
    }

    static void add_coupon(tov_backend& table) {
        table.Nr_Cupom = [](void* ctx, int32_t zero1, int32_t zero2, char* number,
                            size_t capacity) {
            Recorder& self = of(ctx);
            self.calls.push_back("Nr_Cupom " + std::to_string(zero1) + " " + std::to_string(zero2) +
                                 " [" + number + "]");
            std::strncpy(number, self.register_number.c_str(), capacity - 1);
            return int32_t{1};
        };
        table.Cupom_Troca = [](void* ctx, const char* cor, const char* filial, const char* caixa,
                               const char* buffer, size_t size) {
            Recorder& self = of(ctx);
            self.calls.push_back(std::string("Cupom_Troca ") + cor + " " + filial + " " + caixa);
            self.printed.assign(buffer, size);
            return self.answer;
        };
    }

    static std::string amounts_text(std::initializer_list<double> amounts) {
        std::string text;
        for (const double amount : amounts) {
            char number[32];
            std::snprintf(number, sizeof number, " %g", amount);
            text += number;
        }
        return text;
    }

    // A variant as the call record shows it; a long text by its size only.
    static std::string variant_text(const tov_variant& v) {
        switch (v.type) {
            case TOV_VT_BOOL:
                return v.boolean ? "true" : "false";
            case TOV_VT_MISSING:
                return "missing";
            case TOV_VT_TEXT: {
                const std::string text(static_cast<const char*>(v.data), v.size);
                return text.size() <= 16 ? "'" + text + "'"
                                         : "text(" + std::to_string(v.size) + ")";
            }
            default:
                return "type" + std::to_string(v.type);
        }
    }

    // Writes the register's coupon number, when it has one, into the host's variable.
    void write_coupon(char* stCupomDia, size_t capacity) const {
        if (!register_coupon.empty())
            std::strncpy(stCupomDia, register_coupon.c_str(), capacity - 1);
    }

    static void add_bill(tov_backend& table) {
        table.AjustaImpressaoDireta = [](void* ctx, const char* empty1, const char* kind,
                                         const char* empty2, int32_t* width) {
            Recorder& self = of(ctx);
            self.calls.push_back("AjustaImpressaoDireta [" + std::string(empty1) + "] " + kind +
                                 " [" + empty2 + "] " + std::to_string(*width));
            if (self.adjusted_width != 0) *width = self.adjusted_width;
            return int32_t{1};
        };
        table.Conferencia_Formatada = [](void* ctx, const char* cor, const char* filial,
                                         const char* caixa, const char* serie, const char* indice,
                                         const char* venda, char* cupom, size_t capacity,
                                         const char* buffer, size_t size) {
            Recorder& self = of(ctx);
            self.calls.push_back(std::string("Conferencia_Formatada ") + cor + " " + filial + " " +
                                 caixa + " " + serie + " " + indice + " " + venda + " [" + cupom +
                                 "] " + std::to_string(capacity));
            self.bills.emplace_back(buffer, size);
            self.write_coupon(cupom, capacity);
            const std::size_t bill = self.bills.size() - 1;
            const int32_t answer =
                bill < self.bill_answers.size() ? self.bill_answers[bill] : self.answer;
            if (self.after_bill) self.after_bill();
            return answer;
        };
        table.Conferencia_Outras =
            [](void* ctx, const char* porta, const char* cor, const char* filial, const char* caixa,
               char* cupom, size_t capacity, const char* tipo, const char* comanda,
               const char* mesa, const char* garcom, const char* emissao, const void*,
               size_t dados_size, double desc, double cons, double couver, double tx,
               double pessoas, double total, double acre, int32_t kind) {
                Recorder& self = of(ctx);
                self.calls.push_back(std::string("Conferencia_Outras ") + porta + " " + cor + " " +
                                     filial + " " + caixa + " [" + cupom + "] " +
                                     std::to_string(capacity) + " " + tipo + " " + comanda + " " +
                                     mesa + " " + garcom + " " + emissao + " " +
                                     std::to_string(dados_size) +
                                     amounts_text({desc, cons, couver, tx, pessoas, total, acre}) +
                                     " " + std::to_string(kind));
                self.write_coupon(cupom, capacity);
                return self.answer;
            };
        table.DisparaImpressaoNaoFiscal = [](void* ctx, const tov_variant* args, int32_t high,
                                             tov_variant* answer) {
            Recorder& self = of(ctx);
            std::string call = "DisparaImpressaoNaoFiscal";
            for (int32_t i = 0; i <= high; ++i) call += " " + variant_text(args[i]);
            self.calls.push_back(call + (answer != nullptr ? "" : " (no answer)"));
            if (high >= 2 && args[2].type == TOV_VT_TEXT) {
                self.bills.emplace_back(static_cast<const char*>(args[2].data), args[2].size);
            }
            return int32_t{0};  // the bill does not look at it
        };
    }

    static void configure_printer(void* ctx, int32_t kind, int32_t flag1, int32_t flag2,
                                  int32_t* font, int32_t* width, char* enter, size_t enter_capacity,
                                  char* cut, size_t cut_capacity, char* number,
                                  size_t number_capacity) {
        Recorder& self = of(ctx);
        std::string call = "ConfiguraImpressora " + std::to_string(kind) + " " +
                           std::to_string(flag1) + " " + std::to_string(flag2);
        if (self.shows_coupon_number) call += std::string(" [") + number + "]";
        self.calls.push_back(call);
        *font = self.register_font;
        *width = self.register_width;
        std::strncpy(enter, self.register_line_break.c_str(), enter_capacity - 1);
        if (cut != nullptr && cut_capacity > 0) {
            std::strncpy(cut, self.register_cut.c_str(), cut_capacity - 1);
        }
        if (!self.configured_number.empty()) {
            std::strncpy(number, self.configured_number.c_str(), number_capacity - 1);
        }
    }
};

}  // namespace tov::testing
