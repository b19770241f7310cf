#include "platform/dataset/client_dataset.hpp"

#include <algorithm>
#include <utility>

#include "platform/dataset/packet_current_view.hpp"
#include "platform/dataset/packet_io.hpp"
#include "platform/errors/errors.hpp"
#include "platform/format/date_format.hpp"
#include "platform/format/float_format.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::dataset {

namespace {

bool is_blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

FilterOperand operand_of(const Variant& value, const format::FormatSettings& settings) {
    FilterOperand operand;
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool>) {
                operand.kind = FilterOperand::Kind::Boolean;
                operand.boolean = v;
                operand.text = v ? "True" : "False";
            } else if constexpr (std::is_same_v<T, int64_t>) {
                operand.kind = FilterOperand::Kind::Number;
                operand.number = static_cast<double>(v);
                operand.text = std::to_string(v);
            } else if constexpr (std::is_same_v<T, double>) {
                operand.kind = FilterOperand::Kind::Number;
                operand.number = v;
                operand.text = format::FloatToStr(v, settings);
            } else if constexpr (std::is_same_v<T, std::string>) {
                operand.kind = FilterOperand::Kind::Text;
                operand.text = v;
            } else if constexpr (std::is_same_v<T, VariantDateTime>) {
                operand.kind = FilterOperand::Kind::Number;
                operand.number = v.days;
                operand.text = format::DateTimeToStr(v.days, settings);
            } else {
                operand.kind = FilterOperand::Kind::Null;
            }
        },
        value);
    return operand;
}

}  // namespace

ClientDataSet::ClientDataSet(format::FormatSettings settings) : settings_(std::move(settings)) {
    format::validate(settings_);
}

void ClientDataSet::SetFormatSettings(const format::FormatSettings& settings) {
    format::validate(settings);
    format::FormatSettings previous = std::exchange(settings_, settings);
    if (!active_) return;
    try {
        // Date and number literals of the filter are read in the regional settings.
        apply_filter(bind_filter(filter_text_, filtered_, filter_options_));
    } catch (...) {
        settings_ = std::move(previous);
        throw;
    }
}

// ---- data ----

void ClientDataSet::SetData(const Packet& packet) {
    Close();
    std::vector<Row> rows = current_rows(packet);
    packet_.major_version = packet.major_version;
    packet_.minor_version = packet.minor_version;
    packet_.fields = packet.fields;
    packet_.params = packet.params;
    open(std::move(rows));
}

void ClientDataSet::SetData(std::string_view packet_bytes) {
    Close();
    const Packet packet = read_packet(packet_bytes);
    SetData(packet);
}

void ClientDataSet::LoadFromFile(const std::filesystem::path& path) {
    Close();
    const Packet packet = load_packet_file(path);
    SetData(packet);
}

void ClientDataSet::open(std::vector<Row> rows) {
    rows_ = std::move(rows);
    deleted_.assign(rows_.size(), 0);
    try {
        filter_ = bind_filter(filter_text_, filtered_, filter_options_);
        order_ = ordered_rows();
    } catch (...) {
        Close();
        throw;
    }
    active_ = true;
    rebuild_view();
    First();
}

Packet ClientDataSet::Data() const {
    require_active("Data");
    Packet packet;
    packet.major_version = packet_.major_version;
    packet.minor_version = packet_.minor_version;
    packet.fields = packet_.fields;
    for (const Param& param : packet_.params) {
        if (!text::ansi_same_text(param.name, "CHANGE_LOG")) packet.params.push_back(param);
    }
    packet.rows.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (deleted_[i]) continue;
        packet.rows.push_back(rows_[i]);
        packet.rows.back().status = 0;
    }
    return packet;
}

void ClientDataSet::Close() {
    active_ = false;
    ++generation_;
    packet_ = Packet{};
    rows_.clear();
    deleted_.clear();
    order_.clear();
    view_.clear();
    live_.reset(0);
    cursor_ = 0;
    eof_ = true;
    filter_.reset();
}

// ---- cursor ----

