#include <algorithm>
#include <random>

#include "Comparators.h"
#include "DisplayTestSupport.h"
#include "PrimalColumnCursor.h"
#include "PrimalColumnMap.h"

namespace {

using displaytest::Lines;

struct LookupCase {
    const char* what;
    Lines records;
    Lines asked;  // in this order to the cursor, as the model's columns to the map
    bool sorted = true;
    Lines addedAfterSorting = {};
};

// The cursor and the column map must find for every name the very record (the first of its
// name) that the binary search of the lists finds, and nothing in a list never sorted; the
// map made in two halves side by side as well.
void expectSameAsLookups(const LookupCase& c) {
    SCOPED_TRACE(c.what);
    PrimalLists primal;
    float activity = 1.0f;
    for (const std::string& name : c.records) primal.AddPrimalColumn({name, activity++, 0, 0, 3});
    if (c.sorted) primal.SortPrimalLists();
    for (const std::string& name : c.addedAfterSorting)
        primal.AddPrimalColumn({name, activity++, 0, 0, 3});
    MatrixModel model;
    for (const std::string& name : c.asked) model.columns.emplace(model.names.store(name));
    PrimalColumnCursor cursor(primal);
    const PrimalColumnMap map(model, primal);
    const PrimalColumnMap byHalves(model, primal, 2);
    ASSERT_TRUE(map.answersFor(primal));
    for (std::size_t i = 0; i < c.asked.size(); ++i) {
        const CPrimalCol* expected = c.sorted ? primal.FindPrimalColumn(c.asked[i]) : nullptr;
        EXPECT_EQ(cursor.find(c.asked[i]), expected) << c.asked[i];
        EXPECT_EQ(map.recordOf(i, primal), expected) << c.asked[i];
        EXPECT_EQ(byHalves.recordOf(i, primal), expected) << c.asked[i] << " by halves";
        const float* activity = byHalves.activityOf(i);
        EXPECT_EQ(activity ? *activity : -1.0f, expected ? expected->Activity : -1.0f);
    }
}

TEST(PrimalColumnLookupTest, FindsWhatTheListLookupFindsAndTheMapKnowsItsRecords) {
    const LookupCase cases[] = {
        {"gaps, misses on either side, duplicates",
         {"B", "D", "D", "F", "H", "x1", "x10", "x2"},
         {"A", "B", "C", "D", "D", "E", "H", "I", "x10", "x2", "y"}},
        {"names out of order",
         {"B", "D", "F", "H"},
         {"H", "B", "F", "A", "D", "D", "C", "H", "B", "zz"}},
        // [B, A] with the comparator of a sorted list: the lookup's binary search misses B,
        // which walking the list in order would find.
        {"a record added after sorting", {"B"}, {"A", "B", "C"}, true, {"A"}},
        {"no records", {}, {"A", "B"}},
        {"never sorted", {"F", "B", "D"}, {"B", "D"}, false},
    };
    for (const LookupCase& c : cases) expectSameAsLookups(c);

    std::mt19937 random(7);
    LookupCase large{"large lists with missing names", {}, {}};
    for (int i = 0; i < 5000; ++i) {
        const std::string name = std::string("C").append(std::to_string(random() % 20000));
        if (random() % 3 != 0) large.records.push_back(name);  // a third only asked for
        if (random() % 4 != 0) large.asked.push_back(name);    // a quarter only in the list
    }
    std::sort(large.asked.begin(), large.asked.end());
    expectSameAsLookups(large);
    // The map tells whether it still answers for the records.
    MatrixModel model;
    for (const char* name : {"A", "B"}) model.columns.emplace(model.names.store(name));
    model.columns.sort(CompareCols);
    PrimalLists primal;
    primal.AddPrimalColumn({"A", 1.0f, 0, 0, 3});
    primal.SortPrimalLists();
    PrimalColumnMap map(model, primal);
    EXPECT_TRUE(map.answersFor(primal));
    const PrimalLists copy = primal;
    EXPECT_FALSE(map.answersFor(copy));  // other records, even when equal
    EXPECT_FALSE(PrimalColumnMap().answersFor(primal));

    primal.AddPrimalColumn({"B", 2.0f, 0, 0, 3});
    EXPECT_FALSE(map.answersFor(primal));
    map = PrimalColumnMap(model, primal);
    primal.SortPrimalLists();
    EXPECT_FALSE(map.answersFor(primal));
    map = PrimalColumnMap(model, primal);
    primal.ClearPrimalColumns();
    EXPECT_FALSE(map.answersFor(primal));
}

}  // namespace
