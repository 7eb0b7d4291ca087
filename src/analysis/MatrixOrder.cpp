#include "MatrixOrder.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "NameStem.h"

namespace {

std::vector<std::uint32_t> identity(std::size_t count) {
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    return order;
}

std::vector<std::uint32_t> inverse(const std::vector<std::uint32_t>& order) {
    std::vector<std::uint32_t> places(order.size());
    for (std::size_t place = 0; place < order.size(); ++place)
        places[order[place]] = static_cast<std::uint32_t>(place);
    return places;
}

// A model built by hand, without a load order, keeps its columns' order.
std::vector<std::uint32_t> columnsInFileOrder(const MatrixModel& model) {
    if (model.columnLoadOrder.size() == model.columns.size()) return model.columnLoadOrder;
    return identity(model.columns.size());
}

// Stable grouping by stem: blocks in the order of their first member.
template <typename NameOf>
std::vector<std::uint32_t> groupedByStem(const std::vector<std::uint32_t>& fileOrder,
                                         NameOf nameOf) {
    std::unordered_map<std::string_view, std::uint32_t> blockOf;
    std::vector<std::uint32_t> block(fileOrder.size());
    for (std::size_t place = 0; place < fileOrder.size(); ++place) {
        const std::string_view stem = nameStem(nameOf(fileOrder[place]));
        block[place] =
            blockOf.try_emplace(stem, static_cast<std::uint32_t>(blockOf.size())).first->second;
    }
    std::vector<std::uint32_t> places = identity(fileOrder.size());
    std::stable_sort(places.begin(), places.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return block[a] < block[b]; });
    std::vector<std::uint32_t> order(fileOrder.size());
    for (std::size_t k = 0; k < places.size(); ++k) order[k] = fileOrder[places[k]];
    return order;
}

}  // namespace

MatrixOrder makeMatrixOrder(const MatrixModel& model, PictureOrder order) {
    MatrixOrder result;
    const auto rowName = [&](std::uint32_t row) {
        return std::string_view(model.rowNameTable[row]);
    };
    const auto columnName = [&](std::uint32_t column) { return model.columns[column].name(); };
    result.rows = identity(model.rowNameTable.size());
    switch (order) {
        case PictureOrder::kFile:
            result.columns = columnsInFileOrder(model);
            break;
        case PictureOrder::kName:
            std::stable_sort(
                result.rows.begin(), result.rows.end(), [&](std::uint32_t a, std::uint32_t b) {
                    return std::strcmp(model.rowNameTable[a], model.rowNameTable[b]) < 0;
                });
            result.columns = identity(model.columns.size());
            break;
        case PictureOrder::kStem:
            result.rows = groupedByStem(result.rows, rowName);
            result.columns = groupedByStem(columnsInFileOrder(model), columnName);
            break;
    }
    result.rowPlace = inverse(result.rows);
    result.columnPlace = inverse(result.columns);
    return result;
}