void ClientDataSet::require_active(const char* operation) const {
    if (!active_) throw DatasetError(std::string(operation) + ": the dataset is not open");
}

void ClientDataSet::First() {
    require_active("First");
    const auto first = live_.first();
    cursor_ = first.value_or(0);
    eof_ = !first;
}

void ClientDataSet::Next() {
    require_active("Next");
    const auto next = live_.live_count() == 0 ? std::nullopt : live_.next_after(cursor_);
    if (next) {
        cursor_ = *next;
        eof_ = false;
    } else {
        eof_ = true;
    }
}

bool ClientDataSet::Eof() const {
    return !active_ || eof_;
}

bool ClientDataSet::IsEmpty() const {
    return !active_ || live_.live_count() == 0;
}

int ClientDataSet::RecordCount() const {
    return active_ ? static_cast<int>(live_.live_count()) : 0;
}

int ClientDataSet::RecNo() const {
    if (!active_ || live_.live_count() == 0) return 0;
    return static_cast<int>(live_.rank(cursor_)) + 1;
}

void ClientDataSet::SetRecNo(int record_number) {
    require_active("RecNo");
    if (record_number == RecNo()) return;
    const auto position =
        record_number >= 1 ? live_.nth(static_cast<size_t>(record_number - 1)) : std::nullopt;
    if (!position) {
        throw DatasetError("record number " + std::to_string(record_number) + " is outside 1.." +
                           std::to_string(RecordCount()));
    }
    cursor_ = *position;
    eof_ = false;
}

std::optional<uint32_t> ClientDataSet::current_row() const {
    if (!active_ || live_.live_count() == 0) return std::nullopt;
    return view_[cursor_];
}

// ---- filter ----

std::optional<CompiledFilter> ClientDataSet::bind_filter(const std::string& text, bool filtered,
                                                         const FilterOptions& options) const {
    if (!filtered || is_blank(text)) return std::nullopt;
    return FilterExpression::parse(text).bind(packet_.fields, options, settings_);
}

void ClientDataSet::apply_filter(std::optional<CompiledFilter> filter) {
    filter_ = std::move(filter);
    rebuild_view();
    First();
}

void ClientDataSet::SetFilter(std::string filter) {
    if (active_ && filtered_) {
        auto bound = bind_filter(filter, true, filter_options_);
        filter_text_ = std::move(filter);
        apply_filter(std::move(bound));
    } else {
        filter_text_ = std::move(filter);
    }
}

void ClientDataSet::SetFiltered(bool filtered) {
    if (filtered == filtered_) return;
    if (active_) {
        auto bound = bind_filter(filter_text_, filtered, filter_options_);
        filtered_ = filtered;
        apply_filter(std::move(bound));
    } else {
        filtered_ = filtered;
    }
}

void ClientDataSet::SetFilterOptions(const FilterOptions& options) {
    if (active_ && filtered_) {
        auto bound = bind_filter(filter_text_, true, options);
        filter_options_ = options;
        apply_filter(std::move(bound));
    } else {
        filter_options_ = options;
    }
}

// ---- order and view ----

std::vector<uint32_t> ClientDataSet::ordered_rows() const {
    std::vector<uint32_t> rows;
    rows.reserve(rows_.size());
    for (uint32_t i = 0; i < rows_.size(); ++i) {
        if (!deleted_[i]) rows.push_back(i);
    }
    if (!index_name_.empty()) {
        const IndexDef* index = find_index(index_name_);
        if (!index) throw DatasetError("index '" + index_name_ + "' not found");
        sort_rows(rows, rows_, packet_.fields, *index);
    }
    return rows;
}

void ClientDataSet::rebuild_view() {
    std::erase_if(order_, [this](uint32_t row) { return deleted_[row] != 0; });
    view_.clear();
    view_.reserve(order_.size());
    for (const uint32_t row : order_) {
        if (!filter_ || filter_->matches(rows_[row])) view_.push_back(row);
    }
    live_.reset(view_.size());
    cursor_ = 0;
}

