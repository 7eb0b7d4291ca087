#include "OrbFileFixture.h"
#include "StoreBuilder.h"
#include "orbxmps.h"

namespace orbxmps {
namespace {

// The model as the API walks it: each row, then each column, with its chain of elements,
// each element followed by where the other chain goes on from it ('-' at its end), and the
// figures of the solution.
std::string walk(ORBObject& object) {
    ORBRowManager* rows = object.getRowManager();
    ORBColumnManager* columns = object.getColumnManager();
    ORBElementManager* elements = object.getElementManager();
    ORBNonlinearTerms* terms = object.getNonlinearTerms();
    std::ostringstream out;
    for (ORBRow row = rows->firstRow(); row; row = rows->nextRow(row)) {
        out << "row " << row.index() << ' ' << row.cName() << " type " << row.typeCode() << " rhs "
            << row.rhs() << " range " << row.rangeValue() << " terms " << row.nonlinearTermCount()
            << " activity " << row.activity() << ':';
        for (ORBElement e = elements->firstElementOfRow(row.index()); e;
             e = elements->nextElementOfRow(e)) {
            const ORBElement down = elements->nextElementOfColumn(e);
            out << ' ' << e.row().name() << '/' << e.columnIndex() << '/' << e.column().name()
                << '=' << e.value() << '>' << (down ? down.row().name() : "-");
        }
        // Each term rendered, then its coefficient, value and chain of variables.
        for (ORBNLTerm t = terms->firstTermOfRow(row.index()); t; t = terms->nextTermOfRow(t)) {
            char text[1023];
            const int length = t.render("%f", text, sizeof text);
            EXPECT_EQ(std::size_t(length), std::string(text).size());
            out << " + " << text << " {" << t.coefficient() << " =" << t.value();
            for (ORBNLVariable v = t.firstVariable(); v; v = t.nextVariable(v))
                out << ' ' << v.name();
            out << '}';
        }
        out << '\n';
    }
    for (ORBColumn column = columns->firstColumn(); column; column = columns->nextColumn(column)) {
        ORBColumn byIndex;
        columns->columnByIndex(column.index(), &byIndex);
        out << "column " << column.index() << ' ' << byIndex.name() << " [" << column.lowerBound()
            << ", " << column.upperBound() << "] integer " << column.isInteger() << " status "
            << column.statusCode() << " activity " << column.activity() << ':';
        for (ORBElement e = elements->firstElementOfColumn(column.index()); e;
             e = elements->nextElementOfColumn(e)) {
            const ORBElement across = elements->nextElementOfRow(e);
            out << ' ' << e.column().name() << '/' << e.row().name() << '=' << e.value() << '>'
                << (across ? across.column().name() : "-");
        }
        out << '\n';
    }
    return out.str();
}

class OrbObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ORBObjectFactory(&m_object));
        testsupport::buildModel(m_object->store());  // five rows, five columns, three terms
        m_rows = m_object->getRowManager();
        m_columns = m_object->getColumnManager();
        m_elements = m_object->getElementManager();
        m_terms = m_object->getNonlinearTerms();
    }
    void TearDown() override { m_object->release(); }

    ORBObject* m_object = nullptr;
    ORBRowManager* m_rows = nullptr;
    ORBColumnManager* m_columns = nullptr;
    ORBElementManager* m_elements = nullptr;
    ORBNonlinearTerms* m_terms = nullptr;
};

TEST(OrbEntryPointsTest, MakeEmptyObjectsAndAnUnattachedManagerRefusesToLoad) {
    ORBObject* object = nullptr;
    ASSERT_TRUE(ORBObjectFactory(&object));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(std::pair(object->holdsSolution(), walk(*object)), std::pair(false, std::string()));
    EXPECT_FALSE(object->getElementManager()->firstElementOfRow(1));
    EXPECT_FALSE(object->getNonlinearTerms()->firstTermOfRow(1));

    XMPSManager* manager = nullptr;
    ASSERT_TRUE(CreateXMPSManagerObject(&manager));
    ASSERT_NE(manager, nullptr);
    manager->setInputFile("unused.mps");
    try {
        manager->loadProblem();
        ADD_FAILURE() << "loaded without a matrix object";
    } catch (const CMF_Exception& e) {
        EXPECT_TRUE(holds(e.what(), "no matrix object is attached"));
    }
    manager->release();
    object->release();
}

