#include "MagnitudePicture.h"

#include <cmath>
#include <cstddef>

#include "Decade.h"
#include "DecadePalette.h"

namespace {

// The pixels [first, last) that place k of count places covers on an axis of size pixels.
struct PixelSpan {
    int first;
    int last;
};

PixelSpan pixelsOf(std::uint64_t k, std::uint64_t count, int size) {
    const auto pixels = static_cast<std::uint64_t>(size);
    const int first = static_cast<int>(k * pixels / count);
    const int last = static_cast<int>((k + 1) * pixels / count);
    return {first, last > first ? last : first + 1};
}

// The place whose pixel span (as pixelsOf gives it) holds pixel at; with more places than
// pixels, the first place drawn into that pixel.
std::uint32_t placeAt(int at, std::uint64_t count, int size) {
    const auto pixel = static_cast<std::uint64_t>(at);
    const auto pixels = static_cast<std::uint64_t>(size);
    if (count <= pixels) return static_cast<std::uint32_t>(((pixel + 1) * count - 1) / pixels);
    return static_cast<std::uint32_t>((pixel * count + pixels - 1) / pixels);
}

}  // namespace

PictureView wholeMatrix(const MatrixOrder& order) {
    return {0, static_cast<std::uint32_t>(order.rows.size()), 0,
            static_cast<std::uint32_t>(order.columns.size())};
}

Picture renderPicture(const MatrixModel& model, const MatrixOrder& order, const PictureView& view,
                      int width, int height) {
    Picture picture{
        width, height,
        std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, kEmptyPixel)};
    if (view.rowCount() == 0 || view.columnCount() == 0) return picture;
    std::vector<float> largest(picture.pixels.size(), 0.0f);
    for (std::uint32_t place = view.columnBegin; place < view.columnEnd; ++place) {
        const PixelSpan xs = pixelsOf(place - view.columnBegin, view.columnCount(), width);
        for (const ColumnEntry& entry : model.entries.of(model.columns[order.columns[place]])) {
            const std::uint32_t rowPlace = order.rowPlace[entry.row];
            if (rowPlace < view.rowBegin || rowPlace >= view.rowEnd) continue;
            const float magnitude = std::fabs(entry.value);
            const PixelSpan ys = pixelsOf(rowPlace - view.rowBegin, view.rowCount(), height);
            for (int y = ys.first; y < ys.last; ++y) {
                float* line = largest.data() + static_cast<std::size_t>(y) * width;
                for (int x = xs.first; x < xs.last; ++x)
                    if (magnitude > line[x]) line[x] = magnitude;
            }
        }
    }
    for (std::size_t i = 0; i < largest.size(); ++i)
        if (largest[i] > 0.0f) picture.pixels[i] = decadeColour(decadeOf(largest[i]));
    return picture;
}

std::optional<PictureHit> pictureHitAt(const MatrixModel& model, const MatrixOrder& order,
                                       const PictureView& view, int width, int height, int x,
                                       int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return std::nullopt;
    if (view.rowCount() == 0 || view.columnCount() == 0) return std::nullopt;
    PictureHit hit;
    hit.rowPlace = view.rowBegin + placeAt(y, view.rowCount(), height);
    hit.columnPlace = view.columnBegin + placeAt(x, view.columnCount(), width);
    hit.row = order.rows[hit.rowPlace];
    hit.column = order.columns[hit.columnPlace];
    for (const ColumnEntry& entry : model.entries.of(model.columns[hit.column]))
        if (entry.row == hit.row && entry.value != 0.0f) hit.value = entry.value;
    return hit;
}