void ClientDataSet::rebuild_order_keeping_row() {
    const auto kept = current_row();
    order_ = ordered_rows();
    rebuild_view();
    const auto found = kept ? std::find(view_.begin(), view_.end(), *kept) : view_.end();
    if (found == view_.end()) {
        First();
    } else {
        cursor_ = static_cast<size_t>(found - view_.begin());
        eof_ = false;
    }
}

// ---- indexes ----

const IndexDef* ClientDataSet::find_index(std::string_view name) const {
    const auto found =
        std::find_if(index_defs_.begin(), index_defs_.end(),
                     [name](const IndexDef& def) { return text::ansi_same_text(def.name, name); });
    return found == index_defs_.end() ? nullptr : &*found;
}

void ClientDataSet::AddIndex(std::string name, std::string fields, IndexOptions options) {
    if (is_blank(name)) throw DatasetError("an index needs a name");
    if (find_index(name)) throw DatasetError("index '" + name + "' already exists");
    if (active_) index_field_numbers(packet_.fields, fields);
    index_defs_.push_back(IndexDef{std::move(name), std::move(fields), options});
}

void ClientDataSet::ClearIndexDefs() {
    index_defs_.clear();
    if (index_name_.empty()) return;
    index_name_.clear();
    if (active_) rebuild_order_keeping_row();
}

void ClientDataSet::SetIndexName(std::string name) {
    if (!name.empty()) {
        const IndexDef* index = find_index(name);
        if (!index) throw DatasetError("index '" + name + "' not found");
        name = index->name;
    }
    std::string previous = std::exchange(index_name_, std::move(name));
    if (!active_) return;
    try {
        rebuild_order_keeping_row();
    } catch (...) {
        index_name_ = std::move(previous);
        throw;
    }
}

// ---- locate and delete ----

bool ClientDataSet::Locate(std::string_view field, const Variant& value, LocateOptions options) {
    require_active("Locate");
    const int number = packet_.field_index(field);
    if (number < 0) throw FieldNotFound(std::string(field));
    const CompiledFilter match =
        compile_equality(packet_.fields, number, operand_of(value, settings_),
                         options.case_insensitive, options.partial_key, settings_);
    for (auto position = live_.first(); position; position = live_.next_after(*position)) {
        if (match.matches(rows_[view_[*position]])) {
            cursor_ = *position;
            eof_ = false;
            return true;
        }
    }
    return false;
}

bool ClientDataSet::Locate(std::string_view field, std::string_view text, LocateOptions options) {
    return Locate(field, Variant{std::string(text)}, options);
}

bool ClientDataSet::Locate(std::string_view field, const char* text, LocateOptions options) {
    return Locate(field, std::string_view(text ? text : ""), options);
}

void ClientDataSet::Delete() {
    require_active("Delete");
    if (live_.live_count() == 0) throw DatasetError("Delete: the dataset is empty");
    deleted_[view_[cursor_]] = 1;
    live_.remove(cursor_);
    if (const auto next = live_.next_after(cursor_)) {
        cursor_ = *next;
        eof_ = false;
    } else if (const auto previous = live_.previous_before(cursor_)) {
        cursor_ = *previous;
        eof_ = false;
    } else {
        cursor_ = 0;
        eof_ = true;
    }
}

// ---- fields ----

FieldRef ClientDataSet::FieldByName(std::string_view name) const {
    if (auto field = FindField(name)) return *field;
    throw FieldNotFound(std::string(name));
}

std::optional<FieldRef> ClientDataSet::FindField(std::string_view name) const {
    const int number = packet_.field_index(name);
    if (number < 0) return std::nullopt;
    return FieldRef(*this, number);
}

const Value* ClientDataSet::CurrentValue(int field_number) const {
    const auto row = current_row();
    if (!row || field_number < 0) return nullptr;
    const auto& values = rows_[*row].values;
    const auto index = static_cast<size_t>(field_number);
    return index < values.size() ? &values[index] : nullptr;
}

}  // namespace tov::dataset
