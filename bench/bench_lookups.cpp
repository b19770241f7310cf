// The lookups' latency with the connection open (median over repetitions of many calls), and
// the cost of a first call: connecting and running the first query. Against the server named by
// TOV_TEST_PG_CONNECTION (scripts/with-postgres), else against the demo store (SQLite).
//
//   scripts/with-postgres build/bench/bench_lookups

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "lookups/demo_store.hpp"
#include "lookups/sale_lookups.hpp"

namespace {

using tov::lookups::SaleLookups;

std::string store_connection_string() {
    if (const char* server = std::getenv("TOV_TEST_PG_CONNECTION"); server && *server)
        return server;
    static const tov::lookups::DemoStore store(
        std::filesystem::temp_directory_path() /
        ("tov-bench-store-" + std::to_string(::getpid()) + ".db"));
    return store.connection_string();
}

// One connection, opened before timing starts, shared by a lookup's iterations.
template <typename Call>
void run_open(benchmark::State& state, Call call) {
    tov::db::Connection connection;
    connection.set_connection_string(store_connection_string());
    SaleLookups lookups(connection);
    call(lookups);
    if (!connection.connected()) {
        state.SkipWithError("the store cannot be reached");
        return;
    }
    for (auto _ : state) call(lookups);
}

const tov::format::FormatSettings settings;

void BM_SaldoFidelidade(benchmark::State& state) {
    run_open(state, [](SaleLookups& l) {
        benchmark::DoNotOptimize(l.saldo_fidelidade("0001", "MESA 12"));
    });
}
void BM_GetCaixa(benchmark::State& state) {
    run_open(state, [](SaleLookups& l) {
        benchmark::DoNotOptimize(l.get_caixa("001", 45356.5, settings));
    });
}
void BM_GetDescontoFid(benchmark::State& state) {
    run_open(state,
             [](SaleLookups& l) { benchmark::DoNotOptimize(l.get_desconto_fid("0001", "12")); });
}
void BM_GetDescCash4All(benchmark::State& state) {
    run_open(state,
             [](SaleLookups& l) { benchmark::DoNotOptimize(l.get_desc_cash4all("0001", "12")); });
}
void BM_GetDescCashUds(benchmark::State& state) {
    run_open(state,
             [](SaleLookups& l) { benchmark::DoNotOptimize(l.get_desc_cash_uds("0001", "12")); });
}
void BM_GetDescCoreBanc(benchmark::State& state) {
    run_open(state,
             [](SaleLookups& l) { benchmark::DoNotOptimize(l.get_desc_core_banc("0001", "12")); });
}
void BM_GetNmConsumidor(benchmark::State& state) {
    run_open(state, [](SaleLookups& l) {
        benchmark::DoNotOptimize(l.get_nm_consumidor("1001", "12", ""));
    });
}
void BM_GetNmConsumidorSeat(benchmark::State& state) {
    run_open(state, [](SaleLookups& l) {
        benchmark::DoNotOptimize(l.get_nm_consumidor("1001", "12", "01"));
    });
}
void BM_GetMovCaixaMob(benchmark::State& state) {
    run_open(state, [](SaleLookups& l) {
        benchmark::DoNotOptimize(l.get_mov_caixa_mob("0001", "1001", "T"));
    });
}

// Connect, set up and run the first query, on a new connection each time.
void BM_FirstCall(benchmark::State& state) {
    const std::string connection_string = store_connection_string();
    for (auto _ : state) {
        tov::db::Connection connection;
        connection.set_connection_string(connection_string);
        SaleLookups lookups(connection);
        benchmark::DoNotOptimize(lookups.get_desconto_fid("0001", "12"));
    }
}

constexpr int repetitions = 9;

}  // namespace

BENCHMARK(BM_SaldoFidelidade)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetCaixa)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetDescontoFid)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetDescCash4All)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetDescCashUds)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetDescCoreBanc)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetNmConsumidor)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetNmConsumidorSeat)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_GetMovCaixaMob)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_FirstCall)
    ->Repetitions(repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
