#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "MatrixTestSupport.h"
#include "ModelFromLibrary.h"

namespace {

using namespace matrixtest;
using orbxmps::kInfinity;

// Unknown row type codes give free rows; each bound kind comes from the column's two limits.
TEST(ModelFromLibraryTest, MapsRowTypesDerivesBoundKindsAndPoolsNames) {
    auto object = makeObject({{"obj", 1}, {"eq", 2}, {"le", 3}, {"ge", 4}, {"odd", 9}},
                             {{"dflt", 0.0, kInfinity, {}},
                              {"fixed", 5.0, 5.0, {}},
                              {"free", -kInfinity, kInfinity, {}},
                              {"upOnly", -kInfinity, 8.0, {}},
                              {"between", -1.0, 2.0, {{"obj", 1.0}, {"le", 2.0}}}});
    MatrixModel model;
    ASSERT_TRUE(BuildModelFromLibrary(*object, model));
    // The model reads the library's coefficient arrays, which it keeps alive: a document may
    // release the library object before its model (and its store may grow on a reuse).
    object->store().elementRow.push_back(0);
    object->store().elementValue.reserve(100);
    object.reset();
    EXPECT_EQ(matrixtest::modelListing(model), ::testsupport::testData("matrix/library.txt"));
    // Records, coefficients and bounds share the pooled name rather than holding copies.
    EXPECT_EQ(model.rows[2].cName(), model.columns[0].coefficient(1).cName());
    EXPECT_EQ(model.columns[0].cName(), model.bounds[0].cName());
    EXPECT_EQ(model.columns[0].cName(), model.bounds[3].cName());
}

// Rows in shuffled order under long shared prefixes, some names twice: the model lists them as a
// stable sort by name would, each repeat after the row it repeats, and RHS entries likewise.
// The coefficients are copied on a second thread while the rows are made: each must still name
// its row through the finished row-name table.
TEST(ModelFromLibraryTest, ListsNamesInStableNameOrderAndCoefficientsByTheirRows) {
    std::vector<HandRow> rows;
    for (int r = 0; r < 5000; ++r) {
        const int number = (r * 7919) % 4000;  // the numbers of the first 1000 rows come again
        rows.push_back({"PRO_CR_PLANT_" + std::to_string(number),
                        static_cast<std::int16_t>(2 + r % 3), static_cast<double>(r + 1)});
    }
    std::vector<HandColumn> columns;
    for (int c = 0; c < 2000; ++c) {
        HandColumn column{"C" + std::to_string(c), 0.0, kInfinity, {}};
        for (int k = 0; k < c % 7; ++k)  // rows whose names are not repeated
            column.elements.emplace_back(rows[1000 + (c * 13 + k * 401) % 3000].name, c + k);
        columns.push_back(column);
    }
    auto object = makeObject(rows, columns);
    MatrixModel model;
    ASSERT_TRUE(BuildModelFromLibrary(*object, model));
    const auto byName = [](const auto& a, const auto& b) { return a.name < b.name; };
    std::stable_sort(rows.begin(), rows.end(), byName);
    std::sort(columns.begin(), columns.end(), byName);
    std::ostringstream expected;
    for (const HandRow& row : rows)
        expected << "row " << row.name << ' ' << rowTypeCharacter(row.type) << '\n';
    for (const HandColumn& column : columns) {
        expected << "column " << column.name << ':';
        for (const auto& [row, value] : column.elements) expected << ' ' << row << '=' << value;
        expected << '\n';
    }
    for (const HandRow& row : rows) expected << "rhs " << row.name << ' ' << row.rhs << '\n';
    for (const HandColumn& column : columns) expected << "bound " << column.name << " 1 0\n";
    EXPECT_EQ(matrixtest::modelListing(model), expected.str());
}

TEST(ModelFromLibraryTest, RejectsAnInconsistentLibrary) {
    const std::pair<void (*)(orbxmps::MatrixStore&), const char*> cases[] = {
        // y claims an element that does not exist
        {[](orbxmps::MatrixStore& store) { store.columnStart[2] = 2; },
         "more elements than counted"},
        {[](orbxmps::MatrixStore& store) { store.elementRow[0] = 7; }, "unknown row"},
    };
    for (const auto& [damage, reason] : cases) {
        SCOPED_TRACE(reason);
        auto object = makeObject(
            {{"obj", 1}}, {{"x", 0.0, kInfinity, {{"obj", 1.0}}}, {"y", 0.0, kInfinity, {}}});
        damage(object->store());
        MatrixModel model;
        try {
            BuildModelFromLibrary(*object, model);
            ADD_FAILURE() << "an inconsistent library went unnoticed";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        }
    }
}

}  // namespace
