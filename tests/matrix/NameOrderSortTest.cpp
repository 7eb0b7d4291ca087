#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Comparators.h"
#include "MatrixModelOps.h"
#include "NameOrderSort.h"

namespace {

// Names that the eight-byte prefix cannot tell apart alone: shared prefixes with different
// tails, names of exactly eight bytes, shorter names, bytes above 0x7F, an empty name, repeats.
std::vector<std::string> awkwardNames() {
    std::vector<std::string> names = {
        "",           "A",         "a",        "R0000001",     "R00000010", "R0000001A",
        "R0000001a",  "R0000001",  "R000000",  "R0000001\x80", "\xE9t\xE9", "\xE9",
        "Zzzzzzzzzz", "Zzzzzzzzz", "Zzzzzzzz", "COL 1",        "COL 10",    "COL 2",
        "X",          "X",         "zeta"};
    std::mt19937 random(20240611);
    for (int i = 0; i < 2000; ++i) {
        std::string name = "LONGPREF";  // equal first eight bytes: only the tail decides
        for (int k = static_cast<int>(random() % 4); k > 0; --k)
            name += static_cast<char>('0' + random() % 3);
        names.push_back(name);
        names.push_back(std::string(1 + random() % 9, static_cast<char>('A' + random() % 3)));
        // Several eight-byte steps alike, as in PRO_CR_PLANT_0001_PERIOD_12.
        std::string deep = "PRO_CR_PLANT_00";
        deep += static_cast<char>('0' + random() % 4);
        for (int k = static_cast<int>(random() % 12); k > 0; --k)
            deep += static_cast<char>('0' + random() % 2);
        names.push_back(deep);
    }
    std::shuffle(names.begin(), names.end(), random);
    return names;
}

TEST(NameOrderSortTest, MatchesTheComparatorOrderGroupsFirst) {
    const std::vector<std::string> names = awkwardNames();
    CSortableTypedPtrArray<CRowValue> values;
    for (std::size_t i = 0; i < names.size(); ++i)
        values.emplace(names[i].c_str(), static_cast<float>(i));

    sortByName(values, [](const CRowValue&) { return 0u; });

    ASSERT_EQ(values.size(), names.size());
    for (std::size_t i = 1; i < values.size(); ++i)
        ASSERT_LE(CompareRowValues(values[i - 1], values[i]), 0) << "at " << i;
    // Every record is still there once: values are the original positions.
    std::vector<bool> seen(names.size(), false);
    for (const CRowValue& value : values) seen[static_cast<std::size_t>(value.value())] = true;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0);
    // Equal names keep the order they came in.
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (CompareRowValues(values[i - 1], values[i]) == 0) {
            ASSERT_LT(values[i - 1].value(), values[i].value()) << values[i].name();
        }
    }

    // Groups come before names.
    CSortableTypedPtrArray<CBound> bounds;
    for (std::size_t i = 0; i < names.size(); ++i)
        bounds.emplace(names[i].c_str(), 0.0f, static_cast<std::int32_t>(4 - i % 4));

    sortByName(bounds,
               [](const CBound& bound) { return static_cast<std::uint32_t>(bound.kind()); });

    for (std::size_t i = 1; i < bounds.size(); ++i)
        ASSERT_LE(CompareBounds(bounds[i - 1], bounds[i]), 0) << "at " << i;
    bounds.sort(CompareBounds);  // already in order: keeps the comparator for lookups
    const CBound* first = bounds.find(CBound(names[0].c_str(), 0.0f, 4));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->name(), names[0]);
}

// Columns made in load order (empty ones side by side among them) keep that order known; a
// comparator is adopted only by an array already in its order, and adopting moves nothing.
TEST(MatrixModelOpsTest, RecordsWhereEachLoadedColumnWentAndAdoptsOnlyAnOrderHeld) {
    for (const std::vector<const char*>& loaded :
         {std::vector<const char*>{"d", "b", "c", "a"}, {"a", "b", "c"}}) {
        MatrixModel model;
        for (const char* name : loaded) model.columns.emplace(name, 0, 0);
        SortMatrixModel(model);
        ASSERT_EQ(model.columnLoadOrder.size(), loaded.size());
        for (std::size_t k = 0; k < loaded.size(); ++k)
            EXPECT_EQ(model.columns[model.columnLoadOrder[k]].name(), loaded[k]);
    }
    CSortableTypedPtrArray<CRowValue> values;
    values.emplace("b", 1.0f);
    values.emplace("a", 2.0f);
    EXPECT_FALSE(values.adoptIfSorted(CompareRowValues));
    EXPECT_EQ(values.comparator(), nullptr);
    EXPECT_EQ(values[0].name(), "b");
    values.sort(CompareRowValues);
    EXPECT_TRUE(values.adoptIfSorted(CompareRowValues));
    EXPECT_EQ(values.comparator(), CompareRowValues);
}

}  // namespace
