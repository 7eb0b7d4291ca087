// detail-bench: the detail view's rebuild time on a generated model of about 5 million
// non-zeros (bench/generate_mps.cpp, seed 1): row display the first time (the row index is
// built then), the same while the index is built on another thread, a click on a typical and on
// the densest row during that build, row
// display afterwards for a typical row and for the densest row (the objective, about half the
// columns), a click on the densest row as the view answers it (rebuild, entry search, widest cells,
// a screenful of cells), the plain column walk that the index replaces, and column display; then,
// with solution records for every second column, the densest row in name order and sorted by
// activity, coefficient and product, the click again in name order and under each of those
// sort keys, the first sorted click of a fresh view, the map of columns to their records that those
// rebuilds use, and the densest row's listing texts for a screenful; last, the equation pane's
// text of a typical and of the densest row.
//
//   detail-bench [benchmark options]
// Environment: NORVA_DETAIL_BENCH_MPS names an existing model to use instead;
// NORVA_DETAIL_BENCH_NONZEROS sets the generated size (default 5000000).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "AppFlags.h"
#include "BenchModelFile.h"
#include "CNorvaDoc.h"
#include "ColumnDisplay.h"
#include "DenseRowLists.h"
#include "DetailViewLogic.h"
#include "EquationPane.h"
#include "IUserInterface.h"
#include "NameList.h"
#include "PrimalColumnMap.h"
#include "RowDisplay.h"
#include "RowIndex.h"
#include "RowIndexCache.h"
#include "WidestCells.h"

namespace {

struct LoadedModel {
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};
    std::size_t typicalRow = 0;
    std::size_t densestRow = 0;
    std::size_t typicalColumn = 0;
};

LoadedModel& model() {
    static std::unique_ptr<LoadedModel> loaded = [] {
        auto made = std::make_unique<LoadedModel>();
        BenchModelFile file("NORVA_DETAIL_BENCH_MPS", "NORVA_DETAIL_BENCH_NONZEROS");
        if (!made->doc.OnOpenDocument(file.path()))
            throw std::runtime_error("cannot open " + file.path() + ": " + made->ui.lastMessage);
        const MatrixModel& m = made->doc.model();
        const RowIndex index(m);
        made->typicalRow = m.rows.size() / 2;
        for (std::size_t r = 0; r < m.rows.size(); ++r)
            if (index.coefficientsOfRow(r).size() >
                index.coefficientsOfRow(made->densestRow).size())
                made->densestRow = r;
        made->typicalColumn = m.columns.size() / 2;
        return made;
    }();
    return *loaded;
}

// Builds the row into content; the view keeps one content and rebuilds into it, so the
// benchmarks after the first time pass the same one each time.
void showRowInto(DetailContent& content, const LoadedModel& loaded, const RowIndex* index,
                 std::size_t row, benchmark::State& state, int sortKey = 0,
                 const PrimalColumnMap* primalColumns = nullptr,
                 const RowIndexCache::RowSource* aside = nullptr) {
    DetailSources sources = detailSourcesOf(loaded.doc, index, {});
    sources.sortKey = sortKey;
    sources.primalColumns = primalColumns;
    if (aside != nullptr) {
        sources.denseRows = aside->denseRows.get();
        sources.rowTags = aside->tags.get();
    }
    BuildRowDisplay(sources, row, content);
    benchmark::DoNotOptimize(&content);
    state.counters["entries"] = static_cast<double>(content.entryCount());
}

void showRow(const LoadedModel& loaded, const RowIndex* index, std::size_t row,
             benchmark::State& state, const RowIndexCache::RowSource* aside = nullptr) {
    DetailContent content;
    showRowInto(content, loaded, index, row, state, 0, nullptr, aside);
}

void BM_RowDetailFirstTime(benchmark::State& state) {
    const LoadedModel& loaded = model();
    for (auto _ : state) {
        auto cache = std::make_unique<RowIndexCache>();
        showRow(loaded, &cache->indexFor(loaded.doc), loaded.typicalRow, state);
        state.PauseTiming();
        cache.reset();
        state.ResumeTiming();
    }
}

