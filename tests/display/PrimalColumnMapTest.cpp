#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Comparators.h"
#include "PrimalColumnMap.h"

namespace {

// A model of named columns without coefficients, in the order given; sorted when asked.
class PrimalColumnMapTest : public ::testing::Test {
protected:
    void addColumns(const std::vector<std::string>& names, bool sorted) {
        for (const std::string& name : names) model.columns.emplace(model.names.store(name));
        if (sorted) model.columns.sort(CompareCols);
    }
    void addRecords(const std::vector<std::string>& names) {
        float activity = static_cast<float>(primal.columns.size()) + 1.0f;
        for (const std::string& name : names) primal.AddPrimalColumn({name, activity++, 0, 0, 3});
    }
    // Every column must get the very record the lookup finds for its name.
    void expectSameAsLookups() {
        const PrimalColumnMap map(model, primal);
        ASSERT_TRUE(map.answersFor(primal));
        for (std::size_t c = 0; c < model.columns.size(); ++c)
            EXPECT_EQ(map.recordOf(c, primal), primal.FindPrimalColumn(model.columns[c].name()))
                << model.columns[c].name();
    }

    MatrixModel model;
    PrimalLists primal;
};

TEST_F(PrimalColumnMapTest, FindsTheFirstRecordOfEachColumnWithGapsAndDuplicates) {
    // Columns before, between and after the records, a duplicate column name, and
    // duplicate records of D.
    addColumns({"A", "B", "C", "D", "D", "E", "H", "I", "x10", "x2", "y"}, true);
    addRecords({"B", "D", "D", "F", "H", "x1", "x10", "x2"});
    primal.SortPrimalLists();
    expectSameAsLookups();
    const PrimalColumnMap map(model, primal);
    ASSERT_NE(map.recordOf(3, primal), nullptr);
    EXPECT_EQ(map.recordOf(3, primal), map.recordOf(4, primal));
    EXPECT_EQ(map.recordOf(3, primal)->Activity, 2.0f);  // the first D, as the lookup finds it
}

TEST_F(PrimalColumnMapTest, ColumnsOutOfNameOrderFindTheirRecords) {
    addColumns({"H", "B", "F", "A", "D", "D", "C", "H", "B", "zz"}, false);
    addRecords({"F", "B", "D", "H"});
    primal.SortPrimalLists();
    expectSameAsLookups();
}

TEST_F(PrimalColumnMapTest, ARecordAddedAfterSortingAnswersAsTheLookup) {
    // The list is [B, A] with the comparator of a sorted list: the lookup's binary search
    // misses B, which walking the list in order would find.
    addColumns({"A", "B"}, true);
    addRecords({"B"});
    primal.SortPrimalLists();
    addRecords({"A"});
    ASSERT_EQ(primal.FindPrimalColumn("B"), nullptr);
    expectSameAsLookups();
}

TEST_F(PrimalColumnMapTest, ListsEmptyOrNeverSortedFindNothing) {
    addColumns({"A", "B"}, true);
    expectSameAsLookups();
    addRecords({"B", "A"});
    const PrimalColumnMap map(model, primal);
    EXPECT_EQ(map.recordOf(0, primal), nullptr);
    EXPECT_EQ(map.recordOf(1, primal), nullptr);
}

TEST_F(PrimalColumnMapTest, AgreesWithLookupsOnLargeListsWithMissingNames) {
    std::mt19937 random(5);
    std::vector<std::string> columns, records;
    for (int i = 0; i < 4000; ++i) {
        const std::string name = std::string("C").append(std::to_string(random() % 12000));
        if (random() % 3 != 0) records.push_back(name);  // a third only columns
        if (random() % 4 != 0) columns.push_back(name);  // a quarter only records
    }
    addColumns(columns, true);
    addRecords(records);
    primal.SortPrimalLists();
    expectSameAsLookups();
}

TEST_F(PrimalColumnMapTest, TellsWhetherItStillAnswersForTheRecords) {
    addColumns({"A", "B"}, true);
    addRecords({"A"});
    primal.SortPrimalLists();
    PrimalColumnMap map(model, primal);
    EXPECT_TRUE(map.answersFor(primal));
    const PrimalLists copy = primal;
    EXPECT_FALSE(map.answersFor(copy));  // other records, even when equal
    EXPECT_FALSE(PrimalColumnMap().answersFor(primal));

    addRecords({"B"});
    EXPECT_FALSE(map.answersFor(primal));
    map = PrimalColumnMap(model, primal);
    primal.SortPrimalLists();
    EXPECT_FALSE(map.answersFor(primal));
    map = PrimalColumnMap(model, primal);
    primal.ClearPrimalColumns();
    EXPECT_FALSE(map.answersFor(primal));
}

}  // namespace
