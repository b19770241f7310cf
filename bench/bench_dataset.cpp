// Speed of the client dataset on a 100,000-row packet of mixed column types: loading it from
// binary and XML bytes, walking a filtered view, and deleting every row of a filtered view. Then
// the memory a loaded dataset keeps per cell, NULL and not, and the time of a change log whose
// every version replaces the one before.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
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

// --- memory per cell ----------------------------------------------------------------------

// An XML packet of i4 fields whose every `every`-th cell holds a value (0: none does).
std::string integer_packet(int fields, int rows, int every) {
    std::string xml =
        R"(<?xml version="1.0" standalone="yes"?><DATAPACKET Version="2.0"><METADATA><FIELDS>)";
    for (int field = 0; field < fields; ++field) {
        xml += R"(<FIELD attrname="F)" + std::to_string(field) + R"(" fieldtype="i4"/>)";
    }
    xml += "</FIELDS><PARAMS/></METADATA><ROWDATA>";
    for (int row = 0; row < rows; ++row) {
        xml += "<ROW";
        for (int field = 0; every != 0 && field < fields; ++field) {
            if ((row * fields + field) % every != 0) continue;
            xml += " F" + std::to_string(field) + "=\"" + std::to_string(row * 7 + field) + "\"";
        }
        xml += "/>";
    }
    return xml + "</ROWDATA></DATAPACKET>";
}

std::size_t heap_in_use() {
    return mallinfo2().uordblks;
}

// The heap a dataset keeps after loading the packet, per cell.
void memory_per_cell(benchmark::State& state, int fields, int rows, int every) {
    const std::string bytes = integer_packet(fields, rows, every);
    double per_cell = 0;
    for (auto _ : state) {
        const std::size_t before = heap_in_use();
        ClientDataSet dataset;
        dataset.SetData(bytes);
        const std::size_t after = heap_in_use();
        per_cell = static_cast<double>(after - before) / (static_cast<double>(fields) * rows);
        benchmark::DoNotOptimize(dataset.RecordCount());
    }
    state.counters["bytes_per_cell"] = per_cell;
    state.counters["packet_bytes"] = static_cast<double>(bytes.size());
}

// The packet of the report: 5,000 i4 fields and 2,000 empty rows.
void BM_MemoryNullCells(benchmark::State& state) {
    memory_per_cell(state, 5000, 2000, 0);
}
// One cell in ten holds a value: NULL cells among values.
void BM_MemoryMostlyNullCells(benchmark::State& state) {
    memory_per_cell(state, 100, 20000, 10);
}
void BM_MemoryValueCells(benchmark::State& state) {
    memory_per_cell(state, 100, 20000, 1);
}

// --- change log -------------------------------------------------------------------------------

// A packet whose every row replaces the one before it, none of them marked superseded, so that
// every version is live and each of them takes its ID (not changed) from the first row.
std::string chained_versions(int versions) {
    Packet packet;
    packet.fields = {field("ID", TypeCode::Int, 4), text("NAME", 20)};
    std::vector<int64_t> log = {1, 0, 4};
    packet.rows.push_back(Row{4, {int64_t{1}, std::string("v1")}});
    for (int row = 2; row <= versions; ++row) {
        packet.rows.push_back(Row{8, {Unchanged{}, "v" + std::to_string(row)}});
        log.insert(log.end(), {row, row - 1, 8});
    }
    packet.params.push_back(Param::make_array("CHANGE_LOG", TypeCode::UInt, 4, log));
    return write_packet(packet, PacketFormat::Binary);
}

void BM_ChangeLogChain(benchmark::State& state) {
    const std::string bytes = chained_versions(static_cast<int>(state.range(0)));
    ClientDataSet dataset;
    for (auto _ : state) {
        dataset.SetData(bytes);
        benchmark::DoNotOptimize(dataset.RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LoadBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadXml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkFiltered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFilteredHalf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryNullCells)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryMostlyNullCells)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryValueCells)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeLogChain)->Arg(8000)->Arg(32000)->Arg(128000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
