#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "../matrix/MatrixTestSupport.h"
#include "DenseRowLists.h"
#include "DisplayTestSupport.h"
#include "MatrixModelOps.h"
#include "ModelFromLibrary.h"
#include "ParallelWork.h"
#include "RowEntries.h"
#include "RowTags.h"

namespace {

std::vector<RowCoefficient> indexed(const RowIndex& index, std::size_t row) {
    const auto span = index.coefficientsOfRow(row);
    return {span.begin(), span.end()};
}

// Checks every row of index against the walk, which reads the columns themselves, up to the
// first that differs; the coefficients listed in all.
std::size_t expectRowsAsWalked(const RowIndex& index, const MatrixModel& model,
                               const std::string& where) {
    std::size_t listed = 0;
    for (std::size_t r = 0; r < model.rows.size() && !::testing::Test::HasFailure(); ++r) {
        const auto found = walkRowCoefficients(model, model.rows[r].cName());
        const std::vector<RowCoefficient> walked(found.begin(), found.end());
        EXPECT_EQ(indexed(index, r), walked) << where << " row " << model.rows[r].name();
        // The walk in halves on two threads, whatever the model's size, lists the same.
        const auto halves = walkRowCoefficients(model, model.rows[r].cName(), 0);
        EXPECT_EQ(std::vector<RowCoefficient>(halves.begin(), halves.end()), walked)
            << where << " row " << model.rows[r].name() << " in halves";
        listed += walked.size();
    }
    return listed;
}

// Rows met by columns on both sides of the middle of the column array, where the index is
// split between two threads: each row's coefficients from the first half must come before
// those from the second, in walk order. R2 is named twice (two name pointers), C3 holds R1
// twice, and C6 is empty.
class SplitModelTest : public ::testing::Test {
protected:
    // tableInRowOrder: the row-name table lists the rows as the sorted row array does.
    void build(bool tableInRowOrder) {
        const std::uint32_t r1 = tableInRowOrder ? 0 : 2;
        const std::uint32_t r2a = tableInRowOrder ? 1 : 3;
        const std::uint32_t r2b = tableInRowOrder ? 2 : 1;
        const std::uint32_t r3 = tableInRowOrder ? 3 : 0;
        model.rowNameTable.assign(tableInRowOrder
                                      ? std::vector<std::string>{"R1", "R2", "R2", "R3"}
                                      : std::vector<std::string>{"R3", "R2", "R1", "R2"});
        for (std::size_t r = 0; r < model.rowNameTable.size(); ++r)
            model.rows.emplace(model.rowNameTable[r], 'L');
        std::vector<std::vector<ColumnEntry>> columns = {
            {{r2a, 1.0f}, {r1, 2.0f}},
            {{r3, 3.0f}, {r2b, 4.0f}},
            {{r1, 5.0f}, {r2a, 6.0f}, {r1, 7.0f}},
            {{r2b, 8.0f}, {r1, 9.0f}},
            {{r3, 10.0f}, {r2a, 11.0f}, {r1, 12.0f}},
            {},
            {{r1, 13.0f}, {r3, 14.0f}}};
        std::size_t total = 0;
        for (const auto& column : columns) total += column.size();
        model.entries.allocate(total, columns.size());
        model.entries.setRowNames(model.rowNameTable.names());
        std::uint32_t at = 0;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::uint32_t first = at;
            model.entries.ownedStarts()[c] = first;
            for (const ColumnEntry& entry : columns[c]) {
                model.entries.ownedRows()[at] = entry.row;
                model.entries.ownedValues()[at++] = entry.value;
            }
            model.columns.emplace(model.names.store("C" + std::to_string(c + 1)), first,
                                  at - first);
        }
        model.entries.ownedStarts()[columns.size()] = at;
        SortMatrixModel(model);
    }
    void expectWalkOrder() {
        EXPECT_TRUE(RowIndex(model).coefficientsOfRow(model.rows.size()).empty());
        for (const std::size_t secondThreadFrom : {RowIndex::kSecondThreadFrom, std::size_t{0}})
            expectRowsAsWalked(RowIndex(model, secondThreadFrom), model,
                               "threads from " + std::to_string(secondThreadFrom));
    }

