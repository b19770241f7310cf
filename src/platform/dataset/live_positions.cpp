#include "platform/dataset/live_positions.hpp"

namespace tov::dataset {

void LivePositions::reset(size_t count) {
    size_ = count;
    live_count_ = count;
    alive_.clear();
    tree_.clear();
}

void LivePositions::build_tree() {
    alive_.assign(size_, 1);
    tree_.assign(size_ + 1, 0);
    for (size_t i = 1; i <= size_; ++i) {
        tree_[i] += 1;
        const size_t parent = i + (i & (~i + 1));
        if (parent <= size_) tree_[parent] += tree_[i];
    }
    top_bit_ = 1;
    while (top_bit_ * 2 <= size_) top_bit_ *= 2;
}

void LivePositions::remove(size_t position) {
    if (!alive(position)) return;
    if (alive_.empty()) build_tree();
    alive_[position] = 0;
    --live_count_;
    for (size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) --tree_[i];
}

size_t LivePositions::rank(size_t position) const {
    const size_t end = position < size_ ? position : size_;
    if (alive_.empty()) return end;
    size_t sum = 0;
    for (size_t i = end; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
}

std::optional<size_t> LivePositions::nth(size_t n) const {
    if (n >= live_count_) return std::nullopt;
    if (alive_.empty()) return n;
    // Descend the tree: the largest prefix whose live count is <= n ends just before the answer.
    size_t position = 0;
    size_t remaining = n;
    for (size_t step = top_bit_; step > 0; step /= 2) {
        const size_t next = position + step;
        if (next < tree_.size() && tree_[next] <= remaining) {
            position = next;
            remaining -= tree_[next];
        }
    }
    return position;  // prefix [0, position) holds n live positions; position itself is live
}

std::optional<size_t> LivePositions::next_after(size_t position) const {
    if (alive(position + 1)) return position + 1;
    return nth(rank(position + 1));
}

std::optional<size_t> LivePositions::previous_before(size_t position) const {
    if (position == 0) return std::nullopt;
    if (alive(position - 1)) return position - 1;
    const size_t before = rank(position);
    if (before == 0) return std::nullopt;
    return nth(before - 1);
}

}  // namespace tov::dataset
