#include "CoinUtilsModel.h"

#include <CoinMpsIO.hpp>
#include <CoinPackedMatrix.hpp>
#include <stdexcept>

namespace netlib {

namespace {

// Adds a name's key to keys, or records a clash when another name had the same key.
template <typename Map>
typename Map::mapped_type& keyed(Map& map, const char* name, ComparableModel& model) {
    const auto [it, added] = map.try_emplace(nameKey(name));
    if (!added) model.keyClashes.push_back(std::string("repeated key for '") + name + "'");
    return it->second;
}

}  // namespace

ComparableModel readWithCoinUtils(const std::string& path) {
    CoinMpsIO reader;
    reader.messageHandler()->setLogLevel(0);
    const int errors = reader.readMps(path.c_str(), "");
    if (errors != 0) {
        throw std::runtime_error("CoinUtils reports " + std::to_string(errors) +
                                 " errors reading " + path);
    }
    ComparableModel model;
    model.objectiveConstant = reader.objectiveOffset();
    for (int row = 0; row < reader.getNumRows(); ++row) {
        keyed(model.rows, reader.rowName(row), model) = {
            normaliseInfinity(reader.getRowLower()[row]),
            normaliseInfinity(reader.getRowUpper()[row])};
    }
    const CoinPackedMatrix& matrix = *reader.getMatrixByCol();
    for (int column = 0; column < reader.getNumCols(); ++column) {
        ComparableModel::Column& entry = keyed(model.columns, reader.columnName(column), model);
        entry.bounds = {normaliseInfinity(reader.getColLower()[column]),
                        normaliseInfinity(reader.getColUpper()[column])};
        entry.objective = normaliseInfinity(reader.getObjCoefficients()[column]);
        const CoinBigIndex begin = matrix.getVectorStarts()[column];
        const CoinBigIndex end = begin + matrix.getVectorLengths()[column];
        for (CoinBigIndex k = begin; k < end; ++k) {
            const char* row = reader.rowName(matrix.getIndices()[k]);
            keyed(entry.coefficients, row, model) = normaliseInfinity(matrix.getElements()[k]);
            ++model.coefficientCount;
        }
    }
    return model;
}

}  // namespace netlib