TEST_F(OrbObjectTest, WalksRowsColumnsElementsAndTermsInFileOrder) {
    EXPECT_EQ(walk(*m_object), ::testsupport::testData("orbxmps/object_walk.txt"));
    EXPECT_EQ(std::tuple(m_elements->elementCount(), m_rows->findRow("EQ").index(),
                         m_columns->findColumn("X5").upperBound()),
              std::tuple(8u, 4, 10.0));
    for (const char* name : {"lim1", "LIM", "LIM1 ", ""})
        EXPECT_FALSE(m_rows->findRow(name)) << name;
    for (const char* name : {"x5", "X", "X55"}) EXPECT_FALSE(m_columns->findColumn(name)) << name;
}

TEST_F(OrbObjectTest, OutOfRangeChainsEndAtOnceAndOutOfRangeIndexesFail) {
    for (int index : {0, -2, 6}) EXPECT_FALSE(m_elements->firstElementOfRow(index)) << index;
    for (int index : {0, -2, 6}) EXPECT_FALSE(m_elements->firstElementOfColumn(index)) << index;
    for (int index : {0, 6}) EXPECT_FALSE(m_terms->firstTermOfRow(index)) << index;
    EXPECT_FALSE(m_elements->nextElementOfRow(ORBElement()));
    EXPECT_FALSE(m_elements->nextElementOfColumn(ORBElement()));
    for (int index : {0, -1, 6, 1000}) {
        ORBColumn column(&m_object->store(), 0);
        EXPECT_FALSE(m_columns->columnByIndex(index, &column)) << index;
        EXPECT_FALSE(column) << index;
    }
}

// Each row's elements with their columns, found by a scan (in two halves from 2^18 elements)
// before the row order is made, which the scan does not make; then as the order gives them.
TEST(OrbElementScanTest, AScannedRowHoldsTheElementsOfTheRowOrder) {
    MatrixStore store;
    testsupport::StoreBuilder build(store);
    std::vector<std::string> rows;
    for (int r = 0; r < 100; ++r)
        build.row(rows.emplace_back("R" + std::to_string(r)), kRowLessEqual);
    build.row("EMPTY", kRowFree);
    build.row("ALL", kRowFree);        // in every column: more than a scan finds ahead
    for (int c = 0; c < 32768; ++c) {  // 9 a column, a row at times twice, and ALL
        std::vector<testsupport::StoreBuilder::Element> elements;
        for (int k = 0; k < 9; ++k) elements.emplace_back(rows[c * (k + 3) % 100], c + k / 10.0);
        elements.emplace_back("ALL", -c);
        build.column("C" + std::to_string(c), elements);
    }
    const ORBElementManager elements(&build.finish());
    // By the row order's chain, or by a listing visited at once or in stretches of 1000.
    enum class How { kChain, kAtOnce, kInStretches };
    const auto listed = [&](int row, How how) {
        std::vector<std::tuple<int, int, double>> seen;  // row, column, value
        const auto see = [&](const ORBElement& e) {
            seen.emplace_back(e.row().index(), e.columnIndex(), e.value());
        };
        if (how == How::kChain) {
            for (ORBElement e = elements.firstElementOfRow(row); e;
                 e = elements.nextElementOfRow(e))
                see(e);
            return seen;
        }
        ORBRowElements list = elements.elementsOfRow(row);
        const std::size_t expected = list.expectedRemaining();
        while (!list.done()) list.visitNext(how == How::kAtOnce ? SIZE_MAX : 1000, see);
        EXPECT_NEAR(expected, seen.size(), seen.size() / 20.0) << row;
        return seen;
    };
    std::vector<decltype(listed(0, How::kAtOnce))> scans;  // rows 0 to 103, two beyond
    for (int row = 0; row <= 103; ++row) {
        scans.push_back(listed(row, How::kAtOnce));
        EXPECT_TRUE(listed(row, How::kInStretches) == scans.back()) << row;
    }
    EXPECT_EQ(scans[102].size(), 32768u);
    // Found among the spans of the columns that hold the row, a column named once per element.
    for (int row = 0; row <= 103; ++row) {
        std::vector<ORBElementManager::ElementSpan> spans;
        for (const auto& [r, column, value] : scans[row])
            spans.push_back({store.columnStart[column - 1],
                             store.columnStart[column] - store.columnStart[column - 1]});
        const std::size_t count = scans[row].size();
        const auto among = [&](const std::uint32_t* rows, std::size_t expected) {
            return elements.elementsOfRowAmong(row, rows, spans, expected);
        };
        std::optional<ORBRowElements> list = among(store.elementRow.data(), count);
        ASSERT_EQ(list.has_value(), row >= 1 && row <= 102) << row;
        if (!list) continue;
        std::vector<std::tuple<int, int, double>> seen;
        while (!list->done())
            list->visitNext(1000, [&seen](const ORBElement& e) {
                seen.emplace_back(e.row().index(), e.columnIndex(), e.value());
            });
        EXPECT_TRUE(seen == scans[row]) << row;
        // Spans short of the row's elements, or of another array, are passed over.
        EXPECT_FALSE(among(store.elementRow.data(), count + 1)) << row;
        EXPECT_FALSE(among(store.elementRow.data() + 1, count)) << row;
    }
    EXPECT_TRUE(store.rowStart.empty()) << "the scan made the row order";
    for (int row = 0; row <= 103; ++row)
        EXPECT_TRUE(scans[row] == listed(row, How::kChain) &&
                    scans[row] == listed(row, How::kInStretches))
            << row;
}

