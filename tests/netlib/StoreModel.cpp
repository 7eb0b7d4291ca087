#include "StoreModel.h"

#include <string>
#include <vector>

#include "MatrixStore.h"

namespace netlib {

namespace {

template <typename Map>
typename Map::mapped_type& keyed(Map& map, const std::string& key, std::string_view name,
                                 ComparableModel& model) {
    const auto [it, added] = map.try_emplace(key);
    if (!added) model.keyClashes.push_back("repeated key for '" + std::string(name) + "'");
    return it->second;
}

}  // namespace

ComparableModel fromStore(const orbxmps::MatrixStore& store) {
    ComparableModel model;
    const std::int64_t objective = store.objectiveRow;
    if (objective >= 0) model.objectiveConstant = normaliseInfinity(store.rhs[objective]);

    std::vector<std::string> rowKeys(store.rowCount());
    for (std::size_t row = 0; row < store.rowCount(); ++row) {
        if (store.rowType[row] == orbxmps::kRowFree) continue;
        rowKeys[row] = nameKey(store.rowNames.name(row));
        keyed(model.rows, rowKeys[row], store.rowNames.name(row), model) =
            rowBounds(store.rowType[row], store.rhs[row], store.range[row]);
    }
    for (std::size_t column = 0; column < store.columnCount(); ++column) {
        const std::string_view name = store.columnNames.name(column);
        ComparableModel::Column& entry = keyed(model.columns, nameKey(name), name, model);
        entry.bounds = {normaliseInfinity(store.lower[column]),
                        normaliseInfinity(store.upper[column])};
        for (std::uint32_t e = store.columnStart[column]; e < store.columnStart[column + 1]; ++e) {
            const std::uint32_t row = store.elementRow[e];
            const double value = normaliseInfinity(store.elementValue[e]);
            if (row == objective) {
                entry.objective = value;
            } else if (store.rowType[row] != orbxmps::kRowFree && value != 0.0) {
                keyed(entry.coefficients, rowKeys[row], store.rowNames.name(row), model) = value;
                ++model.coefficientCount;
            }
        }
    }
    return model;
}

}  // namespace netlib
