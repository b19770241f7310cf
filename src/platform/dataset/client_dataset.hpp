#pragma once
// The client dataset: a packet's rows behind a cursor, with the operations the documents use,
// named and behaving as in the class library they were written against.
//
// The view: the live rows of the packet in stored order, or in the order of the current index,
// less the rows the filter hides when Filtered is on. First, Next, Eof, IsEmpty, RecordCount,
// RecNo and Locate all work on the view.
//
// Choices where the class library leaves room:
// - Next on the last row sets Eof and stays on that row, whose fields still read.
// - Delete moves to the row that followed the deleted one, or, when it was the last, to the row
//   before it; Eof is then false unless the view became empty. Deletes keep no change log:
//   Data() no longer holds the deleted rows.
// - RecNo is 0 on an empty view. SetRecNo to the current number does nothing; any other number
//   outside 1..RecordCount raises tov::DatasetError (a silent no-move would hide a host error).
// - Changing the filter text while filtered, or switching the filter on or off, goes to the first
//   row; changing the index keeps the current row.
// - A blank filter text lets every row through.
// - Cursor operations on a closed dataset raise tov::DatasetError; Eof and IsEmpty are then
//   true, RecordCount and RecNo 0; a closed dataset has no fields.
// - Assigning data while the filter or the index names a field the new data lacks closes the
//   dataset and raises.
//
// Cost: the rows are stored column by column (row_table.hpp), a NULL cell in about a bit.
// Switching the filter off costs nothing, and a filter of equalities joined by AND is served
// from an index built once per field set (equality_index.hpp), so that a document setting such a
// filter in a loop pays for the rows each filter selects, not for the whole dataset each time.
// Other filters are evaluated row by row.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dataset/equality_index.hpp"
#include "platform/dataset/field_ref.hpp"
#include "platform/dataset/field_variant.hpp"
#include "platform/dataset/filter_expression.hpp"
#include "platform/dataset/index_order.hpp"
#include "platform/dataset/live_positions.hpp"
#include "platform/dataset/packet.hpp"
#include "platform/dataset/row_table.hpp"
#include "platform/format/format_settings.hpp"

namespace tov::dataset {

struct LocateOptions {
    bool case_insensitive = false;
    bool partial_key = false;  // text fields: a value that starts with the key matches
};

class ClientDataSet {
public:
    explicit ClientDataSet(format::FormatSettings settings = {});

    const format::FormatSettings& FormatSettings() const { return settings_; }
    void SetFormatSettings(const format::FormatSettings& settings);

    // Assigning data opens the dataset on its first row (filter and index applied). Data that
    // cannot be read leaves the dataset closed (tov::PacketError, tov::FileError).
    void SetData(const Packet& packet);
    void SetData(Packet&& packet);
    void SetData(std::string_view packet_bytes);  // binary or XML
    void LoadFromFile(const std::filesystem::path& path);
    // The current rows in stored order: deleted rows gone, no change log, filter and index not
    // applied.
    Packet Data() const;
    void Close();
    bool Active() const { return active_; }

    void First();
    void Next();
    bool Eof() const;
    bool IsEmpty() const;
    int RecordCount() const;
    int RecNo() const;
    void SetRecNo(int record_number);

    const std::string& Filter() const { return filter_text_; }
    void SetFilter(std::string filter);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);
    const FilterOptions& GetFilterOptions() const { return filter_options_; }
    void SetFilterOptions(const FilterOptions& options);

    void AddIndex(std::string name, std::string fields, IndexOptions options = {});
    const std::vector<IndexDef>& IndexDefs() const { return index_defs_; }
    void ClearIndexDefs();  // also returns to stored order
    const std::string& IndexName() const { return index_name_; }
    void SetIndexName(std::string name);  // "" returns to stored order

    // Moves to the first row of the view whose field equals value and returns true; returns
    // false and leaves the cursor where it was when no row matches.
    bool Locate(std::string_view field, const Variant& value, LocateOptions options = {});
    bool Locate(std::string_view field, std::string_view text, LocateOptions options = {});
    bool Locate(std::string_view field, const char* text, LocateOptions options = {});

    // Deletes the current row of the view (tov::DatasetError when the view is empty).
    void Delete();

    const std::vector<Field>& Fields() const { return packet_.fields; }
    FieldRef FieldByName(std::string_view name) const;  // tov::FieldNotFound
    std::optional<FieldRef> FindField(std::string_view name) const;

    // For FieldRef: the current row's value of a field, nothing when the view has no row.
    std::optional<Value> CurrentValue(int field_number) const;
    // Grows whenever the dataset gets other fields (new data, closing).
    uint64_t Generation() const { return generation_; }

private:
    struct CachedIndex {
        std::vector<EqualityIndex::KeyField> fields;
        bool case_insensitive = false;
        std::optional<EqualityIndex> index;  // nothing when the index could not be built
    };

    void require_active(const char* operation) const;
    void open(const Packet& packet, RowTable rows);
    std::optional<CompiledFilter> bind_filter(const std::string& text, bool filtered,
                                              const FilterOptions& options) const;
    void apply_filter(std::optional<CompiledFilter> filter);
    void order_rows();  // order_ and order_rank_ from the current index; unchanged on failure
    void rebuild_view();
    void drop_deleted_from_order();
    bool select_by_index(const CompiledFilter& filter);
    const EqualityIndex* equality_index(const std::vector<EqualityIndex::KeyField>& fields,
                                        bool case_insensitive);
    void rebuild_order_keeping_row();
    uint32_t row_at(size_t position) const {
        return view_is_order_ ? order_[position] : view_[position];
    }
    std::optional<uint32_t> current_row() const;
    const IndexDef* find_index(std::string_view name) const;

    format::FormatSettings settings_;
    bool active_ = false;
    uint64_t generation_ = 0;

    Packet packet_;                 // fields and parameters; rows live in rows_
    RowTable rows_;                 // current rows in stored order
    std::vector<uint8_t> deleted_;  // tombstones of rows_
    size_t deleted_in_order_ = 0;   // deleted rows order_ still lists
    std::vector<uint32_t> order_;   // live rows in index order
    std::vector<uint32_t>
        order_rank_;              // position of each stored row in order_; empty in stored order
    std::vector<uint32_t> view_;  // rows of order_ that pass the filter, when there is one
    bool view_is_order_ = true;   // without a filter the view is order_ itself
    LivePositions live_;          // positions of the view not deleted since it was built
    size_t cursor_ = 0;           // position in the view
    bool eof_ = true;
    std::vector<CachedIndex> equality_indexes_;

    std::string filter_text_;
    bool filtered_ = false;
    FilterOptions filter_options_;
    std::optional<CompiledFilter> filter_;

    std::vector<IndexDef> index_defs_;
    std::string index_name_;
};

}  // namespace tov::dataset
