// Speed of the client dataset on a 100,000-row packet of mixed column types: loading it from
// binary and XML bytes, walking a filtered view, and deleting every row of a filtered view.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/dataset/client_dataset.hpp"
#include "platform/dataset/packet_io.hpp"

namespace {

using namespace tov::dataset;

constexpr int row_count = 100000;
constexpr const char* half_filter = "NRLUGARMESA <> '01'AND CDPRODUTO <> 'COUV'";

Field field(std::string name, TypeCode code, uint16_t size, uint32_t flags = 0) {
    Field result;
    result.name = std::move(name);
    result.type_word = make_type_word(code, size, flags);
    return result;
}

Field text(std::string name, int width) {
    Field result = field(std::move(name), TypeCode::ZString, 1, type_flag::varying);
    result.params.push_back(Param::make_integer("WIDTH", TypeCode::UInt, 2, width));
    return result;
}

Packet mixed_packet() {
    Packet packet;
    Field memo = field("OBS", TypeCode::Bytes, 4, type_flag::varying);
    memo.params.push_back(Param::make_text("SUBTYPE", "Text"));
    Field amount = field("VRPRECCOMVEN", TypeCode::Bcd, 9);
    amount.params.push_back(Param::make_integer("WIDTH", TypeCode::UInt, 2, 14));
    amount.params.push_back(Param::make_integer("DECIMALS", TypeCode::UInt, 2, 2));
    packet.fields = {field("NRPRODCOMVEN", TypeCode::Int, 4),
                     text("NRLUGARMESA", 2),
                     text("CDPRODUTO", 10),
                     text("NMPRODUTO", 40),
                     field("QTPRODCOMVEN", TypeCode::Float, 8),
                     amount,
                     field("DATA", TypeCode::Date, 4),
                     field("DTHRABERMESA", TypeCode::Timestamp, 8),
                     field("IDATIVO", TypeCode::Bool, 2),
                     memo};
    packet.rows.reserve(row_count);
    for (int i = 0; i < row_count; ++i) {
        const int day = 739000 + i % 365;
        packet.rows.push_back(
            Row{0,
                {int64_t{i}, std::string(i % 2 == 0 ? "01" : "02"), "P" + std::to_string(i % 997),
                 "Produto numero " + std::to_string(i), 1.0 + i % 7 * 0.5,
                 Bcd::from_string(std::to_string(i % 1000) + ".25"), Date{day},
                 Timestamp{day * 86400000.0 + i % 86400 * 1000.0}, i % 3 == 0,
                 i % 10 == 0 ? Value{std::string("observacao do item ") + std::to_string(i)}
                             : Value{Null{}}}});
    }
    return packet;
}

const Packet& shared_packet() {
    static const Packet packet = mixed_packet();
    return packet;
}

void load_from(benchmark::State& state, PacketFormat format) {
    const std::string bytes = write_packet(shared_packet(), format);
    ClientDataSet dataset;
    for (auto _ : state) {
        dataset.SetData(bytes);
        benchmark::DoNotOptimize(dataset.RecordCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
    state.SetItemsProcessed(state.iterations() * row_count);
}

void BM_LoadBinary(benchmark::State& state) {
    load_from(state, PacketFormat::Binary);
}
void BM_LoadXml(benchmark::State& state) {
    load_from(state, PacketFormat::Xml);
}

void BM_WalkFiltered(benchmark::State& state) {
    ClientDataSet dataset;
    dataset.SetData(shared_packet());
    int64_t rows = 0;
    for (auto _ : state) {
        dataset.SetFiltered(false);
        dataset.SetFilter(half_filter);
        dataset.SetFiltered(true);
        double sum = 0;
        for (dataset.First(); !dataset.Eof(); dataset.Next()) {
            sum += dataset.FieldByName("QTPRODCOMVEN").AsFloat();
        }
        benchmark::DoNotOptimize(sum);
        rows += row_count;
    }
    state.SetItemsProcessed(rows);
}

void BM_DeleteFilteredHalf(benchmark::State& state) {
    ClientDataSet dataset;
    int64_t deleted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        dataset.SetFiltered(false);
        dataset.SetData(shared_packet());
        state.ResumeTiming();
        dataset.SetFilter(half_filter);
        dataset.SetFiltered(true);
        deleted += dataset.RecordCount();
        dataset.First();
        while (dataset.RecordCount() > 0) dataset.Delete();
    }
    state.SetItemsProcessed(deleted);
}

BENCHMARK(BM_LoadBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkFiltered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFilteredHalf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
