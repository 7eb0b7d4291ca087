#include "GeometricScaling.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace {

struct Extremes {
    double min = std::numeric_limits<double>::infinity();
    double max = 0.0;

    void add(double magnitude) {
        if (magnitude < min) min = magnitude;
        if (magnitude > max) max = magnitude;
    }
    // The factor that brings the geometric mean of min and max to 1; 1 when nothing was added.
    double scale() const { return max == 0.0 ? 1.0 : 1.0 / std::sqrt(min * max); }
};

// A row's scale beside the extremes gathered for its next scaling, so that the random access
// of a coefficient to its row touches one cache line. The extremes only steer the scales and
// the final ratio, so floats do.
struct RowState {
    double scale = 1.0;
    float min = std::numeric_limits<float>::infinity();
    float max = 0.0f;

    void add(double magnitude) {
        const auto value = static_cast<float>(magnitude);
        if (value < min) min = value;
        if (value > max) max = value;
    }
    void rescale() {
        if (max != 0.0f) scale /= std::sqrt(static_cast<double>(min) * max);
        min = std::numeric_limits<float>::infinity();
        max = 0.0f;
    }
};

// The model is column-wise, so a pass scales the rows from the row extremes gathered before,
// then takes each column in turn: its extremes give its scale, and a second walk over the
// same (cached) column gathers the row extremes of the newly scaled matrix for the next pass.
class Scaler {
public:
    explicit Scaler(const MatrixModel& model) : m_model(model), m_rows(model.rowNameTable.size()) {
        for (const CCol& column : model.columns)
            for (const ColumnEntry& entry : model.entries.of(column))
                if (entry.value != 0.0f) m_rows[entry.row].add(std::fabs(entry.value));
    }

    void pass() {
        for (RowState& row : m_rows) row.rescale();
        for (const CCol& column : m_model.columns) {
            Extremes extremes;
            const ColumnEntries entries = m_model.entries.of(column);
            for (const ColumnEntry& entry : entries)
                if (entry.value != 0.0f) extremes.add(rowScaled(entry));
            const double columnScale = extremes.scale();
            for (const ColumnEntry& entry : entries)
                if (entry.value != 0.0f) m_rows[entry.row].add(rowScaled(entry) * columnScale);
        }
    }

    double ratio() const {
        Extremes all;
        for (const RowState& row : m_rows) {
            if (row.max == 0.0f) continue;
            all.add(row.min);
            all.add(row.max);
        }
        return all.max == 0.0 ? 0.0 : all.max / all.min;
    }

private:
    // Column scales need not be kept: a column's scale is one factor over the column, so the
    // scale found afresh on the row-scaled matrix is the product of all its earlier ones.
    double rowScaled(const ColumnEntry& entry) const {
        return std::fabs(static_cast<double>(entry.value)) * m_rows[entry.row].scale;
    }

    const MatrixModel& m_model;
    std::vector<RowState> m_rows;
};

}  // namespace

double ratioAfterGeometricScaling(const MatrixModel& model, int passes) {
    Scaler scaler(model);
    for (int pass = 0; pass < passes; ++pass) scaler.pass();
    return scaler.ratio();
}