// The row shown as the view shows it while a build may be under way.
void showAsTheView(RowIndexCache& cache, const LoadedModel& loaded, std::size_t row,
                   benchmark::State& state) {
    const RowIndexCache::RowSource source = cache.rowSourceFor(loaded.doc, row);
    showRow(loaded, source.index, row, state, &source);
}

// What an open costs the view now: the index is started on another thread and the first row
// is shown at once, by a walk unless the index is done by then. The build then ends untimed.
void BM_RowDetailWhileIndexBuilds(benchmark::State& state) {
    LoadedModel& loaded = model();
    for (auto _ : state) {
        auto cache = std::make_unique<RowIndexCache>();
        cache->startBuilding(loaded.doc);
        showAsTheView(*cache, loaded, loaded.typicalRow, state);
        // The build's end and the index's release are not the click's.
        state.PauseTiming();
        cache->indexFor(loaded.doc);
        cache.reset();
        state.ResumeTiming();
    }
}

// A click on the row the argument's milliseconds into the build aside, answered as the view
// answers it: from the densest rows' lists or by a walk, with the build held meanwhile, unless
// the index is done by then. The build's parts differ, so clicks are timed at several moments.
void clickWhileIndexBuilds(benchmark::State& state, std::size_t row) {
    LoadedModel& loaded = model();
    for (auto _ : state) {
        state.PauseTiming();
        auto cache = std::make_unique<RowIndexCache>();
        cache->startBuilding(loaded.doc);
        std::this_thread::sleep_for(std::chrono::milliseconds(state.range(0)));
        state.ResumeTiming();
        showAsTheView(*cache, loaded, row, state);
        state.PauseTiming();
        cache->indexFor(loaded.doc);
        cache.reset();
        state.ResumeTiming();
    }
}

void BM_RowClickWhileIndexBuilds(benchmark::State& state) {
    clickWhileIndexBuilds(state, model().typicalRow);
}
void BM_DensestRowClickWhileIndexBuilds(benchmark::State& state) {
    clickWhileIndexBuilds(state, model().densestRow);
}

// What an open pays on the view's thread to pick the rows listed ahead of the index.
void BM_DenseRowPick(benchmark::State& state) {
    const LoadedModel& loaded = model();
    for (auto _ : state) {
        DenseRowLists lists;
        lists.pick(loaded.doc.model());
        state.counters["picked"] = static_cast<double>(lists.pickedCount());
    }
}

void BM_RowIndexBuild(benchmark::State& state) {
    const LoadedModel& loaded = model();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const RowIndex index(loaded.doc.model());
        bytes = index.memoryBytes();
    }
    state.counters["bytes_per_nonzero"] =
        static_cast<double>(bytes) / static_cast<double>(loaded.doc.model().entries.size());
}

// The tags that a build aside makes first, for the walks until its index is done.
void BM_RowTags(benchmark::State& state) {
    const LoadedModel& loaded = model();
    for (auto _ : state) benchmark::DoNotOptimize(RowTags(loaded.doc.model()).data());
}

// A typical row by the walk once the tags are made.
void BM_RowDetailByTags(benchmark::State& state) {
    const LoadedModel& loaded = model();
    RowIndexCache::RowSource aside;
    aside.tags = std::make_shared<const RowTags>(loaded.doc.model());
    for (auto _ : state) showRow(loaded, nullptr, loaded.typicalRow, state, &aside);
}

void rowAfterIndex(benchmark::State& state, bool densest) {
    const LoadedModel& loaded = model();
    RowIndexCache cache;
    const RowIndex& index = cache.indexFor(loaded.doc);
    DetailContent content;
    for (auto _ : state)
        showRowInto(content, loaded, &index, densest ? loaded.densestRow : loaded.typicalRow,
                    state);
}

void BM_RowDetailTypical(benchmark::State& state) { rowAfterIndex(state, false); }
void BM_RowDetailDensest(benchmark::State& state) { rowAfterIndex(state, true); }

// A click on the densest row as the view answers it: the rebuild, the search for the
// remembered entry name, the widest cells of the five columns that size the list and the
// cells of the screenful that shows the selected entry; under the view's sort key sortKey.
// A click on a row as the view answers it: the rebuild, the entry search, the widest cells of
// the five columns and a screenful of cells.
void clickOn(DetailViewLogic& logic, std::size_t row) {
    logic.selectName(row);
    const DetailContent& content = logic.content();
    for (int column = 0; column < 5; ++column)
        benchmark::DoNotOptimize(widestCellTexts(content, column));
    const std::size_t first = logic.selectedEntries().front();
    for (std::size_t line = first; line < std::min(first + 40, content.entryCount()); ++line)
        for (int column = 0; column < 5; ++column)
            benchmark::DoNotOptimize(content.cellText(line, column));
}