    MatrixModel model;
};

// The row-name table in load order, then in row order.
TEST_F(SplitModelTest, ListsWalkOrderAcrossTheSplit) {
    build(false);
    expectWalkOrder();
    model = MatrixModel();
    build(true);
    expectWalkOrder();
    // R1 by hand: C1 (first half), C3 twice, then C4, C5, C7 (second half).
    const RowIndex index(model, 0);
    const std::vector<RowCoefficient> r1Expected = {{0, 2.0f}, {2, 5.0f},  {2, 7.0f},
                                                    {3, 9.0f}, {4, 12.0f}, {6, 13.0f}};
    EXPECT_EQ(indexed(index, 0), r1Expected);
    // Both rows named R2 list the coefficients of either name pointer, in walk order.
    const std::vector<RowCoefficient> r2Expected = {
        {0, 1.0f}, {1, 4.0f}, {2, 6.0f}, {3, 8.0f}, {4, 11.0f}};
    EXPECT_EQ(indexed(index, 1), r2Expected);
    EXPECT_EQ(indexed(index, 2), r2Expected);
}

// Every row of this small model is counted exactly and listed ahead: both rows named R2 read
// the one list of their name.
TEST_F(SplitModelTest, ListsRowsAheadAsTheWalk) {
    build(false);
    DenseRowLists lists;
    lists.pick(model, 2);
    lists.listAll(model);
    EXPECT_EQ(lists.pickedCount(), 3u);
    for (std::size_t r = 0; r < model.rows.size(); ++r) {
        const auto* listed = lists.listOfRow(r);
        ASSERT_NE(listed, nullptr) << r;
        const auto walked = walkRowCoefficients(model, model.rows[r].cName());
        EXPECT_EQ(std::vector<RowCoefficient>(listed->begin(), listed->end()),
                  std::vector<RowCoefficient>(walked.begin(), walked.end()))
            << model.rows[r].name();
    }
    EXPECT_EQ(lists.listOfRow(1), lists.listOfRow(2));
}

using RowIndexTest = displaytest::DisplayDocTest;

