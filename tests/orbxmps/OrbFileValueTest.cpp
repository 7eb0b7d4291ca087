#include <unistd.h>

#include <functional>
#include <limits>

#include "OrbFileFixture.h"

namespace orbxmps {
namespace {

using namespace testsupport;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The names of table with from renamed to: the writer stores any names it is given, as a
// faulty writer or a hand-edited file would.
void rename(NameTable& table, std::string_view from, std::string_view to) {
    NameTable renamed;
    for (std::size_t i = 0; i < table.size(); ++i)
        renamed.add(table.name(i) == from ? to : table.name(i));
    table = std::move(renamed);
}

// A set of one member.
void addSet(MatrixStore& s, const char* name, std::uint8_t type, std::uint32_t column,
            double weight) {
    s.extensions.sets.push_back({name, type, false, 0.0, 0});
    s.extensions.setMemberColumn.push_back(column);
    s.extensions.setMemberWeight.push_back(weight);
}

class OrbFileValueTest : public OrbFileFixture {
protected:
    // Writes the test model, changed by change, with a correct checksum.
    std::string written(const std::function<void(MatrixStore&)>& change) const {
        MatrixStore store;
        addSolution(buildModel(store));
        change(store);
        writeOrbFile(path("values.orb"), store);
        return path("values.orb");
    }
};

TEST_F(OrbFileValueTest, RefusesValuesAnMpsFileCouldNotHold) {
    const std::pair<std::function<void(MatrixStore&)>, const char*> cases[] = {
        // clang-format off
        {[](MatrixStore& s) { s.rhs[1] = kNaN; }, "the right-hand side of row 2 is nan, not a"},
        {[](MatrixStore& s) { s.range[3] = kInf; }, "the range of row 4 is inf, not a finite"},
        {[](MatrixStore& s) { s.elementValue[4] = -kInf; }, "the value of element 5 is -inf"},
        {[](MatrixStore& s) { s.elementValue[0] = kNaN; }, "the value of element 1 is nan"},
        {[](MatrixStore& s) { s.elementValue[2] = 4e38; },
         "the value of element 3 is 4e+38, beyond what the 32-bit model holds"},
        {[](MatrixStore& s) { s.nonlinear.terms[2].coefficient = kNaN; },
         "the coefficient of nonlinear term 3 is nan"},
        {[](MatrixStore& s) { s.lower[2] = kNaN; }, "the lower bound of column 3 is nan"},
        {[](MatrixStore& s) { s.upper[4] = -kNaN; }, "the upper bound of column 5 is"},
        {[](MatrixStore& s) { s.extensions.indicators.push_back({1, 9, 1}); },
         "extensions: indicator column names column 10 of"},
        {[](MatrixStore& s) { s.extensions.indicators.push_back({0, 0, 7}); },
         "extensions: an indicator value is neither 0 nor 1"},
        {[](MatrixStore& s) { addSet(s, "S\x02", 1, 0, 1.0); },
         "extensions: set name holds a control character"},
        {[](MatrixStore& s) { addSet(s, "S", 2, 1, kNaN); },
         "extensions: set member weight is not a finite number"},
        {[](MatrixStore& s) { rename(s.rowNames, "LIM2", "LI\x01M2"); },
         "row 3's name holds the control character 0x1"},
        {[](MatrixStore& s) { rename(s.columnNames, "X5", "X\x1b[5"); },
         "column 5's name holds the control character 0x1B"},
        {[](MatrixStore& s) { rename(s.columnNames, "X1", "\x7f"); },
         "column 1's name holds the control character 0x7F"},
        // clang-format on
    };
    for (const auto& [change, phrase] : cases) {
        SCOPED_TRACE(phrase);
        fileRejection(written(change), std::string("damaged ORB file: ") + phrase);
    }
}

TEST_F(OrbFileValueTest, BoundsAtOrBeyondTheInfinitiesMeanInfinite) {
    MatrixStore loaded;
    readOrbFile(written([](MatrixStore& s) {
                    s.lower[0] = -kInf;
                    s.upper[0] = kInf;
                    s.lower[1] = -1e300;
                    s.upper[1] = 2e20;
                    s.lower[2] = 1e21;  // a lower bound at +infinity, as "LO 1e21" gives
                    rename(s.columnNames, "X4", "X\t4");  // a tab is no control character here
                }),
                loaded);
    using Bounds = std::vector<double>;
    EXPECT_EQ(Bounds(loaded.lower.begin(), loaded.lower.begin() + 3),
              (Bounds{-kInfinity, -kInfinity, kInfinity}));
    EXPECT_EQ(Bounds(loaded.upper.begin(), loaded.upper.begin() + 3),
              (Bounds{kInfinity, kInfinity, 5.0}));
    EXPECT_EQ(loaded.columnNames.name(3), "X\t4");
    EXPECT_TRUE(loaded.warnings.empty());
}

TEST_F(OrbFileValueTest, KeepsDuplicateNamesWithAWarningEach) {
    const std::string file = written([](MatrixStore& s) {
        rename(s.rowNames, "LIM2", "LIM1");
        rename(s.rowNames, "EMPTY", "LIM1");
        rename(s.columnNames, "X3", "X2");
    });
    MatrixStore loaded;
    readOrbFile(file, loaded);
    ASSERT_EQ(loaded.rowCount() + loaded.columnCount(), 10u);
    EXPECT_EQ(loaded.rowNames.name(2), "LIM1");
    EXPECT_EQ(loaded.rhs[2], 1.0) << "the second LIM1 keeps its own values";
    EXPECT_EQ(loaded.upper[2], 5.0) << "the second X2 keeps its own bound";
    const std::string row = file + ": duplicate row 'LIM1'";
    EXPECT_EQ(loaded.warnings.texts(),
              (std::vector<std::string>{row, row, file + ": duplicate column 'X2'"}));
}

// A file whose size promises far more than it holds: a header and dimensions, then a hole.
// Refused without reading the hole or reserving memory for it, which under AddressSanitizer
// would abort instead of failing.
TEST_F(OrbFileValueTest, SparseFileWithHugeCountsFailsCleanly) {
    constexpr std::uint64_t kFileSize = 50ull << 30;
    const std::pair<std::uint64_t, const char*> cases[] = {
        {4000000000ull, "4000000000 rows, 5 columns, 8 elements and 3 nonlinear terms need"},
        {1000000000ull, "zero bytes where a section should begin, at payload byte 64"},
    };
    for (const auto& [rows, phrase] : cases) {
        SCOPED_TRACE(phrase);
        Bytes bytes = modelBytes(false);  // cut after the dimensions, its first section
        bytes.resize(kDimensionsAt + orb::kDimensionsSize);
        put<std::uint64_t>(bytes, orb::kPayloadSizeOffset, kFileSize - orb::kHeaderSize);
        put<std::uint64_t>(bytes, kDimensionsAt, rows);
        m_temp.write("sparse.orb", bytes);
        if (::truncate(path("sparse.orb").c_str(), static_cast<off_t>(kFileSize)) != 0)
            GTEST_SKIP() << "this file system cannot hold a 50 GB sparse file";
        fileRejection(path("sparse.orb"), std::string("damaged ORB file: ") + phrase);
    }
}

}  // namespace
}  // namespace orbxmps
