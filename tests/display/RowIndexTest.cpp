#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "Comparators.h"
#include "IUserInterface.h"
#include "MatrixModelOps.h"
#include "RowIndex.h"
#include "RowIndexCache.h"
#include "TempFolder.h"

namespace {

std::vector<RowCoefficient> indexed(const RowIndex& index, std::size_t row) {
    const auto span = index.coefficientsOfRow(row);
    return {span.begin(), span.end()};
}

// A model made by hand, as a loader without the reader's checks could leave it: column C2
// holds row R2 twice, and two rows share the name R2 under different name pointers.
class HandModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.rowNameTable = {r2a, r1, r2b};
        model.rows.emplace(r2a, 'L');
        model.rows.emplace(r1, 'E');
        model.rows.emplace(r2b, 'G');
        model.entries.reserve(5);
        addColumn("C2", {{0, 1.0f}, {2, 2.0f}, {0, 3.0f}});
        addColumn("C1", {{1, 4.0f}, {2, 5.0f}});
        SortMatrixModel(model);
    }
    void addColumn(const char* name, std::initializer_list<ColumnEntry> entries) {
        const std::size_t first = model.entries.size();
        for (const ColumnEntry& entry : entries) model.entries.push_back(entry);
        model.columns.emplace(name, model.entries.data() + first,
                              static_cast<std::uint32_t>(entries.size()),
                              model.rowNameTable.data());
    }

    const char r1[3] = "R1";
    const char r2a[3] = "R2";
    const char r2b[3] = "R2";
    MatrixModel model;
};

TEST_F(HandModelTest, KeepsRepeatedPairsAndSharesListsOfEqualNames) {
    // Sorted: rows R1, R2, R2; columns C1, C2.
    const std::vector<RowCoefficient> walked = walkRowCoefficients(model, "R2");
    const std::vector<RowCoefficient> expected = {{0, 5.0f}, {1, 1.0f}, {1, 2.0f}, {1, 3.0f}};
    EXPECT_EQ(walked, expected);
    const RowIndex index(model);
    EXPECT_EQ(indexed(index, 1), expected);
    EXPECT_EQ(indexed(index, 2), expected);
    EXPECT_EQ(indexed(index, 0), walkRowCoefficients(model, "R1"));
    EXPECT_TRUE(index.coefficientsOfRow(3).empty());
}

TEST(RowIndexTest, AgreesWithTheWalkOnEveryNetlibModel) {
    const std::filesystem::path folder = std::filesystem::path(NORVA_TEST_DATA_DIR) / "netlib";
    int models = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        RecordingUserInterface ui;
        AppFlags flags;
        CNorvaDoc doc(ui, flags, nullptr);
        ASSERT_TRUE(doc.OnOpenDocument(file.path().string())) << ui.lastMessage;
        const MatrixModel& model = doc.model();
        const RowIndex index(model);
        std::size_t listed = 0;
        for (std::size_t r = 0; r < model.rows.size(); ++r) {
            const std::vector<RowCoefficient> walked =
                walkRowCoefficients(model, model.rows[r].cName());
            ASSERT_EQ(indexed(index, r), walked) << file.path() << " row " << model.rows[r].name();
            listed += walked.size();
        }
        EXPECT_EQ(listed, model.entries.size()) << file.path();
        EXPECT_LE(index.memoryBytes(), 8 * model.entries.size() + 8 * model.rows.size() + 64);
        ++models;
    }
    EXPECT_GE(models, 7);
}

TEST(RowIndexCacheTest, RebuildsOnlyAfterTheDocumentLoadsAnotherModel) {
    testsupport::TempFolder folder;
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc(ui, flags, nullptr);
    const std::string first = folder.write("a.mps",
                                           "NAME A\nROWS\n N obj\n L lim\nCOLUMNS\n"
                                           "    x obj 1 lim 2\nRHS\n    rhs lim 3\nENDATA\n");
    const std::string second = folder.write("b.mps",
                                            "NAME B\nROWS\n N obj\n L lim\nCOLUMNS\n"
                                            "    y lim 7\n    z lim 8\nENDATA\n");
    ASSERT_TRUE(doc.OnOpenDocument(first)) << ui.lastMessage;
    RowIndexCache cache;
    EXPECT_EQ(cache.indexFor(doc).coefficientsOfRow(0).size(), 1u);  // lim: x
    cache.indexFor(doc);
    EXPECT_EQ(cache.buildCount(), 1);

    ASSERT_TRUE(doc.OnOpenDocument(second)) << ui.lastMessage;
    const std::vector<RowCoefficient> expected = {{0, 7.0f}, {1, 8.0f}};
    EXPECT_EQ(indexed(cache.indexFor(doc), 0), expected);
    EXPECT_EQ(cache.buildCount(), 2);
}

}  // namespace
