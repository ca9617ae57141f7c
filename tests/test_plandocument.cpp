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
    for (const auto& entry : map)
        order.push_back(entry.first);
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
    shared.erase(0);
    EXPECT_EQ((std::vector<long>{0, 193, 1}), Order(shared, {0, 1}));
}

TEST(PlanEventMap, GrowsTo389BucketsAtTheHundredAndSixtyFifthEntryRelinkingEachChainInReverse)
{
    // 75077 = 193 * 389 shares bucket 0 with key 0 before and after the growth; 193 only before.
    PlanEventMap map;
    std::vector<long> expected = {0, 75077, 193};
    for (long key = 1; key <= 161; ++key)
        expected.push_back(key);
    Order(map, expected);
    EXPECT_EQ(193u, map.GetBucketCount());
    // Old bucket 0 is re-linked head first, each entry to the head of its new bucket.
    expected = {0, 75077};
    for (long key = 1; key <= 162; ++key)
        expected.push_back(key);
    expected.push_back(193);
    EXPECT_EQ(expected, Order(map, {162}));
    EXPECT_EQ(389u, map.GetBucketCount());
    EXPECT_EQ(389, Order(map, {389}).front());
}

// The file's year count and missing last year, the page count and every page's year read the
// year fields through this one rule.
TEST(PlanYear, ReadsLeadingDigitsAfterBlanksAndSignHeldToTheYearLimit)
{
    const struct { wxString text; int year; } cases[] = {
        {"2015", 2015}, {"", 0}, {"x2015", 0}, {"-", 0}, {"+-5", 0}, {"- 5", 0},
        {" \t\n\v\f\r2015", 2015}, {"\n-44", -44}, {"+7", 7}, {"-0012", -12},
        {"2015 to 2017", 2015}, {wxString::FromUTF8("20\xc3\xa9xx"), 20},
        {wxString::FromUTF8("\xef\xbc\x92" "015"), 0},
        {wxString("20\0" "15", 5), 20}, {"1000000", 1000000}, {"1000001", 1000000},
        {"-99999999999999999999999", -1000000}, {"00000000000000000000000042", 42}};
    for (const auto& c : cases)
        EXPECT_EQ(c.year, ReadPlanYear(c.text)) << c.text;
}
