#include "platform/dataset/client_dataset.hpp"

#include <algorithm>
#include <utility>

#include "platform/dataset/packet_current_view.hpp"
#include "platform/dataset/packet_io.hpp"
#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"
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
    RowTable rows = current_table(packet);
    open(packet, std::move(rows));
}

void ClientDataSet::SetData(Packet&& packet) {
    Close();
    RowTable rows = current_table(std::move(packet));
    open(packet, std::move(rows));
}

void ClientDataSet::SetData(std::string_view packet_bytes) {
    Close();
    SetData(read_packet(packet_bytes));
}

void ClientDataSet::LoadFromFile(const std::filesystem::path& path) {
    Close();
    SetData(load_packet_file(path));
}

// The fields and parameters of packet, and its current rows.
void ClientDataSet::open(const Packet& packet, RowTable rows) {
    packet_.major_version = packet.major_version;
    packet_.minor_version = packet.minor_version;
    packet_.fields = packet.fields;
    packet_.params = packet.params;
    rows_ =
        rows.columns() == packet_.fields.size() ? std::move(rows) : RowTable(packet_.fields.size());
    deleted_.assign(rows_.size(), 0);
    deleted_in_order_ = 0;
    try {
        filter_ = bind_filter(filter_text_, filtered_, filter_options_);
        order_rows();
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
    packet.rows = RowTable(packet_.fields.size());
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (!deleted_[i]) packet.rows.append_row_of(rows_, i, 0);
    }
    return packet;
}

void ClientDataSet::Close() {
    active_ = false;
    ++generation_;
    packet_ = Packet{};
    rows_.clear();
    deleted_.clear();
    deleted_in_order_ = 0;
    order_.clear();
    order_rank_.clear();
    view_.clear();
    view_is_order_ = true;
    equality_indexes_.clear();
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
    return row_at(cursor_);
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

void ClientDataSet::order_rows() {
    std::vector<uint32_t> rows;
    rows.reserve(rows_.size());
    for (uint32_t i = 0; i < rows_.size(); ++i) {
        if (!deleted_[i]) rows.push_back(i);
    }
    std::vector<uint32_t> rank;
    if (!index_name_.empty()) {
        const IndexDef* index = find_index(index_name_);
        if (!index) throw DatasetError("index " + quoted_input(index_name_) + " not found");
        sort_rows(rows, rows_, packet_.fields, *index);
        rank.assign(rows_.size(), 0);
        for (uint32_t position = 0; position < rows.size(); ++position)
            rank[rows[position]] = position;
    }
    order_ = std::move(rows);
    order_rank_ = std::move(rank);
    deleted_in_order_ = 0;
}

void ClientDataSet::drop_deleted_from_order() {
    if (deleted_in_order_ == 0) return;
    std::erase_if(order_, [this](uint32_t row) { return deleted_[row] != 0; });
    deleted_in_order_ = 0;
}

void ClientDataSet::rebuild_view() {
    drop_deleted_from_order();
    cursor_ = 0;
    view_.clear();
    view_is_order_ = !filter_.has_value();
    if (view_is_order_) {
        live_.reset(order_.size());
        return;
    }
    if (!select_by_index(*filter_)) {
        for (const uint32_t row : order_) {
            if (filter_->matches(rows_, row)) view_.push_back(row);
        }
    }
    live_.reset(view_.size());
}

// The view of a filter of equalities, from the index of its fields; false for another filter.
bool ClientDataSet::select_by_index(const CompiledFilter& filter) {
    const auto equalities = filter.equalities();
    if (!equalities) return false;
    std::vector<EqualityIndex::KeyField> fields;
    std::vector<const CompiledFilter::Literal*> literals;
    for (const auto& equality : *equalities) {
        const EqualityIndex::KeyField field{equality.field, equality.value_class};
        const auto same = std::find(fields.begin(), fields.end(), field);
        if (same == fields.end()) {
            fields.push_back(field);
            literals.push_back(equality.literal);
        } else if (!(*equality.literal == *literals[static_cast<size_t>(same - fields.begin())])) {
            return false;  // the same field twice with different values: left to the filter
        }
    }
    const EqualityIndex* index = equality_index(fields, filter.case_insensitive());
    if (index == nullptr) return false;
    for (const uint32_t row : index->rows_matching(literals)) {
        if (!deleted_[row]) view_.push_back(row);
    }
    if (!order_rank_.empty()) {
        std::sort(view_.begin(), view_.end(),
                  [this](uint32_t a, uint32_t b) { return order_rank_[a] < order_rank_[b]; });
    }
    return true;
}

const EqualityIndex* ClientDataSet::equality_index(
    const std::vector<EqualityIndex::KeyField>& fields, bool case_insensitive) {
    constexpr size_t kept_indexes = 8;
    for (const CachedIndex& cached : equality_indexes_) {
        if (cached.fields == fields && cached.case_insensitive == case_insensitive) {
            return cached.index ? &*cached.index : nullptr;
        }
    }
    if (equality_indexes_.size() == kept_indexes)
        equality_indexes_.erase(equality_indexes_.begin());
    equality_indexes_.push_back(CachedIndex{fields, case_insensitive,
                                            EqualityIndex::build(rows_, fields, case_insensitive)});
    const CachedIndex& added = equality_indexes_.back();
    return added.index ? &*added.index : nullptr;
}

void ClientDataSet::rebuild_order_keeping_row() {
    const auto kept = current_row();
    order_rows();
    rebuild_view();
    const std::vector<uint32_t>& view = view_is_order_ ? order_ : view_;
    const auto found = kept ? std::find(view.begin(), view.end(), *kept) : view.end();
    if (found == view.end()) {
        First();
    } else {
        cursor_ = static_cast<size_t>(found - view.begin());
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
    if (find_index(name)) throw DatasetError("index " + quoted_input(name) + " already exists");
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
        if (!index) throw DatasetError("index " + quoted_input(name) + " not found");
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
        if (match.matches(rows_, row_at(*position))) {
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
    deleted_[row_at(cursor_)] = 1;
    ++deleted_in_order_;
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

std::optional<Value> ClientDataSet::CurrentValue(int field_number) const {
    const auto row = current_row();
    if (!row || field_number < 0 || static_cast<size_t>(field_number) >= rows_.columns())
        return std::nullopt;
    return rows_.column(static_cast<size_t>(field_number)).value(*row);
}

}  // namespace tov::dataset
