#include "ModelIndex.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "NameMerge.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The records of one kind form one run of the bound array, which is sorted by kind first.
std::span<const CBound> boundsOfKind(const MatrixModel& model, std::int32_t kind) {
    const auto begin = model.bounds.begin();
    const auto end = model.bounds.end();
    const auto first =
        std::partition_point(begin, end, [kind](const CBound& b) { return b.kind() < kind; });
    const auto last =
        std::partition_point(first, end, [kind](const CBound& b) { return b.kind() <= kind; });
    return {&*begin + (first - begin), static_cast<std::size_t>(last - first)};
}

}  // namespace

void rowLimits(char type, double rhs, double range, double& lower, double& upper) {
    const double width = std::fabs(range);
    lower = -kInfinity;
    upper = kInfinity;
    switch (type) {
        case 'E':
            lower = range < 0 ? rhs - width : rhs;
            upper = range > 0 ? rhs + width : rhs;
            break;
        case 'L':
            upper = rhs;
            if (range != 0) lower = rhs - width;
            break;
        case 'G':
            lower = rhs;
            if (range != 0) upper = rhs + width;
            break;
        default:
            break;
    }
}

ModelIndex::ModelIndex(const MatrixModel& model) {
    m_rows.reserve(model.rows.size());
    for (const CRow& row : model.rows) m_rows.push_back({&row, 0.0, 0.0, 0.0, 0.0});
    m_columns.reserve(model.columns.size());
    for (const CCol& column : model.columns) m_columns.push_back({&column, -kInfinity, kInfinity});
    gatherRowValues(model);
    gatherBounds(model);
    mapLoadOrder(model);
}

void ModelIndex::gatherRowValues(const MatrixModel& model) {
    const auto rowName = [this](std::size_t i) { return m_rows[i].row->cName(); };
    const auto none = [](std::size_t) {};
    mergeByName(
        m_rows.size(), rowName, model.rhs.size(),
        [&model](std::size_t j) { return model.rhs[j].cName(); },
        [&](std::size_t i, std::size_t j) { m_rows[i].rhs = model.rhs[j].value(); }, none, none);
    mergeByName(
        m_rows.size(), rowName, model.ranges.size(),
        [&model](std::size_t j) { return model.ranges[j].cName(); },
        [&](std::size_t i, std::size_t j) { m_rows[i].range = model.ranges[j].value(); }, none,
        none);
    for (IndexedRow& row : m_rows)
        rowLimits(row.row->type(), row.rhs, row.range, row.lower, row.upper);
}

void ModelIndex::gatherBounds(const MatrixModel& model) {
    const auto columnName = [this](std::size_t i) { return m_columns[i].column->cName(); };
    const auto none = [](std::size_t) {};
    for (const std::int32_t kind : {kBoundLower, kBoundUpper}) {
        const std::span<const CBound> run = boundsOfKind(model, kind);
        mergeByName(
            m_columns.size(), columnName, run.size(),
            [run](std::size_t j) { return run[j].cName(); },
            [&](std::size_t i, std::size_t j) {
                (kind == kBoundLower ? m_columns[i].lower : m_columns[i].upper) = run[j].value();
            },
            none, none);
    }
}

void ModelIndex::mapLoadOrder(const MatrixModel& model) {
    m_rowOfLoadIndex.resize(model.rowNameTable.size());
    for (std::size_t i = 0; i < model.rowNameTable.size(); ++i) {
        const char* name = model.rowNameTable[i];
        const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), name,
                                         [](const IndexedRow& row, const char* key) {
                                             return std::strcmp(row.row->cName(), key) < 0;
                                         });
        const bool found = it != m_rows.end() && std::strcmp(it->row->cName(), name) == 0;
        m_rowOfLoadIndex[i] = found ? static_cast<std::uint32_t>(it - m_rows.begin()) : kNoRow;
    }
}
