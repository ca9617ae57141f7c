#include "document/plandocument.h"
#include "document/planevent.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

/// Inserts the keys into the map and returns the order in which it visits all its keys.
std::vector<long> Order(PlanEventMap& map, const std::vector<long>& keys)
{
    for (long key : keys)
        map[key] = nullptr;
    std::vector<long> order;
    for (PlanEventMap::const_iterator it = map.begin(); it != map.end(); ++it)
        order.push_back(it->first);
    return order;
}

} // namespace

// The map's order is what the events list, the grid and the saved file see.
TEST(PlanEventMap, VisitsKeysInTheToolkitMapsOrder)
{
    PlanEventMap small;
    EXPECT_EQ((std::vector<long>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), Order(small, {7, 3, 9, 0, 5, 1, 8, 2, 6, 4}));
    PlanEventMap shared;
    EXPECT_EQ((std::vector<long>{193, 0}), Order(shared, {0, 193}));
    EXPECT_EQ((std::vector<long>{386, 193, 0, 1}), Order(shared, {1, 386}));
    shared.erase(193);
    EXPECT_EQ((std::vector<long>{386, 0, 1}), Order(shared, {}));
}

TEST(PlanEventMap, GrowsTo389BucketsAtTheHundredAndSixtyFifthEntryRelinkingEachChainInReverse)
{
    // 75077 = 193 * 389 shares bucket 0 with key 0 before and after the growth; 193 only before.
    PlanEventMap map;
    std::vector<long> keys = {0, 75077, 193};
    for (long key = 1; key <= 161; ++key)
        keys.push_back(key);
    Order(map, keys);
    EXPECT_EQ(193u, map.GetBucketCount());
    std::vector<long> expected = {0, 75077};
    for (long key = 1; key <= 162; ++key)
        expected.push_back(key);
    expected.push_back(193);
    // Old bucket 0 is re-linked head first, each entry to the head of its new bucket.
    EXPECT_EQ(expected, Order(map, {162}));
    EXPECT_EQ(389u, map.GetBucketCount());
    EXPECT_EQ(389, Order(map, {389}).front());
    for (long key = 0; key < 160; ++key)
        map.erase(key);
    EXPECT_EQ(389u, map.GetBucketCount()) << "erasing never shrinks the table";
}

TEST(PlanEvent, CopyLeavesAStaleEndDateBehind)
{
    PlanEvent source;
    source.m_toDate = wxDateTime(14, wxDateTime::Jan, 2015);
    source.m_firstDayOnly = true;
    PlanEvent copy(source);
    EXPECT_FALSE(copy.m_toDate.IsValid());
    EXPECT_FALSE(copy.IsFirstDayOnly());
}
