// analysis-bench: the scaling report, the decade histogram and the magnitude picture of the
// whole matrix on a generated model (bench/generate_mps.cpp, seed 1).
//
//   analysis-bench [benchmark options]
// Environment: NORVA_ANALYSIS_BENCH_MPS names an existing model to use instead;
// NORVA_ANALYSIS_BENCH_NONZEROS sets the generated size (default 5000000).

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

#include "AppFlags.h"
#include "BenchModelFile.h"
#include "CNorvaDoc.h"
#include "IUserInterface.h"
#include "MagnitudeHistogram.h"
#include "MagnitudePicture.h"
#include "MatrixOrder.h"
#include "ScalingReport.h"

namespace {

struct LoadedModel {
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};
};

const MatrixModel& model() {
    static std::unique_ptr<LoadedModel> loaded = [] {
        auto made = std::make_unique<LoadedModel>();
        BenchModelFile file("NORVA_ANALYSIS_BENCH_MPS", "NORVA_ANALYSIS_BENCH_NONZEROS");
        if (!made->doc.OnOpenDocument(file.path()))
            throw std::runtime_error("cannot open " + file.path() + ": " + made->ui.lastMessage);
        return made;
    }();
    return loaded->doc.model();
}

void setNonzeros(benchmark::State& state) {
    state.counters["nonzeros"] = static_cast<double>(model().entries.size());
}

void BM_ScalingReport(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(computeScalingReport(model()));
    setNonzeros(state);
}

void BM_Histogram(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(computeHistogram(model()));
    setNonzeros(state);
}

// The order is made once per model and order choice; the picture on every zoom.
void BM_MatrixOrder(benchmark::State& state) {
    const auto order = static_cast<PictureOrder>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(makeMatrixOrder(model(), order));
    setNonzeros(state);
}

void BM_WholePicture(benchmark::State& state) {
    const MatrixOrder order = makeMatrixOrder(model(), PictureOrder::kFile);
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(renderPicture(model(), order, wholeMatrix(order), side, side));
    setNonzeros(state);
}

}  // namespace

BENCHMARK(BM_ScalingReport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Histogram)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixOrder)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholePicture)->Arg(800)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
