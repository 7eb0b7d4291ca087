#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SubmatrixGrid.h"

namespace {

// Rows added B2, A1, C3, z0, Z9; column Y is added before X; C3 holds a repeated pair in X.
Submatrix sampleSubmatrix() {
    Submatrix submatrix;
    const std::uint32_t b2 = submatrix.addRow("B2", 'L', 0.0f);
    const std::uint32_t a1 = submatrix.addRow("A1", 'G', 4.5f);
    const std::uint32_t c3 = submatrix.addRow("C3", 'E', 0.0f);
    submatrix.addRow("z0", 'N', 1.0f);
    submatrix.addRow("Z9", 'N', 2.0f);
    submatrix.addCoefficient("Y", b2, 3.0f);
    submatrix.addCoefficient("X", a1, 1.5f);
    submatrix.addCoefficient("X", c3, -2.0f);
    submatrix.addCoefficient("X", c3, 7.0f);
    return submatrix;
}

TEST(SubmatrixTest, KeepsRowsUniqueAndColumnsInNameOrder) {
    Submatrix submatrix;
    EXPECT_EQ(submatrix.addRow("R2", 'L', 1.0f), 0u);
    EXPECT_EQ(submatrix.addRow("R1", 'G', 2.0f), 1u);
    EXPECT_EQ(submatrix.addRow("R2", 'E', 9.0f), 0u);  // present: stays as it was
    EXPECT_EQ(submatrix.row(0).type, 'L');
    EXPECT_EQ(submatrix.row(0).rhs, 1.0f);
    for (const char* name : {"c", "B", "a", "A", "b"}) submatrix.addCoefficient(name, 0, 1.0f);
    submatrix.addCoefficient("B", 1, 2.0f);
    std::vector<std::string> order;
    for (std::size_t c = 0; c < submatrix.columnCount(); ++c)
        order.push_back(submatrix.column(c).name);
    EXPECT_EQ(order, (std::vector<std::string>{"A", "B", "a", "b", "c"}));
    EXPECT_EQ(submatrix.column(1).entries.size(), 2u);
    submatrix.clear();
    EXPECT_TRUE(submatrix.empty());
    EXPECT_FALSE(submatrix.findRow("R2"));
}

// The grid control sorts its lines by their text, byte order: upper case before lower case.
TEST(SubmatrixGridTest, LinesInNameOrderCellsByColumnWidthsToFitAndAnEmptyGridHasTwo) {
    const SubmatrixGrid grid(sampleSubmatrix(), NumberFormatOptions{});
    ASSERT_EQ(grid.columnCount(), 4u);
    EXPECT_EQ(grid.header(0) + grid.header(1) + grid.header(2) + grid.header(3), "Row NameXYRHS");
    std::string names;
    for (std::size_t line = 0; line < grid.lineCount(); ++line)
        (names += grid.cell(line, 0)) += " ";
    EXPECT_EQ(names, "A1 B2 C3 Z9 z0 ");
    EXPECT_EQ(grid.cell(0, 1), "1.50000");
    EXPECT_EQ(grid.cell(0, 2), "");
    EXPECT_EQ(grid.cell(1, 2), "3.00000");
    EXPECT_EQ(grid.cell(2, 1), "-2.00000");  // the first of C3's two values in X
    EXPECT_EQ(grid.cell(1, 3), "0.00000");   // an RHS of 0 still shows
    EXPECT_EQ(grid.cell(3, 1), "");
    EXPECT_FALSE(SubmatrixGrid::rightAligned(0));
    EXPECT_TRUE(SubmatrixGrid::rightAligned(3));
    const SubmatrixGrid empty(Submatrix{}, NumberFormatOptions{});
    EXPECT_EQ(empty.columnCount(), 2u);
    EXPECT_EQ(empty.lineCount(), 0u);
    EXPECT_EQ(SubmatrixCopyText(empty, {}), "Row Name\tRHS");
    // Each column is as wide as the wider of its header and its widest cell; empty cells do not
    // count, and column 0 measures the row names.
    const auto header = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    const auto cell = [](std::string_view text) { return static_cast<int>(text.size()) * 10 + 1; };
    EXPECT_EQ(gridColumnWidths(grid, header, cell), (std::vector<int>{80, 81, 71, 71}));
}

}  // namespace
