#include <gtest/gtest.h>

#include <vector>

#include "Comparators.h"
#include "MatrixModelOps.h"

namespace {

// Columns made in load order (empty ones side by side among them) keep that order known.
TEST(MatrixModelOpsTest, RecordsWhereEachLoadedColumnWent) {
    for (const std::vector<const char*>& loaded :
         {std::vector<const char*>{"d", "b", "c", "a"}, {"a", "b", "c"}}) {
        MatrixModel model;
        for (const char* name : loaded) model.columns.emplace(name, nullptr, 0, 0);
        SortMatrixModel(model);
        ASSERT_EQ(model.columnLoadOrder.size(), loaded.size());
        for (std::size_t k = 0; k < loaded.size(); ++k)
            EXPECT_EQ(model.columns[model.columnLoadOrder[k]].name(), loaded[k]);
    }
}

TEST(MatrixModelOpsTest, AdoptsAComparatorOnlyForAnArrayInItsOrder) {
    CSortableTypedPtrArray<CRowValue> values;
    values.emplace("b", 1.0f);
    values.emplace("a", 2.0f);
    EXPECT_FALSE(values.adoptIfSorted(CompareRowValues));
    EXPECT_EQ(values.comparator(), nullptr);  // no lookup over an unsorted array
    EXPECT_EQ(values[0].name(), "b");         // and nothing moved

    values.sort(CompareRowValues);
    EXPECT_TRUE(values.adoptIfSorted(CompareRowValues));
    EXPECT_EQ(values.comparator(), CompareRowValues);
}

}  // namespace
