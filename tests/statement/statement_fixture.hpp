#pragma once
// The fixture of the statement's tests: the host's datasets, a recording back-end and host, and
// two accounts, one for each layout.

#include <gtest/gtest.h>

#include <string>

#include "statement/consumer_statement.hpp"
#include "statement/statement_datasets.hpp"
#include "support/recorder.hpp"

namespace tov::testing {

class ConsumerStatement : public ::testing::Test {
public:
    ConsumerStatement() { recorder.register_width = 48; }

    statement::StatementOutcome print(bool fiscal) {
        const statement::ConsumerStatementRequest request{fiscal,
                                                          "0001",
                                                          "COR",
                                                          stIdTipoImpNF,
                                                          "COM2",
                                                          data.cdsTipoExtCons,
                                                          data.cdsSaldoConsExt,
                                                          data.cdsExtSimples,
                                                          data.cdsExtVenda,
                                                          data.cdsSaldFam,
                                                          "15/03/2024",
                                                          "Restaurante Sao Jorge",
                                                          "003",
                                                          "123",
                                                          stNmConsumidor,
                                                          data.cdsExtrato,
                                                          7};
        const services::Backend backend(recorder.backend());
        const services::HostServices host(recorder.host());
        return statement::Extrato(
            request,
            services::DocumentContext{backend, host, settings, services::standard_messages()});
    }

    // A consumer with three families: the bar with a credit, a sale and a debit over two days,
    // the restaurant with a credit and a sale, the shop without movements. The movements of the
    // bar and the restaurant are stored mixed.
    void simple_account() {
        data.setting("S");
        data.families({{"01", "Bar"}, {"02", "Restaurante Central"}, {"03", "Loja"}});
        data.movements({
            {"01", "20240310", "09:15", "Recarga", "C", "", "50", "50", "0001"},
            {"02", "20240310", "10:00", "Recarga cartao", "C", "", "100", "100", "0001"},
            {"01", "20240310", "12:30", "Venda", "V", "123", "-12.5", "37.5", "0001"},
            {"01", "20240311", "08:00", "Estorno de recarga", "D", "", "-5", "32.5", "0002"},
            {"02", "20240312", "19:45", "Venda", "V", "124", "-30", "70", "0001"},
        });
        data.sale_items({{"123", "01", "2", "Cerveja", "10"},
                         {"123", "01", "0.5", "Porcao de batata frita", "2.5"},
                         {"123", "02", "1", "Outro", "99"},
                         {"124", "02", "1", "Prato do dia", "30"}});
        data.family_balances({"32.5", "70"});
        data.extrato(
            {{"C001", "01", "Bar", "0", {}}, {"C001", "02", "Restaurante Central", "25.5", {}}});
    }

    // The same account as one detailed dataset: family after family, date after date.
    void detailed_account() {
        data.setting("N");
        data.families({});
        data.movements({});
        data.sale_items(
            {{"123", "01", "2", "Cerveja", "10"}, {"124", "02", "1", "Prato do dia", "30"}});
        data.family_balances({"32.5", "70"});
        data.extrato({
            {"C001",
             "01",
             "Bar",
             "0",
             {"01", "20240310", "09:15", "Recarga", "C", "", "50", "50", "0001"}},
            {"C001",
             "01",
             "Bar",
             "0",
             {"01", "20240310", "12:30", "Venda", "V", "123", "-10", "40", "0001"}},
            {"C001",
             "01",
             "Bar",
             "0",
             {"01", "20240311", "08:00", "Estorno", "D", "", "-7.5", "32.5", "0002"}},
            {"C002",
             "02",
             "Restaurante Central",
             "100",
             {"02", "20240312", "19:45", "Venda", "V", "124", "-30", "70", "0001"}},
        });
    }

    Recorder recorder;
    StatementDatasets data;
    format::FormatSettings settings;
    std::string stIdTipoImpNF = "1";
    std::string stNmConsumidor = "Maria Jo\xe3o";
};

}  // namespace tov::testing
