#include "CoefficientFilter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "SubmatrixRows.h"

namespace {

constexpr double kRatioMinimumStart = 1e30;
constexpr std::uint32_t kSkipped = std::numeric_limits<std::uint32_t>::max();

// An offending coefficient: its row by rank (place among the linear rows in row-array
// order), its column by library index, and its value.
struct Offence {
    std::uint32_t rank;
    int column;
    double value;
};

// One run of the filter. The library keeps its coefficients column by column, so the tests
// read them in one pass down the columns (memory order) instead of along each row's chain;
// sorting the offences by rank, stably, then gives the rows in row-array order and each row's
// coefficients in the library's row order, which is column order.
class FilterPass {
public:
    FilterPass(orbxmps::ORBObject& library, const MatrixModel& model,
               const FilterSettings& settings)
        : m_elements(*library.getElementManager()),
          m_columns(*library.getColumnManager()),
          m_settings(settings) {
        const orbxmps::ORBRowManager& rows = *library.getRowManager();
        m_rankOf.assign(rows.rowCount(), kSkipped);
        for (const CRow& modelRow : model.rows) {
            const orbxmps::ORBRow row = rows.findRow(modelRow.name());
            if (!row || row.nonlinearTermCount() > 0) continue;
            m_rankOf[static_cast<std::size_t>(row.index() - 1)] =
                static_cast<std::uint32_t>(m_linearRows.size());
            m_linearRows.push_back(row);
        }
    }

    void fill(Submatrix& submatrix, std::vector<std::string>& listedRows) {
        std::vector<Offence> offences = findOffences();
        std::stable_sort(offences.begin(), offences.end(),
                         [](const Offence& a, const Offence& b) { return a.rank < b.rank; });
        std::uint32_t lastListed = kSkipped;
        for (const Offence& offence : offences) {
            const orbxmps::ORBRow& row = m_linearRows[offence.rank];
            // Listing a row once adds what listing it once per offence would.
            if (m_settings.showAllColumns) {
                if (offence.rank != lastListed) listedRows.emplace_back(row.name());
                lastListed = offence.rank;
                continue;
            }
            const std::uint32_t position = addLibraryRow(submatrix, row);
            orbxmps::ORBColumn column;
            if (!m_columns.columnByIndex(offence.column, &column)) continue;
            submatrix.addCoefficient(column.name(), position, static_cast<float>(offence.value));
        }
    }

private:
    // Calls visit(rank, column index, value) for each non-zero of a linear row.
    template <typename Visit>
    void forEachNonZero(Visit visit) const {
        const int columnCount = static_cast<int>(m_columns.columnCount());
        for (int c = 1; c <= columnCount; ++c) {
            for (orbxmps::ORBElement element = m_elements.firstElementOfColumn(c); element;
                 element = m_elements.nextElementOfColumn(element)) {
                const double value = element.value();
                const std::uint32_t rank =
                    m_rankOf[static_cast<std::size_t>(element.row().index() - 1)];
                if (value != 0.0 && rank != kSkipped) visit(rank, c, value);
            }
        }
    }

    std::vector<Offence> findOffences() const {
        std::vector<Offence> offences;
        const auto offendWhen = [&](auto test) {
            forEachNonZero([&](std::uint32_t rank, int column, double value) {
                if (test(std::fabs(value))) offences.push_back({rank, column, value});
            });
        };
        if (m_settings.magnitudeBand) {
            const auto [low, high] = *m_settings.magnitudeBand;
            offendWhen([low, high](double a) {
                const auto stored = static_cast<float>(a);
                return stored >= low && stored < high;
            });
            return offences;
        }
        switch (m_settings.toleranceSel) {
            case 0:
                offendWhen([this](double a) { return a >= m_settings.largeCoef; });
                break;
            case 1:
                offendWhen([this](double a) { return a <= m_settings.smallCoef; });
                break;
            case 2:
                findRatioOffences(offences);
                break;
            default:
                break;
        }
        return offences;
    }

    // A row offends when its largest magnitude is the ratio times its smallest or more; then
    // the coefficients at either extreme (ties included) offend. With all columns one offence
    // per row is enough to list it.
    void findRatioOffences(std::vector<Offence>& offences) const {
        const std::size_t rows = m_linearRows.size();
        std::vector<double> smallest(rows, kRatioMinimumStart);
        std::vector<double> largest(rows, 0.0);
        forEachNonZero([&](std::uint32_t rank, int, double value) {
            smallest[rank] = std::min(smallest[rank], std::fabs(value));
            largest[rank] = std::max(largest[rank], std::fabs(value));
        });
        std::vector<bool> selected(rows);
        for (std::size_t r = 0; r < rows; ++r)
            selected[r] = largest[r] / smallest[r] >= m_settings.largeRatio;
        if (m_settings.showAllColumns) {
            for (std::uint32_t r = 0; r < rows; ++r)
                if (selected[r]) offences.push_back({r, 0, 0.0});
            return;
        }
        forEachNonZero([&](std::uint32_t rank, int column, double value) {
            const double a = std::fabs(value);
            if (selected[rank] && (a == smallest[rank] || a == largest[rank]))
                offences.push_back({rank, column, value});
        });
    }

    const orbxmps::ORBElementManager& m_elements;
    const orbxmps::ORBColumnManager& m_columns;
    const FilterSettings& m_settings;
    std::vector<orbxmps::ORBRow> m_linearRows;  // by rank
    std::vector<std::uint32_t> m_rankOf;        // by library row position; kSkipped if not linear
};

}  // namespace

FilterSettings filterSettingsOf(const DocumentSettings& settings) {
    return {settings.ToleranceSel, settings.LargeCoef, settings.SmallCoef, settings.LargeRatio,
            settings.ShowAllColumns != 0, std::nullopt};
}

bool Filter(Submatrix& submatrix, orbxmps::ORBObject* library, const MatrixModel& model,
            const FilterSettings& settings) {
    if (library == nullptr || library->getRowManager() == nullptr ||
        library->getElementManager() == nullptr || library->getColumnManager() == nullptr)
        return false;
    submatrix.clear();
    FilterPass pass(*library, model, settings);
    std::vector<std::string> listedRows;
    pass.fill(submatrix, listedRows);
    return AddRows(submatrix, library, listedRows);
}
