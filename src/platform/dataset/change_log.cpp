#include "platform/dataset/change_log.hpp"

#include <string>

#include "platform/errors/errors.hpp"

namespace tov::dataset {

namespace {

constexpr std::size_t triple = 3;

[[noreturn]] void fail(const std::string& what) {
    throw PacketError("change log: " + what);
}

std::size_t row_number(int64_t value, std::size_t row_count, std::size_t entry) {
    if (value < 0 || static_cast<uint64_t>(value) > row_count) {
        fail("entry " + std::to_string(entry) + " names row " + std::to_string(value) + " of " +
             std::to_string(row_count));
    }
    return static_cast<std::size_t>(value);
}

std::vector<int64_t> log_numbers(const Param& log) {
    std::vector<int64_t> numbers;
    try {
        numbers = log.integers();
    } catch (const PacketError& error) {
        fail(error.what());
    }
    if (numbers.size() % triple != 0)
        fail(std::to_string(numbers.size()) + " numbers are not whole triples");
    return numbers;
}

}  // namespace

ChangeLog::ChangeLog(const Packet& packet) {
    const Param* log = packet.param("CHANGE_LOG");
    if (log == nullptr) return;
    link(log_numbers(*log), packet.rows.size());
    find_roots();
}

void ChangeLog::link(const std::vector<int64_t>& numbers, std::size_t row_count) {
    previous_.assign(row_count + 1, 0);
    for (std::size_t i = 0; i < numbers.size(); i += triple) {
        const std::size_t entry = i / triple + 1;
        const std::size_t row = row_number(numbers[i], row_count, entry);
        const std::size_t replaced = row_number(numbers[i + 1], row_count, entry);
        if (row == 0) fail("entry " + std::to_string(entry) + " names row 0");
        if (replaced == 0) continue;  // an insertion or the deletion of a record
        if (previous_[row] != 0 && previous_[row] != replaced) {
            fail("entry " + std::to_string(entry) + ": row " + std::to_string(row) +
                 " replaces both row " + std::to_string(previous_[row]) + " and row " +
                 std::to_string(replaced));
        }
        previous_[row] = static_cast<uint32_t>(replaced);
    }
}

// Each row's root, every row visited once: a walk back stops at a row already resolved, and
// meeting a row of the walk itself again is a cycle.
void ChangeLog::find_roots() {
    constexpr uint32_t unknown = 0;
    constexpr uint32_t walking = UINT32_MAX;
    roots_.assign(previous_.size(), unknown);
    std::vector<uint32_t> path;
    for (std::size_t start = 1; start < previous_.size(); ++start) {
        path.clear();
        std::size_t at = start;
        uint32_t root = unknown;
        while (root == unknown) {
            if (roots_[at] == walking)
                fail("the versions of row " + std::to_string(at) + " form a cycle");
            if (roots_[at] != unknown) {
                root = roots_[at];
                break;
            }
            roots_[at] = walking;
            path.push_back(static_cast<uint32_t>(at));
            if (previous_[at] == 0) root = static_cast<uint32_t>(at);
            at = previous_[at];
        }
        for (const uint32_t row : path) roots_[row] = root;
    }
}

void check_change_log(const Packet& packet) {
    ChangeLog{packet};
}

}  // namespace tov::dataset
