#include "StatsWriter.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "ParallelWork.h"

namespace {

constexpr float kInfiniteBound = 1e20f;
constexpr char kRowTypes[4] = {'N', 'E', 'L', 'G'};

// A table, not a search: the rows' types come in no order, and a search's branches missed
// on most rows of a large model.
constexpr std::array<std::uint8_t, 256> kSlotOfRowType = [] {
    std::array<std::uint8_t, 256> slots{};  // 0, 'N', for anything unknown
    for (std::uint8_t i = 0; i < 4; ++i) slots[static_cast<unsigned char>(kRowTypes[i])] = i;
    return slots;
}();

std::size_t rowTypeSlot(char type) { return kSlotOfRowType[static_cast<unsigned char>(type)]; }

std::size_t countNonlinearTerms(const orbxmps::ORBObject* object) {
    if (object == nullptr) return 0;
    return object->store().nonlinear.terms.size();
}

void writeCount(std::string_view key, std::size_t count, OutputBuffer& out) {
    out.write(key);
    out.write(": ");
    out.writeInteger(static_cast<long long>(count));
    out.put('\n');
}

void writeMagnitude(std::string_view key, bool any, float value, OutputBuffer& out) {
    out.write(key);
    out.write(": ");
    if (any)
        out.writeFloat(value);
    else
        out.write("none");
    out.put('\n');
}

void writeRange(std::string_view prefix, const MagnitudeRange& range, OutputBuffer& out) {
    const std::string base(prefix);
    writeMagnitude(base + "_abs_min", range.any, range.smallest, out);
    writeMagnitude(base + "_abs_max", range.any, range.largest, out);
}

void writeFeatures(const orbxmps::ModelFeatures& features, OutputBuffer& out) {
    out.write(features.maximise ? "objective_sense: max\n" : "objective_sense: min\n");
    out.write("objective_constant: ");
    out.writeFloat(static_cast<float>(features.objectiveConstant));
    out.put('\n');
    writeCount("integer_columns", features.integerColumns, out);
    writeCount("semicontinuous_columns", features.semiContinuousColumns, out);
    writeCount("semiinteger_columns", features.semiIntegerColumns, out);
    writeCount("columns_lower_above_upper", features.crossedBoundColumns, out);
    writeCount("sos_sets", features.sets, out);
    writeCount("sos_members", features.setMembers, out);
    writeCount("cones", features.cones, out);
    writeCount("indicators", features.indicators, out);
    writeCount("load_warnings", static_cast<std::size_t>(features.warnings), out);
}

// The values in the order they are stored, which the magnitudes do not depend on (column by
// column in name order would read them at random). The compiler keeps this loop scalar, and a
// large model's millions of values made it the bulk of a quick look; where SSE2 is there
// (every x86-64) four values go at a time.
MagnitudeRange coefficientMagnitudes(const ModelCoefficients& entries) {
    const double* values = entries.arrays()->values;
    const std::size_t size = entries.size();
    MagnitudeRange range;
    std::size_t done = 0;
#ifdef __SSE2__
    const __m128 magnitudeMask = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    const __m128 infinity = _mm_set1_ps(std::numeric_limits<float>::infinity());
    __m128 low = infinity;  // the smallest non-zero magnitude of each lane
    __m128 high = _mm_setzero_ps();
    for (; done + 4 <= size; done += 4) {
        const __m128 four = _mm_movelh_ps(_mm_cvtpd_ps(_mm_loadu_pd(values + done)),
                                          _mm_cvtpd_ps(_mm_loadu_pd(values + done + 2)));
        const __m128 magnitude = _mm_and_ps(four, magnitudeMask);
        high = _mm_max_ps(high, magnitude);
        const __m128 zero = _mm_cmpeq_ps(magnitude, _mm_setzero_ps());
        low = _mm_min_ps(low, _mm_or_ps(_mm_and_ps(zero, infinity), _mm_andnot_ps(zero, magnitude)));
    }
    alignas(16) float lows[4];
    alignas(16) float highs[4];
    _mm_store_ps(lows, low);
    _mm_store_ps(highs, high);
    // A lane that met only zeros has nothing to add.
    for (int k = 0; k < 4; ++k) {
        if (highs[k] == 0.0f) continue;
        range.add(lows[k]);
        range.add(highs[k]);
    }
#endif
    for (; done < size; ++done) range.add(static_cast<float>(values[done]));
    return range;
}

// Everything but the coefficients' magnitudes and the library's features.
void countModelParts(const MatrixModel& model, const orbxmps::ORBObject* object,
                     ModelStats& stats) {
    stats.rows = model.rows.size();
    for (const CRow& row : model.rows) ++stats.rowsByType[rowTypeSlot(row.type())];
    stats.columns = model.columns.size();
    for (const CCol& column : model.columns) stats.nonzeros += column.coefficientCount();
    stats.rhs = model.rhs.size();
    for (const CRowValue& value : model.rhs) stats.rightHandSides.add(value.value());
    stats.ranges = model.ranges.size();
    stats.bounds = model.bounds.size();
    for (const CBound& bound : model.bounds) {
        if (bound.kind() >= kBoundLower && bound.kind() <= kBoundFree)
            ++stats.boundsByKind[bound.kind() - kBoundLower];
        if (std::fabs(bound.value()) < kInfiniteBound) stats.finiteBounds.add(bound.value());
    }
    stats.nonlinearTerms = countNonlinearTerms(object);
}

}  // namespace

void MagnitudeRange::add(float value) {
    const float magnitude = std::fabs(value);
    if (magnitude == 0.0f) return;
    if (!any || magnitude < smallest) smallest = magnitude;
    if (!any || magnitude > largest) largest = magnitude;
    any = true;
}

ModelStats collectStats(const MatrixModel& model, const orbxmps::ORBObject* object) {
    // The coefficients' values and the library's column arrays are about half the bytes read
    // here, the model's lists the other half, which take more work a byte: one core reads
    // each, the other core having nothing left to do by now. A thread pays off only past a
    // few hundred thousand values.
    constexpr std::size_t kSideThreadFrom = std::size_t{1} << 18;
    ModelStats stats;
    orbxmps::runAlongsideIf(
        model.entries.size() >= kSideThreadFrom,
        [&] {
            stats.coefficients = coefficientMagnitudes(model.entries);
            if (object != nullptr) stats.features = orbxmps::countModelFeatures(object->store());
        },
        [&] { countModelParts(model, object, stats); });
    return stats;
}

void writeStats(const ModelStats& stats, double loadSeconds, OutputBuffer& out) {
    writeCount("rows", stats.rows, out);
    for (std::size_t i = 0; i < 4; ++i)
        writeCount(std::string("rows_") + kRowTypes[i], stats.rowsByType[i], out);
    writeCount("columns", stats.columns, out);
    writeCount("nonzeros", stats.nonzeros, out);
    writeCount("rhs", stats.rhs, out);
    writeCount("ranges", stats.ranges, out);
    writeCount("bounds", stats.bounds, out);
    writeCount("bounds_lower", stats.boundsByKind[0], out);
    writeCount("bounds_upper", stats.boundsByKind[1], out);
    writeCount("bounds_fixed", stats.boundsByKind[2], out);
    writeCount("bounds_free", stats.boundsByKind[3], out);
    writeCount("nonlinear_terms", stats.nonlinearTerms, out);
    writeRange("coef", stats.coefficients, out);
    writeRange("rhs", stats.rightHandSides, out);
    writeRange("bound", stats.finiteBounds, out);
    writeFeatures(stats.features, out);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", loadSeconds);
    out.write("load_seconds: ");
    out.write(seconds);
    out.put('\n');
}
