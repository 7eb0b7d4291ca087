#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "MatrixModel.h"
#include "MatrixOrder.h"

// The part of the matrix a picture shows: places [begin, end) of the order's rows and columns.
struct PictureView {
    std::uint32_t rowBegin = 0;
    std::uint32_t rowEnd = 0;
    std::uint32_t columnBegin = 0;
    std::uint32_t columnEnd = 0;

    std::uint32_t rowCount() const { return rowEnd - rowBegin; }
    std::uint32_t columnCount() const { return columnEnd - columnBegin; }
};

PictureView wholeMatrix(const MatrixOrder& order);

// width x height pixels, rows down and columns across, each 0xffRRGGBB: the colour of the
// decade of the largest |a| that falls in the pixel, white where there is none.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row after row
};

// A view smaller than the picture gives each row and column a band of pixels, so that zooming
// ends at single coefficients. width and height must be at least 1.
Picture renderPicture(const MatrixModel& model, const MatrixOrder& order, const PictureView& view,
                      int width, int height);

// What lies under pixel (x, y) of such a picture: the row and column there (their places in
// the order, their positions in the row-name table and column array) and the coefficient
// where they meet, if any.
struct PictureHit {
    std::uint32_t rowPlace = 0;
    std::uint32_t columnPlace = 0;
    std::uint32_t row = 0;     // in the model's row-name table
    std::uint32_t column = 0;  // in the model's column array
    std::optional<float> value;
};

// None outside the picture or for an empty view.
std::optional<PictureHit> pictureHitAt(const MatrixModel& model, const MatrixOrder& order,
                                       const PictureView& view, int width, int height, int x,
                                       int y);
