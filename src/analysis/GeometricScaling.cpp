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

// The model is column-wise, so a pass scales the rows from the row extremes gathered before,
// then takes each column in turn: its extremes give its scale, and a second walk over the
// same (cached) column gathers the row extremes of the newly scaled matrix for the next pass.
class Scaler {
public:
    explicit Scaler(const MatrixModel& model)
        : m_model(model),
          m_rowScale(model.rowNameTable.size(), 1.0),
          m_rowExtremes(model.rowNameTable.size()) {
        for (const CCol& column : model.columns)
            for (const ColumnEntry& entry : column.entries())
                if (entry.value != 0.0f)
                    m_rowExtremes[entry.row].add(std::fabs(static_cast<double>(entry.value)));
    }

    void pass() {
        for (std::size_t i = 0; i < m_rowScale.size(); ++i) {
            m_rowScale[i] *= m_rowExtremes[i].scale();
            m_rowExtremes[i] = {};
        }
        for (const CCol& column : m_model.columns) {
            Extremes extremes;
            for (const ColumnEntry& entry : column.entries())
                if (entry.value != 0.0f) extremes.add(rowScaled(entry));
            const double columnScale = extremes.scale();
            for (const ColumnEntry& entry : column.entries())
                if (entry.value != 0.0f)
                    m_rowExtremes[entry.row].add(rowScaled(entry) * columnScale);
        }
    }

    double ratio() const {
        Extremes all;
        for (const Extremes& row : m_rowExtremes) {
            if (row.max == 0.0) continue;
            all.add(row.min);
            all.add(row.max);
        }
        return all.max == 0.0 ? 0.0 : all.max / all.min;
    }

private:
    // Column scales need not be kept: each pass's column scale applies to the matrix as the
    // row scales leave it, and the row scales absorb the rest.
    double rowScaled(const ColumnEntry& entry) const {
        return std::fabs(static_cast<double>(entry.value)) * m_rowScale[entry.row];
    }

    const MatrixModel& m_model;
    std::vector<double> m_rowScale;
    std::vector<Extremes> m_rowExtremes;
};

}  // namespace

double ratioAfterGeometricScaling(const MatrixModel& model, int passes) {
    Scaler scaler(model);
    for (int pass = 0; pass < passes; ++pass) scaler.pass();
    return scaler.ratio();
}
