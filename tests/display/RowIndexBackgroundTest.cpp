#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "IUserInterface.h"
#include "ParallelWork.h"
#include "RowIndex.h"
#include "RowIndexCache.h"

namespace {

// Every row of the index as a synchronous build and (for the first rows) the walk give it.
void expectSameRows(const RowIndex& index, const MatrixModel& model) {
    const RowIndex made(model);
    for (std::size_t r = 0; r < model.rows.size(); ++r) {
        const auto got = index.coefficientsOfRow(r);
        const auto want = made.coefficientsOfRow(r);
        ASSERT_TRUE(std::equal(got.begin(), got.end(), want.begin(), want.end())) << "row " << r;
        if (r >= 100) continue;
        ASSERT_EQ(walkRowCoefficients(model, model.rows[r].cName()),
                  std::vector<RowCoefficient>(want.begin(), want.end()))
            << "row " << r;
    }
}

// Built aside after an open, with threads and with the one-thread switch; the second open
// comes while the first build may still run, which the document waits for. The columns' name
// lengths come with the index built aside, and are made on the view's thread only without.
TEST(RowIndexBackgroundTest, GivesTheRowsOfTheSynchronousBuild) {
    const std::string netlib = NORVA_TEST_DATA_DIR "/netlib/";
    const bool allowed = orbxmps::parallelWorkAllowed();
    for (const bool threads : {true, false}) {
        SCOPED_TRACE(threads ? "threads" : "one thread");
        orbxmps::allowParallelWork(threads);
        RecordingUserInterface ui;
        AppFlags flags;
        CNorvaDoc doc(ui, flags, nullptr);
        RowIndexCache cache;
        ASSERT_TRUE(doc.OnOpenDocument(netlib + "boeing1.mps.gz")) << ui.lastMessage;
        cache.startBuilding(doc, 0);
        ASSERT_TRUE(doc.OnOpenDocument(netlib + "forplan.mps.gz")) << ui.lastMessage;
        cache.startBuilding(doc, 0);
        expectSameRows(cache.indexFor(doc), doc.model());
        EXPECT_EQ(cache.buildCount(), 1);
        EXPECT_TRUE(cache.nameLengthsFor(doc).fits(doc.model()));
        EXPECT_EQ(cache.nameLengthsBuildCount(), threads ? 0 : 1);
    }
    orbxmps::allowParallelWork(allowed);
}

}  // namespace
