// Time of the consumer statement against its number of movements, in both layouts: five
// families, a sale on every other movement with two items each. The statement filters the sale
// items to each sale and the movements to each family, so its time grows with the movements only
// while setting a filter costs the rows it selects.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "services/document_context.hpp"
#include "statement/consumer_statement.hpp"
#include "statement/statement_datasets.hpp"
#include "support/recorder.hpp"

namespace {

using namespace tov;
using testing::ExtratoRow;
using testing::Movement;
using testing::SaleItem;

constexpr int family_count = 5;

std::string family_code(int movement) {
    return "0" + std::to_string(movement % family_count + 1);
}

std::string day_of(int movement) {
    return "202403" + std::string(movement % 28 < 9 ? "0" : "") + std::to_string(movement % 28 + 1);
}

Movement movement_at(int index) {
    const bool sale = index % 2 == 1;
    return Movement{family_code(index),
                    day_of(index / 40 % 28),
                    "10:00",
                    sale ? "Venda" : "Recarga",
                    sale ? "V" : "C",
                    sale ? std::to_string(1000 + index) : "",
                    sale ? "-10" : "20",
                    "100",
                    "0001"};
}

std::vector<SaleItem> sale_items(int movements) {
    std::vector<SaleItem> items;
    for (int index = 1; index < movements; index += 2) {
        const std::string sale = std::to_string(1000 + index);
        items.push_back({sale, family_code(index), "1", "Cerveja", "6"});
        items.push_back({sale, family_code(index), "2", "Porcao", "4"});
    }
    return items;
}

// The datasets of one account, movements of a family together and in date order for the
// detailed layout, mixed for the simple one.
testing::StatementDatasets account(int movements, bool simple) {
    testing::StatementDatasets data;
    data.setting(simple ? "S" : "N");
    std::vector<testing::Family> families;
    std::vector<std::string> balances;
    for (int family = 0; family < family_count; ++family) {
        families.push_back({family_code(family), "Familia " + std::to_string(family + 1)});
        balances.push_back("100");
    }
    data.families(simple ? families : std::vector<testing::Family>{});
    std::vector<Movement> all;
    for (int index = 0; index < movements; ++index) all.push_back(movement_at(index));
    data.movements(simple ? all : std::vector<Movement>{});
    data.sale_items(sale_items(movements));
    data.family_balances(balances);
    std::vector<ExtratoRow> extrato;
    for (int family = 0; family < family_count; ++family) {
        for (int index = family; index < movements; index += family_count) {
            extrato.push_back(
                {"C001", family_code(family), "Familia", "0", simple ? Movement{} : all[index]});
        }
        if (simple) break;
    }
    data.extrato(extrato);
    return data;
}

void run_statement(benchmark::State& state, bool simple) {
    const int movements = static_cast<int>(state.range(0));
    testing::StatementDatasets data = account(movements, simple);
    format::FormatSettings settings;
    for (auto _ : state) {
        testing::Recorder recorder;
        recorder.register_width = 48;
        data.cdsExtrato.First();
        const statement::ConsumerStatementRequest request{false,
                                                          "0001",
                                                          "COR",
                                                          "1",
                                                          "COM2",
                                                          data.cdsTipoExtCons,
                                                          data.cdsSaldoConsExt,
                                                          data.cdsExtSimples,
                                                          data.cdsExtVenda,
                                                          data.cdsSaldFam,
                                                          "15/03/2024",
                                                          "Loja",
                                                          "003",
                                                          "123",
                                                          "Maria",
                                                          data.cdsExtrato,
                                                          7};
        const services::Backend backend(recorder.backend());
        const services::HostServices host(recorder.host());
        const auto outcome = statement::Extrato(
            request,
            services::DocumentContext{backend, host, settings, services::standard_messages()});
        if (!outcome.result) state.SkipWithError(outcome.reason.c_str());
        benchmark::DoNotOptimize(recorder.printed.size());
    }
    state.SetItemsProcessed(state.iterations() * movements);
}

void BM_StatementSimple(benchmark::State& state) {
    run_statement(state, true);
}
void BM_StatementDetailed(benchmark::State& state) {
    run_statement(state, false);
}

BENCHMARK(BM_StatementSimple)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatementDetailed)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
