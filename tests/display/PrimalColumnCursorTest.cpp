#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "PrimalColumnCursor.h"

namespace {

PrimalLists listOf(const std::vector<std::string>& names, bool sorted = true) {
    PrimalLists primal;
    float activity = 1.0f;
    for (const std::string& name : names) primal.AddPrimalColumn({name, activity++, 0, 0, 3});
    if (sorted) primal.SortPrimalLists();
    return primal;
}

// Every name must find the very record (first of its name) that the binary search finds.
void expectSameAsLookups(const PrimalLists& primal, const std::vector<std::string>& asked) {
    PrimalColumnCursor cursor(primal);
    for (const std::string& name : asked)
        EXPECT_EQ(cursor.find(name), primal.FindPrimalColumn(name)) << name;
}

TEST(PrimalColumnCursorTest, FindsAscendingNamesWithGapsAndMissesOnEitherSide) {
    const PrimalLists primal = listOf({"B", "D", "D", "F", "H", "x1", "x10", "x2"});
    // Names before, between and after the records, a repeated pair, and the duplicate D.
    expectSameAsLookups(primal, {"A", "B", "C", "D", "D", "E", "H", "I", "x10", "x2", "y"});
    PrimalColumnCursor cursor(primal);
    ASSERT_NE(cursor.find("D"), nullptr);
    EXPECT_EQ(cursor.find("D")->Activity, 2.0f);  // the first D, as the lookup finds it
    EXPECT_EQ(cursor.find("zz"), nullptr);
}

TEST(PrimalColumnCursorTest, NamesOutOfOrderStillFindTheirRecords) {
    const PrimalLists primal = listOf({"B", "D", "F", "H"});
    expectSameAsLookups(primal, {"H", "B", "F", "A", "D", "D", "C", "H", "B"});
}

TEST(PrimalColumnCursorTest, ListsNotSortedOrEmptyAnswerAsTheLookup) {
    const PrimalLists unsorted = listOf({"F", "B", "D"}, false);
    PrimalColumnCursor cursor(unsorted);
    EXPECT_EQ(cursor.find("B"), nullptr);  // a list never sorted finds nothing
    expectSameAsLookups(listOf({}), {"A", "B"});
}

TEST(PrimalColumnCursorTest, ARecordAddedAfterSortingAnswersAsTheLookup) {
    // [B, A] with the comparator of a sorted list: the lookup's binary search misses B,
    // which a cursor walking the list in order would find.
    PrimalLists primal = listOf({"B"});
    primal.AddPrimalColumn({"A", 2.0f, 0, 0, 3});
    ASSERT_EQ(primal.FindPrimalColumn("B"), nullptr);
    expectSameAsLookups(primal, {"A", "B", "C"});
}

TEST(PrimalColumnCursorTest, AgreesWithLookupsOnLargeListsWithMissingNames) {
    std::mt19937 random(7);
    std::vector<std::string> records, asked;
    for (int i = 0; i < 5000; ++i) {
        const std::string name = std::string("C").append(std::to_string(random() % 20000));
        if (random() % 3 != 0) records.push_back(name);  // a third only asked for
        if (random() % 4 != 0) asked.push_back(name);    // a quarter only in the list
    }
    std::sort(asked.begin(), asked.end());
    expectSameAsLookups(listOf(records), asked);
}

}  // namespace
