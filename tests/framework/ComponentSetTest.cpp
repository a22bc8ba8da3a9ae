// The component set against a plain list of the same items, through long
// runs of random additions and removals: small sets that are only scanned,
// sets that outgrow the scan and get an index, and sets with many holes.
#include "framework/ComponentSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace quill {
namespace {

TEST(ComponentSet, KeepsAddingOrderAndMembershipAsAPlainListWould) {
    struct Case {
        int pool;       // distinct items in play
        int addWeight;  // out of 10 steps; the rest remove
    } cases[] = {{3, 5}, {8, 6}, {9, 7}, {40, 7}, {200, 6}, {200, 3}};
    // Never dereferenced: the set only keeps the addresses.
    std::vector<char> storage(256);
    for (const Case& c : cases) {
        SCOPED_TRACE("pool " + std::to_string(c.pool) + ", adds " + std::to_string(c.addWeight));
        std::mt19937 random(static_cast<unsigned>(c.pool * 31 + c.addWeight));
        TComponentSet set;
        std::vector<TComponent*> model;
        for (int step = 0; step < 5000; ++step) {
            auto* item = reinterpret_cast<TComponent*>(&storage[random() % static_cast<unsigned>(c.pool)]);
            auto at = std::find(model.begin(), model.end(), item);
            int kind = static_cast<int>(random() % 10);
            if (kind < c.addWeight) {
                ASSERT_EQ(set.Add(item), at == model.end());
                if (at == model.end()) model.push_back(item);
            } else if (kind == 9 && !model.empty()) {
                ASSERT_EQ(set.TakeLast(), model.back());
                model.pop_back();
            } else {
                set.Remove(item);
                if (at != model.end()) model.erase(at);
            }
            ASSERT_EQ(set.Contains(item), std::find(model.begin(), model.end(), item) != model.end());
            ASSERT_EQ(set.Empty(), model.empty());
            if (step % 97 == 0) {
                ASSERT_EQ(set.Items(), model);
            }
        }
        EXPECT_EQ(set.Items(), model);
        EXPECT_FALSE(set.Contains(nullptr));
        set.Clear();
        EXPECT_TRUE(set.Empty());
        EXPECT_TRUE(set.Items().empty());
    }
}

}  // namespace
}  // namespace quill
