#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "MatrixModel.h"
#include "RowIndex.h"

// Every column's name length in a byte (255 standing for 255 or more) and the model's longest
// name: the longest name of a dense row's millions of columns is found from these, a byte
// each, rather than from the column records, 32 bytes each. Made once per model.
class ColumnNameLengths {
public:
    ColumnNameLengths() = default;
    explicit ColumnNameLengths(const MatrixModel& model);

    // Whether it was made from a model with this many columns.
    bool fits(const MatrixModel& model) const { return m_length.size() == model.columns.size(); }
    // The first of the longest names of the columns of coefficientAt(0 .. count - 1).
    template <typename CoefficientAt>
    std::string_view longestAmong(const MatrixModel& model, std::size_t count,
                                  CoefficientAt coefficientAt) const {
        std::string_view longest;
        for (std::size_t i = 0; i < count && longest.size() < m_longest; ++i) {
            const std::uint32_t column = coefficientAt(i).column;
            const std::size_t length = m_length[column];
            if (length > longest.size() || length == kLong) {
                const std::string_view name = model.columns[column].name();
                if (name.size() > longest.size()) longest = name;
            }
        }
        return longest;
    }

    // Whether the name of the column at position column may be length bytes long: its byte
    // tells for sure below 255.
    bool mayBe(std::uint32_t column, std::size_t length) const {
        return m_length[column] == (length < kLong ? length : kLong);
    }

private:
    static constexpr std::uint8_t kLong = 255;

    std::vector<std::uint8_t> m_length;
    std::size_t m_longest = 0;
};