void densestClick(benchmark::State& state, LoadedModel& loaded, int sortKey = 0) {
    loaded.doc.setSortKey(sortKey);
    DetailViewLogic logic(loaded.doc);
    logic.rowIndexCache().indexFor(loaded.doc);
    logic.selectName(loaded.densestRow);  // makes what the view keeps per model
    for (auto _ : state) clickOn(logic, loaded.densestRow);
    state.counters["entries"] = static_cast<double>(logic.content().entryCount());
    loaded.doc.setSortKey(0);
}

void BM_RowDetailDensestClick(benchmark::State& state) { densestClick(state, model()); }

// The walk over every coefficient that the index replaces, for comparison.
void BM_RowDetailByWalk(benchmark::State& state) {
    const LoadedModel& loaded = model();
    for (auto _ : state) showRow(loaded, nullptr, loaded.typicalRow, state);
}

// The same for the densest row, which the walk finds by another route.
void BM_RowDetailDensestByWalk(benchmark::State& state) {
    const LoadedModel& loaded = model();
    for (auto _ : state) showRow(loaded, nullptr, loaded.densestRow, state);
}

void BM_ColumnDetail(benchmark::State& state) {
    const LoadedModel& loaded = model();
    for (auto _ : state) {
        DetailContent content;
        BuildColumnDisplay(detailSourcesOf(loaded.doc, nullptr, {}), loaded.typicalColumn, content);
        benchmark::DoNotOptimize(&content);
        state.counters["entries"] = static_cast<double>(content.entryCount());
    }
}

// Solution records for every second column, as a results file that skips some would give;
// added once, after the benchmarks without a solution have run.
const LoadedModel& modelWithSolution() {
    LoadedModel& loaded = model();
    PrimalLists& primal = loaded.doc.primal();
    if (primal.columns.empty()) {
        const MatrixModel& m = loaded.doc.model();
        for (std::size_t c = 0; c < m.columns.size(); c += 2)
            primal.AddPrimalColumn({std::string(m.columns[c].name()),
                                    static_cast<float>(c % 1000) * 0.25f, 0.0f, 1.0f, 3});
        primal.SortPrimalLists();
    }
    return loaded;
}

void densestWithSolution(benchmark::State& state, int sortKey) {
    const LoadedModel& loaded = modelWithSolution();
    RowIndexCache cache;
    const RowIndex& index = cache.indexFor(loaded.doc);
    const PrimalColumnMap& map = cache.primalColumnsFor(loaded.doc);
    DetailContent content;
    for (auto _ : state)
        showRowInto(content, loaded, &index, loaded.densestRow, state, sortKey, &map);
}

void BM_RowDetailDensestWithSolution(benchmark::State& state) { densestWithSolution(state, 0); }
void BM_RowDetailDensestByActivity(benchmark::State& state) { densestWithSolution(state, 2); }
void BM_RowDetailDensestByCoefficient(benchmark::State& state) { densestWithSolution(state, 1); }
void BM_RowDetailDensestByProduct(benchmark::State& state) { densestWithSolution(state, 3); }
void BM_RowDetailDensestClickWithSolution(benchmark::State& state) {
    modelWithSolution();
    densestClick(state, model());
}
// The same after a click on the header of the coefficients, the activities or the products.
void BM_RowDetailDensestClickSortedByCoefficient(benchmark::State& state) {
    modelWithSolution();
    densestClick(state, model(), 1);
}
void BM_RowDetailDensestClickSortedByActivity(benchmark::State& state) {
    modelWithSolution();
    densestClick(state, model(), 2);
}
void BM_RowDetailDensestClickSortedByProduct(benchmark::State& state) {
    modelWithSolution();
    densestClick(state, model(), 3);
}