// Each column's second coefficient lies in obj, every third position, and the sample's
// stretches are six positions long: a sample taken at a fixed place in each stretch would
// never see obj. A row waited for is listed once the walks aside are let go.
TEST_F(RowIndexTest, PicksTheDenseRowThatTheLayoutRepeatsAndListsItWhenWaitedFor) {
    const matrixtest::ObjectPtr object = matrixtest::newObject();
    matrixtest::StoreBuilder build(object->store());
    for (int r = 0; r < 1000; ++r) build.row("a" + std::to_string(r), 3);
    build.row("obj", 1);
    for (int r = 0; r < 1000; ++r) build.row("b" + std::to_string(r), 3);
    for (int c = 0; c < 32768; ++c)
        build.column("C" + std::to_string(c), {{"a" + std::to_string(c % 1000), 1.0},
                                               {"obj", c + 1.0},
                                               {"b" + std::to_string(c % 997), -1.0}});
    build.finish();
    MatrixModel model;
    ASSERT_TRUE(BuildModelFromLibrary(*object, model));
    ASSERT_EQ(model.entries.size(), 3u * 32768);
    const auto obj = static_cast<std::size_t>(
        std::find_if(model.rows.begin(), model.rows.end(),
                     [](const CRow& row) { return row.name() == "obj"; }) -
        model.rows.begin());

    DenseRowLists lists;
    lists.pick(model, 70000);  // more than any row holds
    EXPECT_EQ(lists.pickedCount(), 0u);
    lists.pick(model, 20000);
    ASSERT_EQ(lists.pickedCount(), 1u);
    EXPECT_TRUE(lists.listToCome(obj));
    BuildPauses pauses;
    pauses.count = 1;
    auto listing = std::async(std::launch::async, [&] { lists.listAll(model, &pauses); });
    EXPECT_EQ(listing.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    EXPECT_EQ(lists.listOfRow(obj), nullptr);
    pauses.count = 0;
    const auto* listed = lists.listOfRow(obj, true);
    listing.get();
    ASSERT_NE(listed, nullptr);
    EXPECT_FALSE(lists.listToCome(obj));
    EXPECT_EQ(std::vector<RowCoefficient>(listed->begin(), listed->end()),
              indexed(RowIndex(model), obj));
}

// Rows 2^16 entries apart share their tags: the walk by tags must tell them apart by the rows'
// own entries, in either half.
TEST_F(RowIndexTest, TellsApartRowsWhoseTagsAreEqual) {
    const matrixtest::ObjectPtr object = matrixtest::newObject();
    matrixtest::StoreBuilder build(object->store());
    const auto rowName = [](int r) { return "r" + std::to_string(r); };
    for (int r = 0; r < 65536 + 64; ++r) build.row(rowName(r), 3);
    for (int c = 0; c < 2047; ++c)  // an odd count: the scan's last block is cut short
        build.column("C" + std::to_string(c), {{rowName(c % 64), 1.0 + c},
                                               {rowName(65536 + c % 64), -1.0 - c},
                                               {rowName(64 + c), 2.0}});
    build.finish();
    MatrixModel model;
    ASSERT_TRUE(BuildModelFromLibrary(*object, model));
    const RowIndex index(model);
    const RowTags tags(model);
    for (const int r : {0, 63, 64, 2110, 65535, 65536, 65599}) {
        const std::size_t at = rowsNamed(model, rowName(r).c_str()).first;
        const auto tagged = walkRowCoefficients(model, model.rows[at].cName(), 0, nullptr, &tags);
        EXPECT_EQ(std::vector<RowCoefficient>(tagged.begin(), tagged.end()), indexed(index, at))
            << rowName(r);
    }
}

TEST_F(RowIndexTest, AgreesWithTheWalkOnEveryNetlibModel) {
    const std::filesystem::path folder = std::filesystem::path(NORVA_TEST_DATA_DIR) / "netlib";
    int models = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        ASSERT_TRUE(doc.OnOpenDocument(file.path().string())) << ui.lastMessage;
        const MatrixModel& model = doc.model();
        const RowIndex index(model);
        EXPECT_EQ(expectRowsAsWalked(index, model, file.path()), model.entries.size())
            << file.path();
        expectRowsAsWalked(RowIndex(model, 0), model, file.path().string() + " threaded");
        EXPECT_LE(index.memoryBytes(), 8 * model.entries.size() + 8 * model.rows.size() + 64);
        ++models;
    }
    EXPECT_GE(models, 7);
}

