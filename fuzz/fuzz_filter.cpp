// Parses the input as a filter expression and evaluates it against a small dataset of every
// kind of field. Any tov::Error is an orderly answer; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dataset/client_dataset.hpp"
#include "platform/errors/errors.hpp"

namespace {

using namespace tov::dataset;

Field field(std::string name, TypeCode code, uint16_t size, uint32_t flags = 0) {
    Field result;
    result.name = std::move(name);
    result.type_word = make_type_word(code, size, flags);
    return result;
}

Packet fixed_packet() {
    Packet packet;
    packet.fields = {field("NRLUGARMESA", TypeCode::ZString, 1, type_flag::varying),
                     field("CDPRODUTO", TypeCode::ZString, 1, type_flag::varying),
                     field("IDSTPRCOMVEN", TypeCode::ZString, 1, type_flag::varying),
                     field("QT", TypeCode::Float, 8),
                     field("NR", TypeCode::Int, 4),
                     field("VR", TypeCode::Bcd, 8),
                     field("DATA", TypeCode::Date, 4),
                     field("DTHR", TypeCode::Timestamp, 8),
                     field("ATIVO", TypeCode::Bool, 2)};
    packet.rows = {
        Row{0,
            {std::string("01"), std::string("P1"), std::string("6"), 2.5, int64_t{1},
             Bcd::from_string("10.25"), Date{739245}, Timestamp{739245.5 * 86400000.0}, true}},
        Row{0,
            {std::string("02"), std::string("X"), std::string("7"), -1.0, int64_t{-3},
             Bcd::from_string("0"), Date{1}, Timestamp{0}, false}},
        Row{0, {Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, Null{}, Null{}}},
    };
    return packet;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Packet packet = fixed_packet();
    const std::string filter(reinterpret_cast<const char*>(data), size);
    try {
        ClientDataSet dataset;
        dataset.SetData(packet);
        dataset.SetFilterOptions({.case_insensitive = size % 2 == 1, .no_partial_compare = false});
        dataset.SetFilter(filter);
        dataset.SetFiltered(true);
        for (dataset.First(); !dataset.Eof(); dataset.Next()) {
            (void)dataset.FieldByName("NRLUGARMESA").AsString();
        }
        if (!dataset.IsEmpty()) dataset.Delete();
        (void)dataset.RecordCount();
    } catch (const tov::Error&) {
        // A filter that does not parse or does not fit the fields.
    }
    return 0;
}
