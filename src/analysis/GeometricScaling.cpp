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

class Scaler {
public:
    explicit Scaler(const MatrixModel& model)
        : m_model(model),
          m_rowScale(model.rowNameTable.size(), 1.0),
          m_columnScale(model.columns.size(), 1.0) {}

    void pass() {
        std::vector<Extremes> rows(m_rowScale.size());
        forEachScaled(
            [&](std::uint32_t row, std::size_t, double magnitude) { rows[row].add(magnitude); });
        for (std::size_t i = 0; i < rows.size(); ++i) m_rowScale[i] *= rows[i].scale();
        std::vector<Extremes> columns(m_columnScale.size());
        forEachScaled([&](std::uint32_t, std::size_t column, double magnitude) {
            columns[column].add(magnitude);
        });
        for (std::size_t j = 0; j < columns.size(); ++j) m_columnScale[j] *= columns[j].scale();
    }

    double ratio() const {
        Extremes all;
        forEachScaled([&](std::uint32_t, std::size_t, double magnitude) { all.add(magnitude); });
        return all.max == 0.0 ? 0.0 : all.max / all.min;
    }

private:
    template <typename Visit>
    void forEachScaled(Visit visit) const {
        for (std::size_t j = 0; j < m_model.columns.size(); ++j) {
            const double columnScale = m_columnScale[j];
            for (const ColumnEntry& entry : m_model.columns[j].entries()) {
                if (entry.value == 0.0f) continue;
                visit(entry.row, j,
                      std::fabs(static_cast<double>(entry.value)) * m_rowScale[entry.row] *
                          columnScale);
            }
        }
    }

    const MatrixModel& m_model;
    std::vector<double> m_rowScale;
    std::vector<double> m_columnScale;
};

}  // namespace

double ratioAfterGeometricScaling(const MatrixModel& model, int passes) {
    Scaler scaler(model);
    for (int pass = 0; pass < passes; ++pass) scaler.pass();
    return scaler.ratio();
}
