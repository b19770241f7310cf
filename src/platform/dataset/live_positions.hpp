#pragma once
// The positions of a dataset view that are still alive after deletes. Removing a position,
// counting the live positions before one and finding the n-th live one all take O(log n), so
// deleting every row of a view of n rows costs O(n log n) in all instead of O(n^2). A view that
// nothing was deleted from needs no tree: resetting costs nothing until the first removal, so a
// view rebuilt again and again (a filter set in a loop) is not charged for its size each time.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tov::dataset {

class LivePositions {
public:
    // count positions, all alive.
    void reset(size_t count);

    size_t size() const { return size_; }
    size_t live_count() const { return live_count_; }
    bool alive(size_t position) const {
        return position < size_ && (alive_.empty() || alive_[position] != 0);
    }

    // Marks a live position dead; a dead or unknown position is left alone.
    void remove(size_t position);

    // How many live positions come before position.
    size_t rank(size_t position) const;
    // The live position with rank n (0-based), if there are more than n.
    std::optional<size_t> nth(size_t n) const;

    std::optional<size_t> next_after(size_t position) const;
    std::optional<size_t> previous_before(size_t position) const;
    std::optional<size_t> first() const { return nth(0); }

private:
    void build_tree();

    size_t size_ = 0;
    std::vector<uint8_t> alive_;  // empty while nothing was removed
    std::vector<uint32_t> tree_;  // Fenwick tree of alive_, 1-based
    size_t live_count_ = 0;
    size_t top_bit_ = 0;  // highest power of two <= size
};

}  // namespace tov::dataset