// A build told to pause waits at its first stretch of columns until let go, by its clicks and
// its quiet spell, then lists the rows as one never paused.
TEST_F(RowIndexTest, APausedBuildWaitsUntilLetGo) {
    ASSERT_TRUE(doc.OnOpenDocument(NORVA_TEST_DATA_DIR "/netlib/forplan.mps.gz")) << ui.lastMessage;
    BuildPauses pauses;
    pauses.count = 1;
    auto built = std::async(std::launch::async,
                            [&] { return std::make_unique<RowIndex>(doc.model(), 0, &pauses); });
    EXPECT_EQ(built.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    EXPECT_TRUE(quietBuildFor(pauses, std::chrono::hours(1)));
    pauses.count = 0;
    EXPECT_EQ(built.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    endQuietSpell(pauses);
    expectRowsAsWalked(*built.get(), doc.model(), "paused");

    // Spells asked for within one another run on, eight spells at most; then the work goes
    // on for as long as the run lasted.
    BuildPauses spell;
    using std::chrono::milliseconds;
    const auto start = BuildPauses::Clock::now();
    const auto at = [start](int ms) { return start + milliseconds(ms); };
    const auto ask = [&](int ms) { return quietBuildFor(spell, milliseconds(32), at(ms)); };
    for (int ms = 0; ms <= 240; ms += 20) EXPECT_TRUE(ask(ms)) << ms;
    EXPECT_FALSE(ask(260));
    EXPECT_FALSE(buildMayGo(spell, at(271)));
    EXPECT_TRUE(buildMayGo(spell, at(272)));
    EXPECT_FALSE(ask(540));
    EXPECT_TRUE(ask(544));

    // The reserve made after a build aside waits the same way, and is whole once let go.
    pauses.count = 1;
    auto reserve = std::async(std::launch::async,
                              [&] { return DenseRowReserve::forCoefficients(1 << 20, &pauses); });
    EXPECT_EQ(reserve.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    pauses.count = 0;
    const DenseRowReserve made = reserve.get();
    EXPECT_EQ(made.keys.size(), std::size_t{1} << 20);
    EXPECT_GE(made.products.capacityBytes(), (std::size_t{1} << 19) * sizeof(float));
}

// Columns loaded out of name order and a row that thousands of them hold, some twice: the walk
// reads the coefficients in load order and must still list them as the index does.
TEST_F(RowIndexTest, AgreesWithTheWalkOnColumnsLoadedOutOfOrder) {
    const matrixtest::ObjectPtr object = matrixtest::newObject();
    matrixtest::StoreBuilder build(object->store());
    build.row("obj", 1).row("r1", 3).row("r0", 3);
    for (int c = 0; c < 6000; ++c) {
        std::vector<matrixtest::StoreBuilder::Element> elements = {{"obj", c + 1.0}};
        if (c % 3 == 0) elements.emplace_back(c % 2 ? "r1" : "r0", -c);
        if (c % 7 == 0) elements.emplace_back("obj", 0.5);
        build.column("C" + std::to_string((c * 7919) % 6000), elements);
    }
    build.finish();
    MatrixModel model;
    ASSERT_TRUE(BuildModelFromLibrary(*object, model));
    expectRowsAsWalked(RowIndex(model), model, "out of order");
}

// The index stays with the model (the detail view's tests count its builds); the map
// follows the records.
using RowIndexCacheTest = RowIndexTest;

TEST_F(RowIndexCacheTest, RemakesTheSolutionMapOnlyWhenTheRecordsChange) {
    openModel();
    PrimalLists& primal = doc.primal();
    primal.AddPrimalColumn({"W", 5.0f, 0.0f, 0.0f, 3});
    primal.SortPrimalLists();
    RowIndexCache cache;
    const PrimalColumnMap* map = &cache.primalColumnsFor(doc);
    ASSERT_TRUE(map->answersFor(primal));
    EXPECT_EQ(map->recordOf(0, primal), nullptr);  // V
    EXPECT_EQ(map->recordOf(1, primal), &primal.columns[0]);
    cache.primalColumnsFor(doc);
    EXPECT_EQ(cache.mapBuildCount(), 1);

    primal.ClearPrimalColumns();
    primal.AddPrimalColumn({"V", 7.0f, 0.0f, 0.0f, 3});
    primal.SortPrimalLists();
    cache.indexFor(doc);
    map = &cache.primalColumnsFor(doc);
    EXPECT_EQ(cache.buildCount(), 1);
    EXPECT_EQ(cache.mapBuildCount(), 2);
    ASSERT_TRUE(map->answersFor(primal));
    EXPECT_EQ(map->recordOf(0, primal)->Activity, 7.0f);
    EXPECT_EQ(map->recordOf(1, primal), nullptr);
}

// Built aside after an open, with threads and with the one-thread switch; the second open
// comes while the first build may still run, which the document waits for. The columns' name
// lengths come with the index built aside, and are made on the view's thread only without.
using RowIndexBackgroundTest = RowIndexTest;

// A model about to go stops the work that reads it before waiting for it, and each step of a
// build aside, once stopped, ends at its first stretch, whatever holds it.
TEST_F(RowIndexBackgroundTest, AnOpenStopsTheWorkOnTheModelItReplaces) {
    const std::string netlib = NORVA_TEST_DATA_DIR "/netlib/";
    ASSERT_TRUE(doc.OnOpenDocument(netlib + "boeing1.mps.gz")) << ui.lastMessage;
    std::atomic<bool> stopped{false};
    auto reader = std::async(std::launch::async, [&stopped] {
        for (int wait = 0; wait < 2000 && !stopped; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    doc.addModelReader(reader.share(), [&stopped] { stopped = true; });
    ASSERT_TRUE(doc.OnOpenDocument(netlib + "forplan.mps.gz")) << ui.lastMessage;
    EXPECT_TRUE(stopped);
    const MatrixModel& model = doc.model();
    BuildPauses pauses;
    const RowIndexCache::BuildPause click(std::shared_ptr<BuildPauses>(&pauses, [](auto*) {}));
    quietBuildFor(pauses, std::chrono::hours(1));
    stopBuild(pauses);
    EXPECT_THROW(RowTags(model, &pauses), BuildStopped);
    EXPECT_THROW(RowIndex(model, 0, &pauses), BuildStopped);
    EXPECT_THROW(walkRowCoefficients(model, model.rows[0].cName(), 0, &pauses), BuildStopped);
}

TEST_F(RowIndexBackgroundTest, GivesTheRowsOfTheSynchronousBuild) {
    const std::string netlib = NORVA_TEST_DATA_DIR "/netlib/";
    const bool allowed = orbxmps::parallelWorkAllowed();
    for (const bool threads : {true, false}) {
        SCOPED_TRACE(threads ? "threads" : "one thread");
        orbxmps::allowParallelWork(threads);
        RowIndexCache cache;
        ASSERT_TRUE(doc.OnOpenDocument(netlib + "boeing1.mps.gz")) << ui.lastMessage;
        cache.startBuilding(doc, 0);
        ASSERT_TRUE(doc.OnOpenDocument(netlib + "forplan.mps.gz")) << ui.lastMessage;
        cache.startBuilding(doc, 0, 0, 64);
        // The densest rows, listed ahead, read what the index will.
        std::vector<std::pair<std::size_t, std::vector<RowCoefficient>>> listedAhead;
        if (const auto lists = cache.denseRowsFor(doc))
            for (std::size_t r = 0; r < doc.model().rows.size(); ++r)
                if (const auto* listed = lists->listOfRow(r, true))
                    listedAhead.emplace_back(r, std::vector(listed->begin(), listed->end()));
        EXPECT_EQ(listedAhead.empty(), !threads);
        // The build's name lengths are taken once made, and taking the index keeps them.
        const ColumnNameLengths* early = cache.readyNameLengthsFor(doc);
        for (int wait = 0; early == nullptr && wait < 30000; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            early = cache.readyNameLengthsFor(doc);
        }
        ASSERT_NE(early, nullptr);
        const RowIndex& index = cache.indexFor(doc);
        EXPECT_EQ(cache.denseRowsFor(doc), nullptr);
        for (const auto& [row, listed] : listedAhead) EXPECT_EQ(indexed(index, row), listed) << row;
        expectRowsAsWalked(index, doc.model(), "built aside");
        EXPECT_EQ(&cache.nameLengthsFor(doc), early);
        EXPECT_TRUE(early->fits(doc.model()));
        EXPECT_EQ(std::pair(cache.buildCount(), cache.nameLengthsBuildCount()),
                  std::pair(1, threads ? 0 : 1));
        // The longest row's reserve comes once. Taken by a list that holds an order, it keeps
        // that order, and a list sorted in it sorts as one without.
        DenseRowReserve reserve = cache.takeDenseRowReserve();
        EXPECT_EQ(reserve.order.size(), threads ? index.longestList() : 0);
        EXPECT_TRUE(cache.takeDenseRowReserve().empty());
        std::size_t longest = 0;
        while (index.coefficientsOfRow(longest).size() < index.longestList()) ++longest;
        std::size_t shorter = 0;  // long enough to hold an order, shorter than the reserve
        while (index.coefficientsOfRow(shorter).size() < 16 || shorter == longest) ++shorter;
        RowEntries lists[2];
        EntrySortScratch scratch;
        for (const std::size_t row : {shorter, longest}) {
            for (RowEntries& list : lists) {
                list.assign(doc.model(), index.coefficientsOfRow(row), {}, {}, nullptr);
                list.arrange(1, true, {}, scratch);
            }
            if (row == shorter) lists[1].keepReserve(reserve);
            for (std::size_t i = 0; i < lists[0].size(); ++i)
                ASSERT_EQ(lists[0].name(i), lists[1].name(i)) << row << " at " << i;
        }
    }
    orbxmps::allowParallelWork(allowed);
}

}  // namespace
