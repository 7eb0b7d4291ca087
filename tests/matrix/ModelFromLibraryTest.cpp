#include <algorithm>

#include "MatrixTestSupport.h"
#include "ModelFromLibrary.h"
#include "ParallelWork.h"

namespace {

using namespace matrixtest;
using orbxmps::kInfinity;

// Unknown row type codes give free rows; each bound kind comes from the column's two limits,
// each with its own zero's sign; a right-hand side or range too small for a float is still
// stored. Built with the rows and columns packed first or read where they lie, and with the
// bounds laid out by either thread (on one thread the columns' side goes first), the model is
// the same.
TEST(ModelFromLibraryTest, MapsRowTypesDerivesBoundKindsAndPoolsNames) {
    ObjectPtr object = newObject();
    // clang-format off
    StoreBuilder(object->store())
        .row("obj", 1).row("eq", 2, 3.0, 1e-50).row("le", 3, 1e-50).row("ge", 4, 0.0, 4.0)
        .row("odd", 9)
        .column("dflt", {})
        .column("fixed", {}, 5.0, 5.0)
        .column("free", {}, -kInfinity, kInfinity)
        .column("upOnly", {}, -kInfinity, 8.0)
        .column("zero", {}, -0.0, 0.0)
        .column("between", {{"obj", 1.0}, {"le", 2.0}}, -1.0, 2.0)
        .finish();
    // clang-format on
    MatrixModel packed;
    ASSERT_TRUE(BuildModelFromLibrary(*object, packed, 0));
    MatrixModel packedOnOneThread;
    orbxmps::allowParallelWork(false);
    const bool built = BuildModelFromLibrary(*object, packedOnOneThread, 0);
    orbxmps::allowParallelWork(true);
    ASSERT_TRUE(built);
    MatrixModel model;
    ASSERT_TRUE(BuildModelFromLibrary(*object, model));
    // The model reads the library's coefficient arrays, which it keeps alive: a document may
    // release the library object before its model (and its store may grow on a reuse).
    object->store().elementRow.push_back(0);
    object->store().elementValue.reserve(100);
    object.reset();
    EXPECT_EQ(matrixtest::modelListing(model), ::testsupport::testData("matrix/library.txt"));
    EXPECT_EQ(matrixtest::modelListing(packed), matrixtest::modelListing(model));
    EXPECT_EQ(matrixtest::modelListing(packedOnOneThread), matrixtest::modelListing(model));
    // Records, coefficients and bounds share the pooled name rather than holding copies.
    EXPECT_EQ(model.rows[2].cName(), model.entries.coefficient(model.columns[0], 1).cName());
    EXPECT_EQ(model.columns[0].cName(), model.bounds[0].cName());
    EXPECT_EQ(model.columns[0].cName(), model.bounds[4].cName());
}

// Rows in shuffled order under long shared prefixes, some names twice: the model lists them as a
// stable sort by name would, each repeat after the row it repeats, and RHS entries likewise.
// The coefficients are copied on a second thread while the rows are made: each must still name
// its row through the finished row-name table.
TEST(ModelFromLibraryTest, ListsNamesInStableNameOrderAndCoefficientsByTheirRows) {
    struct Row {
        std::string name;
        std::int16_t type;
        double rhs;
    };
    std::vector<Row> rows;
    const ObjectPtr object = newObject();
    StoreBuilder build(object->store());
    for (int r = 0; r < 5000; ++r) {
        const int number = (r * 7919) % 4000;  // the numbers of the first 1000 rows come again
        rows.push_back({"PRO_CR_PLANT_" + std::to_string(number),
                        static_cast<std::int16_t>(2 + r % 3), static_cast<double>(r + 1)});
        build.row(rows.back().name, rows.back().type, rows.back().rhs);
    }
    std::vector<std::pair<std::string, std::vector<StoreBuilder::Element>>> columns;
    for (int c = 0; c < 2000; ++c) {
        columns.push_back({"C" + std::to_string(c), {}});
        auto& [name, elements] = columns.back();
        for (int k = 0; k < c % 7; ++k)  // rows whose names are not repeated
            elements.emplace_back(rows[1000 + (c * 13 + k * 401) % 3000].name, c + k);
        build.column(name, elements);
    }
    build.finish();
    MatrixModel model;
    ASSERT_TRUE(BuildModelFromLibrary(*object, model, 0));
    std::vector<Row> sorted = rows;  // the elements' row names point into rows
    std::ranges::stable_sort(sorted, {}, &Row::name);
    std::ranges::sort(columns);
    std::ostringstream expected;
    for (const Row& row : sorted)
        expected << "row " << row.name << ' ' << rowTypeCharacter(row.type) << '\n';
    for (const auto& [name, elements] : columns) {
        expected << "column " << name << ':';
        for (const auto& [row, value] : elements) expected << ' ' << row << '=' << value;
        expected << '\n';
    }
    for (const Row& row : sorted) expected << "rhs " << row.name << ' ' << row.rhs << '\n';
    for (const auto& column : columns) expected << "bound " << column.first << " 1 0\n";
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
        const ObjectPtr object = newObject();
        StoreBuilder build(object->store());
        damage(build.row("obj", 1).column("x", {{"obj", 1.0}}).column("y", {}).finish());
        MatrixModel model;
        try {
            BuildModelFromLibrary(*object, model);
            ADD_FAILURE() << "an inconsistent library went unnoticed";
        } catch (const std::runtime_error& error) {
            EXPECT_TRUE(holds(error.what(), reason));
        }
    }
}

}  // namespace