// The first sorted click on the densest row of a view that has shown only a typical row, its
// index built aside as after an open (untimed).
void BM_RowDetailDensestFirstClickSortedByActivity(benchmark::State& state) {
    LoadedModel& loaded = model();
    modelWithSolution();
    loaded.doc.setSortKey(2);
    for (auto _ : state) {
        state.PauseTiming();
        auto logic = std::make_unique<DetailViewLogic>(loaded.doc);
        logic->rowIndexCache().startBuilding(loaded.doc);
        logic->rowIndexCache().indexFor(loaded.doc);
        logic->selectName(loaded.typicalRow);
        state.ResumeTiming();
        clickOn(*logic, loaded.densestRow);
        state.PauseTiming();
        logic.reset();
        state.ResumeTiming();
    }
    loaded.doc.setSortKey(0);
}

// The map from columns to their solution records that row display makes once per model and
// set of records.
void BM_PrimalColumnMapBuild(benchmark::State& state) {
    const LoadedModel& loaded = modelWithSolution();
    for (auto _ : state) {
        const PrimalColumnMap map(loaded.doc.model(), loaded.doc.primal());
        benchmark::DoNotOptimize(&map);
    }
}

// What the entry list writes for a screenful (40 lines of 5 cells) of the densest row.
void BM_DensestScreenfulOfCells(benchmark::State& state) {
    const LoadedModel& loaded = modelWithSolution();
    const RowIndex index(loaded.doc.model());
    DetailContent content;
    BuildRowDisplay(detailSourcesOf(loaded.doc, &index, {}), loaded.densestRow, content);
    for (auto _ : state)
        for (std::size_t line = 0; line < 40; ++line)
            for (int column = 0; column < 5; ++column)
                benchmark::DoNotOptimize(content.cellText(line, column));
}

// The equation pane's text of a row, made from the matrix library, which has not ordered its
// elements by row: each row's are found by a scan.
void equationOf(benchmark::State& state, std::size_t row) {
    LoadedModel& loaded = model();
    const char* name = loaded.doc.model().rows[row].cName();
    for (auto _ : state) {
        const auto equation =
            buildEquation(loaded.doc.matrixObject(), loaded.doc.nonlinearTerms(), name, "");
        if (!equation) throw std::runtime_error("no equation for row " + std::string(name));
        state.counters["characters"] = static_cast<double>(equation->text.size());
    }
}
void BM_EquationTypical(benchmark::State& state) { equationOf(state, model().typicalRow); }
void BM_EquationDensest(benchmark::State& state) { equationOf(state, model().densestRow); }

// What a click on the densest row makes of its equation before the pane shows: the row's
// elements found (the first ahead, the rest counted) and its first stretch of text.
void BM_EquationDensestFirstStretch(benchmark::State& state) {
    LoadedModel& loaded = model();
    const char* name = loaded.doc.model().rows[loaded.densestRow].cName();
    for (auto _ : state) {
        std::optional<EquationMaker> maker =
            EquationMaker::start(loaded.doc.matrixObject(), loaded.doc.nonlinearTerms(), name, "");
        if (!maker) throw std::runtime_error("no equation for row " + std::string(name));
        EquationText start;
        maker->makeNext(EquationMaker::kTermsPerStretch, start);
        state.counters["characters"] = static_cast<double>(start.text.size());
    }
}

}  // namespace

BENCHMARK(BM_RowDetailFirstTime)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RowDetailWhileIndexBuilds)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RowClickWhileIndexBuilds)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->DenseRange(0, 900, 150);
BENCHMARK(BM_DensestRowClickWhileIndexBuilds)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->DenseRange(0, 900, 150);
BENCHMARK(BM_DenseRowPick)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowIndexBuild)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RowDetailTypical)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RowDetailDensest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailDensestClick)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailByWalk)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RowTags)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RowDetailByTags)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RowDetailDensestByWalk)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ColumnDetail)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RowDetailDensestWithSolution)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailDensestByActivity)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailDensestByCoefficient)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailDensestByProduct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailDensestClickWithSolution)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailDensestClickSortedByCoefficient)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailDensestClickSortedByActivity)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailDensestClickSortedByProduct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailDensestFirstClickSortedByActivity)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_PrimalColumnMapBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DensestScreenfulOfCells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EquationTypical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EquationDensest)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EquationDensestFirstStretch)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
