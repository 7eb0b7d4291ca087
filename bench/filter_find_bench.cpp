// filter-find-bench: the coefficient filter, Add rows with its grid, and Find, on a generated
// model of about 5 million non-zeros (bench/generate_mps.cpp, seed 1).
//
//   filter-find-bench [benchmark options]
// Environment: NORVA_FILTER_BENCH_MPS names an existing model to use instead;
// NORVA_FILTER_BENCH_NONZEROS sets the generated size (default 5000000).
// The first filter after the open also builds the library's row order and name index; its
// time is reported as the counter first_filter_ms of BM_FilterLarge, the runs themselves
// measure later filters.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "AppFlags.h"
#include "BenchModelFile.h"
#include "CNorvaDoc.h"
#include "CoefficientFilter.h"
#include "IUserInterface.h"
#include "NameList.h"
#include "NameSearch.h"
#include "Submatrix.h"
#include "SubmatrixGrid.h"
#include "SubmatrixRows.h"

namespace {

struct LoadedModel {
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};
    double firstFilterMs = 0.0;
};

LoadedModel& model() {
    static std::unique_ptr<LoadedModel> loaded = [] {
        auto made = std::make_unique<LoadedModel>();
        BenchModelFile file("NORVA_FILTER_BENCH_MPS", "NORVA_FILTER_BENCH_NONZEROS");
        if (!made->doc.OnOpenDocument(file.path()))
            throw std::runtime_error("cannot open " + file.path() + ": " + made->ui.lastMessage);
        Submatrix submatrix;
        const auto start = std::chrono::steady_clock::now();
        Filter(submatrix, made->doc.matrixObject(), made->doc.model(), FilterSettings{});
        made->firstFilterMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        return made;
    }();
    return *loaded;
}

void runFilter(benchmark::State& state, const FilterSettings& settings) {
    LoadedModel& loaded = model();
    Submatrix submatrix;
    for (auto _ : state) {
        Filter(submatrix, loaded.doc.matrixObject(), loaded.doc.model(), settings);
        benchmark::DoNotOptimize(submatrix.rowCount());
    }
    state.counters["rows"] = static_cast<double>(submatrix.rowCount());
    state.counters["columns"] = static_cast<double>(submatrix.columnCount());
    state.counters["nonzeros"] = static_cast<double>(loaded.doc.model().entries.size());
}

void BM_FilterLarge(benchmark::State& state) {
    runFilter(state, FilterSettings{});
    state.counters["first_filter_ms"] = model().firstFilterMs;
}

void BM_FilterSmall(benchmark::State& state) {
    FilterSettings settings;
    settings.toleranceSel = 1;
    runFilter(state, settings);
}

void BM_FilterRatio(benchmark::State& state) {
    FilterSettings settings;
    settings.toleranceSel = 2;
    runFilter(state, settings);
}

// A ratio low enough to select many rows, each shown with all its columns.
void BM_FilterRatioAllColumns(benchmark::State& state) {
    FilterSettings settings;
    settings.toleranceSel = 2;
    settings.largeRatio = static_cast<double>(state.range(0));
    settings.showAllColumns = true;
    runFilter(state, settings);
}

// Every n-th row name, for state.range(0) rows.
std::vector<std::string> spreadRowNames(const MatrixModel& model, std::size_t count) {
    std::vector<std::string> names;
    const std::size_t step = std::max<std::size_t>(1, model.rows.size() / count);
    for (std::size_t r = 0; r < model.rows.size() && names.size() < count; r += step)
        names.emplace_back(model.rows[r].name());
    return names;
}

void BM_AddRows(benchmark::State& state) {
    LoadedModel& loaded = model();
    const std::vector<std::string> names =
        spreadRowNames(loaded.doc.model(), static_cast<std::size_t>(state.range(0)));
    Submatrix submatrix;
    for (auto _ : state) {
        submatrix.clear();
        AddRows(submatrix, loaded.doc.matrixObject(), names);
        benchmark::DoNotOptimize(submatrix.columnCount());
    }
    state.counters["rows"] = static_cast<double>(submatrix.rowCount());
    state.counters["columns"] = static_cast<double>(submatrix.columnCount());
}

// The redraw of what BM_AddRows built: name order, formatting, the cells.
void BM_Grid(benchmark::State& state) {
    LoadedModel& loaded = model();
    Submatrix submatrix;
    AddRows(submatrix, loaded.doc.matrixObject(),
            spreadRowNames(loaded.doc.model(), static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) {
        const SubmatrixGrid grid(submatrix, NumberFormatOptions{});
        benchmark::DoNotOptimize(grid.lineCount());
    }
}

// One press that tests every column name and finds nothing: the worst case of a search.
void runFind(benchmark::State& state, const char* text, bool ignoreCase) {
    LoadedModel& loaded = model();
    DocumentSettings settings;
    settings.IgnoreCase = ignoreCase ? 1 : 0;
    RecordingUserInterface ui;
    NameSearch search(settings, ui);
    const NameList names(loaded.doc.model(), false);
    for (auto _ : state) benchmark::DoNotOptimize(search.searchDown(text, names, 0).found());
    state.counters["names"] = static_cast<double>(names.size());
}

void BM_FindNoMatch(benchmark::State& state) { runFind(state, "NOSUCHNAME", false); }
void BM_FindPatternIgnoreCase(benchmark::State& state) { runFind(state, "q*z?x", true); }

}  // namespace

BENCHMARK(BM_FilterLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSmall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterRatio)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterRatioAllColumns)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddRows)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNoMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindPatternIgnoreCase)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
