#include "DisplayTestSupport.h"
#include "SubmatrixGrid.h"

namespace {

// Rows added B2, A1, C3, z0, Z9; column Y is added before X; C3 holds a repeated pair in X.
Submatrix sampleSubmatrix() {
    Submatrix submatrix;
    submatrix.addCoefficient("Y", submatrix.addRow("B2", 'L', 0.0f), 3.0f);
    submatrix.addCoefficient("X", submatrix.addRow("A1", 'G', 4.5f), 1.5f);
    const std::uint32_t c3 = submatrix.addRow("C3", 'E', 0.0f);
    submatrix.addRow("z0", 'N', 1.0f);
    submatrix.addRow("Z9", 'N', 2.0f);
    submatrix.addCoefficient("X", c3, -2.0f);
    submatrix.addCoefficient("X", c3, 7.0f);
    return submatrix;
}

TEST(SubmatrixTest, KeepsRowsUniqueAndColumnsInNameOrder) {
    Submatrix submatrix;
    EXPECT_EQ(submatrix.addRow("R2", 'L', 1.0f), 0u);
    EXPECT_EQ(submatrix.addRow("R1", 'G', 2.0f), 1u);
    EXPECT_EQ(submatrix.addRow("R2", 'E', 9.0f), 0u);  // present: stays as it was
    for (const char* name : {"c", "B", "a", "A", "b"}) submatrix.addCoefficient(name, 0, 1.0f);
    submatrix.addCoefficient("B", 1, 2.0f);
    EXPECT_EQ(displaytest::describe(submatrix),
              (displaytest::Lines{"R2 L 1.000000", "R1 G 2.000000", "A: R2=1", "B: R2=1 R1=2",
                                  "a: R2=1", "b: R2=1", "c: R2=1"}));
    submatrix.clear();
    EXPECT_TRUE(submatrix.empty());
    EXPECT_FALSE(submatrix.findRow("R2"));
}

// The grid control sorts its lines by their text, byte order: upper case before lower case.
TEST(SubmatrixGridTest, LinesInNameOrderCellsByColumnWidthsToFitAndAnEmptyGridHasTwo) {
    const SubmatrixGrid grid(sampleSubmatrix(), NumberFormatOptions{});
    // C3 shows the first of its two values in X; an RHS of 0 still shows.
    EXPECT_EQ(SubmatrixCopyText(grid, {4, 3, 2, 1, 0}),
              "Row Name\tX\tY\tRHS\nA1\t1.50000\t\t4.50000\nB2\t\t3.00000\t0.00000\n"
              "C3\t-2.00000\t\t0.00000\nZ9\t\t\t2.00000\nz0\t\t\t1.00000");
    EXPECT_FALSE(SubmatrixGrid::rightAligned(0));
    EXPECT_TRUE(SubmatrixGrid::rightAligned(3));
    const SubmatrixGrid empty(Submatrix{}, NumberFormatOptions{});
    EXPECT_EQ(empty.lineCount(), 0u);
    EXPECT_EQ(SubmatrixCopyText(empty, {}), "Row Name\tRHS");
    // Each column is as wide as the wider of its header and its widest cell; empty cells do not
    // count, and column 0 measures the row names.
    const auto header = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    const auto cell = [](std::string_view text) { return static_cast<int>(text.size()) * 10 + 1; };
    EXPECT_EQ(gridColumnWidths(grid, header, cell), (std::vector<int>{80, 81, 71, 71}));
}

}  // namespace
