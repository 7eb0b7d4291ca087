#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Comparators.h"
#include "MatrixModelOps.h"

namespace {

std::vector<std::string> namesOf(const CSortableTypedPtrArray<CRow>& rows) {
    std::vector<std::string> names;
    for (const CRow& row : rows) names.emplace_back(row.name());
    return names;
}

// Arrays already in order (the right-hand sides) stay and are searchable too.
TEST(MatrixModelOpsTest, SortsArraysThatArriveOutOfOrder) {
    MatrixModel model;
    for (const char* name : {"b", "a", "C", "a1", "LONGNAME2", "LONGNAME10"})
        model.rows.emplace(name, 'L');
    for (const char* name : {"R1", "R2", "R3"}) model.rhs.emplace(name, 1.0f);
    model.bounds.emplace("y", 1.0f, kBoundUpper);
    model.bounds.emplace("x", 2.0f, kBoundUpper);
    model.bounds.emplace("z", 0.0f, kBoundLower);

    SortMatrixModel(model);

    EXPECT_EQ(namesOf(model.rows),
              (std::vector<std::string>{"C", "LONGNAME10", "LONGNAME2", "a", "a1", "b"}));
    ASSERT_NE(model.rows.find(CRow("a1", 'N')), nullptr);
    EXPECT_EQ(model.bounds[0].name(), "z");  // kind first, then name
    EXPECT_EQ(model.bounds[1].name(), "x");
    const CBound* bound = model.bounds.find(CBound("y", 0.0f, kBoundUpper));
    ASSERT_NE(bound, nullptr);
    EXPECT_EQ(bound->value(), 1.0f);
    EXPECT_EQ(model.rhs[2].name(), "R3");
    EXPECT_NE(model.rhs.find(CRowValue("R2", 0.0f)), nullptr);
    EXPECT_EQ(model.rhs.find(CRowValue("R4", 0.0f)), nullptr);
}

// Columns made in load order (empty ones side by side among them) keep that order known.
TEST(MatrixModelOpsTest, RecordsWhereEachLoadedColumnWent) {
    for (const std::vector<const char*>& loaded :
         {std::vector<const char*>{"d", "b", "c", "a"}, {"a", "b", "c"}}) {
        MatrixModel model;
        for (const char* name : loaded) model.columns.emplace(name, nullptr, 0, nullptr);
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
