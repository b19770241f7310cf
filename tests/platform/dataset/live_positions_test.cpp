#include "platform/dataset/live_positions.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

namespace tov::dataset {
namespace {

// The same questions answered by scanning a plain vector of flags.
struct ScanModel {
    std::vector<bool> alive;

    size_t rank(size_t position) const {
        size_t count = 0;
        for (size_t i = 0; i < position && i < alive.size(); ++i) count += alive[i] ? 1 : 0;
        return count;
    }
    std::optional<size_t> nth(size_t n) const {
        for (size_t i = 0; i < alive.size(); ++i) {
            if (alive[i] && n-- == 0) return i;
        }
        return std::nullopt;
    }
    std::optional<size_t> next_after(size_t position) const {
        for (size_t i = position + 1; i < alive.size(); ++i) {
            if (alive[i]) return i;
        }
        return std::nullopt;
    }
    std::optional<size_t> previous_before(size_t position) const {
        for (size_t i = position; i-- > 0;) {
            if (alive[i]) return i;
        }
        return std::nullopt;
    }
};

TEST(LivePositions, AgreesWithAScanUnderRandomRemovals) {
    std::mt19937 random(7);
    for (const size_t size : {0U, 1U, 2U, 3U, 17U, 64U, 100U, 257U}) {
        LivePositions positions;
        positions.reset(size);
        ScanModel model{std::vector<bool>(size, true)};
        for (size_t step = 0; step <= size; ++step) {
            for (size_t p = 0; p <= size; ++p) {
                ASSERT_EQ(positions.rank(p), model.rank(p)) << size << " " << p;
                ASSERT_EQ(positions.nth(p), model.nth(p)) << size << " " << p;
                ASSERT_EQ(positions.next_after(p), model.next_after(p)) << size << " " << p;
                ASSERT_EQ(positions.previous_before(p), model.previous_before(p))
                    << size << " " << p;
            }
            if (size == 0) break;
            const size_t victim = random() % size;
            positions.remove(victim);
            model.alive[victim] = false;
            ASSERT_EQ(positions.live_count(), model.rank(size));
        }
    }
}

TEST(LivePositions, RemovingTwiceCountsOnce) {
    LivePositions positions;
    positions.reset(3);
    positions.remove(1);
    positions.remove(1);
    positions.remove(9);
    EXPECT_EQ(positions.live_count(), 2U);
    EXPECT_EQ(positions.nth(1), std::optional<size_t>(2));
}

}  // namespace
}  // namespace tov::dataset