TEST_F(OrbObjectTest, RenderTruncatesToAnyBuffer) {
    const ORBNLTerm term = m_terms->firstTermOfRow(1);
    const std::string full = "0.500000*X1*X2";
    for (std::size_t size = 1; size <= full.size() + 2; ++size) {
        std::vector<char> buffer(size + 1, '#');
        const int length = term.render("%f", buffer.data(), size);
        const std::size_t kept = std::min(full.size(), size - 1);
        EXPECT_EQ(static_cast<std::size_t>(length), kept) << size;
        EXPECT_EQ(std::string(buffer.data()), full.substr(0, kept)) << size;
        EXPECT_EQ(buffer[size], '#') << "wrote past a buffer of " << size;
    }
    char untouched = '#';
    EXPECT_EQ(term.render("%f", &untouched, 0), 0);
    EXPECT_EQ(untouched, '#');
    char buffer[1023];
    term.render("%g", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "0.5*X1*X2");
}

// Row activities with the terms' values, and column statuses: at lower, basic free, basic
// below an upper bound, fixed, at upper; then free at zero and basic between its bounds.
TEST_F(OrbObjectTest, UpdateDerivesRowActivitiesAndColumnStatuses) {
    m_terms->update();  // with no solution, nothing to derive
    EXPECT_FALSE(m_object->holdsSolution());
    const std::pair<const char*, double> values[] = {
        {"X1", 0.0}, {"X2", 2.0}, {"X3", 1.0}, {"X4", 2.0}, {"X5", 10.0}};
    for (const auto& [name, value] : values) m_columns->findColumn(name).setSolutionValue(value);
    EXPECT_TRUE(m_object->holdsSolution());
    m_terms->update();
    EXPECT_EQ(walk(*m_object), ::testsupport::testData("orbxmps/object_walk_solved.txt"));
    // New column values replace the derived figures.
    m_columns->findColumn("X2").setSolutionValue(0.0);
    const ORBColumn x1 = m_columns->findColumn("X1");
    x1.setSolutionValue(4.0);
    EXPECT_EQ(x1.activity(), 4.0);
    m_terms->update();
    EXPECT_EQ(m_columns->findColumn("X2").statusCode(), 1);
    EXPECT_EQ(x1.statusCode(), 2);
    EXPECT_DOUBLE_EQ(m_rows->findRow("LIM1").activity(), 6.0);
}

TEST_F(OrbObjectTest, SavesAndRestoresThroughTheObject) {
    const ::testsupport::TempFolder folder;
    const std::string file = folder / "object.orb";
    m_columns->findColumn("X4").setSolutionValue(2.5);
    m_terms->update();
    m_object->saveToFile(file);

    ORBObject* restored = nullptr;
    ASSERT_TRUE(ORBObjectFactory(&restored));
    restored->restoreFromFile(file);
    EXPECT_TRUE(restored->holdsSolution());
    EXPECT_EQ(walk(*restored), walk(*m_object));

    std::filesystem::remove(file);
    EXPECT_THROW(restored->restoreFromFile(file), ORB_ExcpFileError);
    EXPECT_FALSE(restored->holdsSolution());
    EXPECT_EQ(walk(*restored), "");
    restored->release();
}

}  // namespace
}  // namespace orbxmps
