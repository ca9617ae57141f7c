#include "document/plandocument.h"
#include "document/planevent.h"

#include <wx/datetime.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<long> IterationOrder(const PlanEventMap& map)
{
    std::vector<long> keys;
    for (PlanEventMap::const_iterator it = map.begin(); it != map.end(); ++it)
        keys.push_back(it->first);
    return keys;
}

void InsertKeys(PlanEventMap& map, const std::vector<long>& keys)
{
    for (long key : keys)
        map[key] = nullptr;
}

} // namespace

TEST(PlanDocument, NewPlanHasTheDefaults)
{
    PlanDocument doc;
    const wxString thisYear = wxString::Format("%d", wxDateTime::Now().GetYear());
    EXPECT_EQ("Tovendal", doc.m_title);
    EXPECT_EQ(thisYear, doc.m_year);
    EXPECT_EQ(thisYear, doc.m_yearEnd);
    EXPECT_EQ(0, doc.m_startMonth);
    EXPECT_EQ(0, doc.m_firstDayOfWeek);
    EXPECT_EQ(1, doc.m_noOfYears);
    EXPECT_TRUE(doc.m_incUKbankhols);
    EXPECT_FALSE(doc.m_daysAcross);
    EXPECT_TRUE(doc.m_comments.empty());
    EXPECT_TRUE(doc.m_events.empty());
    EXPECT_EQ(0, doc.m_nextEventId);
    EXPECT_EQ(193u, doc.m_events.GetBucketCount());
    EXPECT_FALSE(doc.IsModified());

    EXPECT_EQ(doc.m_startMonth, doc.m_savedStartMonth);
    EXPECT_EQ(doc.m_firstDayOfWeek, doc.m_savedFirstDayOfWeek);
    EXPECT_EQ(doc.m_incUKbankhols, doc.m_savedIncUKbankhols);
    EXPECT_EQ(doc.m_daysAcross, doc.m_savedDaysAcross);
}

TEST(PlanEvent, CopyCarriesEndDateAndFirstDayOnlyOnlyWithAnEndDate)
{
    PlanEvent source;
    source.m_text = "Holiday \u00e9t\u00e9";
    source.m_colour = "RED";
    source.m_textColour = "WHITE";
    source.m_date = wxDateTime(10, wxDateTime::Jan, 2015);
    source.m_toDate = wxDateTime(14, wxDateTime::Jan, 2015);
    source.m_annual = true;
    source.m_hasToDate = true;
    source.m_firstDayOnly = true;

    PlanEvent copy(source);
    EXPECT_EQ(source.m_text, copy.m_text);
    EXPECT_EQ("RED", copy.GetColour());
    EXPECT_EQ("WHITE", copy.GetTextColour());
    EXPECT_EQ(source.m_date, copy.m_date);
    EXPECT_EQ(source.m_toDate, copy.m_toDate);
    EXPECT_TRUE(copy.m_annual);
    EXPECT_TRUE(copy.m_hasToDate);
    EXPECT_TRUE(copy.IsFirstDayOnly());

    // A stale end date behind a cleared flag does not travel.
    source.m_hasToDate = false;
    EXPECT_FALSE(source.IsFirstDayOnly());
    PlanEvent single(source);
    EXPECT_FALSE(single.m_toDate.IsValid());
    EXPECT_FALSE(single.m_hasToDate);
    EXPECT_FALSE(single.m_firstDayOnly);
    EXPECT_FALSE(single.IsFirstDayOnly());
}

TEST(PlanDocument, KeysAreNeverReusedAfterAnErase)
{
    PlanDocument doc;
    for (int i = 0; i < 3; ++i)
        doc.m_events[doc.m_nextEventId++] = new PlanEvent;
    delete doc.m_events[1];
    doc.m_events.erase(1);
    doc.m_events[doc.m_nextEventId++] = new PlanEvent;
    EXPECT_EQ((std::vector<long>{0, 2, 3}), IterationOrder(doc.m_events));
    EXPECT_EQ(4, doc.m_nextEventId);
}

// The order in which the map visits its records is what the events list, the
// grid and the saved file see, so it is pinned down exactly here.
TEST(PlanEventMap, SmallKeysIterateInAscendingOrder)
{
    PlanEventMap map;
    InsertKeys(map, {7, 3, 9, 0, 5, 1, 8, 2, 6, 4});
    EXPECT_EQ((std::vector<long>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), IterationOrder(map));
}

TEST(PlanEventMap, SharedBucketVisitsTheLaterKeyFirst)
{
    PlanEventMap first;
    InsertKeys(first, {0, 193});
    EXPECT_EQ((std::vector<long>{193, 0}), IterationOrder(first));

    PlanEventMap second;
    InsertKeys(second, {193, 0, 1});
    EXPECT_EQ((std::vector<long>{0, 193, 1}), IterationOrder(second));
}

TEST(PlanEventMap, EraseUnlinksWithoutReordering)
{
    PlanEventMap map;
    InsertKeys(map, {0, 193, 386, 5});
    EXPECT_EQ((std::vector<long>{386, 193, 0, 5}), IterationOrder(map));
    map.erase(193);
    EXPECT_EQ((std::vector<long>{386, 0, 5}), IterationOrder(map));
    PlanEventMap::iterator it = map.find(386);
    ASSERT_TRUE(it != map.end());
    map.erase(it);
    EXPECT_EQ((std::vector<long>{0, 5}), IterationOrder(map));
    EXPECT_EQ(193u, map.GetBucketCount());
}

TEST(PlanEventMap, GrowsTo389BucketsAtTheHundredAndSixtyFifthEntry)
{
    PlanEventMap map;
    for (long key = 0; key < 164; ++key)
        map[key] = nullptr;
    EXPECT_EQ(193u, map.GetBucketCount());
    map[164] = nullptr; // 165 / 193 reaches 0.85
    EXPECT_EQ(389u, map.GetBucketCount());

    // Erasing never shrinks the table again.
    for (long key = 0; key < 160; ++key)
        map.erase(key);
    EXPECT_EQ(389u, map.GetBucketCount());
}

TEST(PlanEventMap, GrowthRelinksEachChainInReverse)
{
    // 75077 = 193 * 389 shares bucket 0 with key 0 before and after the growth;
    // 193 shares it only before.
    PlanEventMap map;
    InsertKeys(map, {0, 75077, 193});
    EXPECT_EQ((std::vector<long>{193, 75077, 0}), IterationOrder(map));

    for (long key = 1; key <= 162; ++key)
        map[key] = nullptr;
    ASSERT_EQ(389u, map.GetBucketCount());

    // Old bucket 0 is re-linked head first, each entry to the head of its new bucket.
    std::vector<long> expected = {0, 75077};
    for (long key = 1; key <= 162; ++key)
        expected.push_back(key);
    expected.push_back(193);
    EXPECT_EQ(expected, IterationOrder(map));

    // After the growth a new key is again linked at the head of its bucket.
    map[389] = nullptr;
    EXPECT_EQ(389, IterationOrder(map).front());
}
