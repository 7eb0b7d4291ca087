#include <tuple>

#include "AnalysisTestSupport.h"
#include "Decade.h"
#include "DecadePalette.h"
#include "MagnitudePicture.h"
#include "MatrixOrder.h"

namespace {

using Names = std::vector<std::string>;

class MagnitudePictureTest : public testing::Test {
protected:
    analysistest::LoadedModel m_loaded{"analysis/blocks.mps"};

    // The row names in the order's places, then the column names.
    std::pair<Names, Names> names(const MatrixOrder& order) const {
        std::pair<Names, Names> made;
        for (const std::uint32_t row : order.rows)
            made.first.emplace_back(m_loaded.model().rowNameTable[row]);
        for (const std::uint32_t column : order.columns)
            made.second.emplace_back(m_loaded.model().columns[column].name());
        return made;
    }
    // The picture as one line per pixel row: the decade of each pixel, "." where empty.
    static std::vector<std::string> decades(const Picture& picture) {
        std::vector<std::string> lines;
        for (int y = 0; y < picture.height; ++y) {
            std::string line;
            for (int x = 0; x < picture.width; ++x) {
                const std::uint32_t pixel =
                    picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
                std::string cell = " .";
                for (int d = kPaletteLowestDecade; d <= kPaletteHighestDecade; ++d)
                    if (pixel == decadeColour(d)) cell = (d >= 0 ? " " : "") + std::to_string(d);
                line += cell;
            }
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(MagnitudePictureTest, OrdersByFileNameAndStem) {
    const std::tuple<PictureOrder, Names, Names> cases[] = {
        {PictureOrder::kFile,
         {"COST", "CAP_1", "DEM1", "CAP_2", "DEM2", "BAL", "SPARE"},
         {"X1", "Y1", "X2", "Y2", "EMPTY"}},
        {PictureOrder::kName,
         {"BAL", "CAP_1", "CAP_2", "COST", "DEM1", "DEM2", "SPARE"},
         {"EMPTY", "X1", "X2", "Y1", "Y2"}},
        {PictureOrder::kStem,
         {"COST", "CAP_1", "CAP_2", "DEM1", "DEM2", "BAL", "SPARE"},
         {"X1", "X2", "Y1", "Y2", "EMPTY"}},
    };
    for (const auto& [kind, rows, columns] : cases) {
        SCOPED_TRACE(static_cast<int>(kind));
        const MatrixOrder order = makeMatrixOrder(m_loaded.model(), kind);
        EXPECT_EQ(names(order), std::pair(rows, columns));
        for (std::size_t place = 0; place < order.rows.size(); ++place)
            EXPECT_EQ(order.rowPlace[order.rows[place]], place);
    }
}

// One pixel per coefficient, two per side, and three rows and columns sharing a pixel (the
// largest |a| decides); SPARE's zero stays white.
TEST_F(MagnitudePictureTest, ColoursEachPixelByItsLargestDecadeAndHitsMatchTheColours) {
    const MatrixOrder order = makeMatrixOrder(m_loaded.model(), PictureOrder::kStem);
    const PictureView whole = wholeMatrix(order);
    EXPECT_EQ(decades(renderPicture(m_loaded.model(), order, whole, 5, 7)),
              (std::vector<std::string>{" 0 0 . . .", " 3 . 0 . .", " . 1 . 2 .", "-2 . . . .",
                                        " . 0 . 1 .", " . .-4 0 .", " . . . . ."}));
    const std::vector<std::string> doubled =
        decades(renderPicture(m_loaded.model(), order, whole, 10, 14));
    EXPECT_EQ(doubled[4], " . . 1 1 . . 2 2 . .");
    EXPECT_EQ(doubled[5], doubled[4]);
    EXPECT_EQ(decades(renderPicture(m_loaded.model(), order, whole, 2, 3)),
              (std::vector<std::string>{" 3 2", " 0 1", "-4 0"}));
    const PictureView zoomed{5, 6, 2, 4};  // BAL across Y1, Y2
    EXPECT_EQ(decades(renderPicture(m_loaded.model(), order, zoomed, 4, 1)),
              (std::vector<std::string>{"-4-4 0 0"}));
    // Where each pixel is drawn from one row and one column, the hit under it names the
    // coefficient whose colour it has.
    const MatrixOrder fileOrder = makeMatrixOrder(m_loaded.model(), PictureOrder::kFile);
    const PictureView fileWhole = wholeMatrix(fileOrder);
    for (const auto& [width, height] : {std::pair{5, 7}, {7, 11}, {13, 20}}) {
        const Picture picture =
            renderPicture(m_loaded.model(), fileOrder, fileWhole, width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " at " +
                             std::to_string(x) + "," + std::to_string(y));
                const auto hit =
                    pictureHitAt(m_loaded.model(), fileOrder, fileWhole, width, height, x, y);
                ASSERT_TRUE(hit.has_value());
                EXPECT_EQ(fileOrder.rows[hit->rowPlace], hit->row);
                const std::uint32_t expected =
                    hit->value ? decadeColour(decadeOf(*hit->value)) : kEmptyPixel;
                EXPECT_EQ(picture.pixels[static_cast<std::size_t>(y) * width + x], expected);
            }
        }
    }
    EXPECT_FALSE(pictureHitAt(m_loaded.model(), fileOrder, fileWhole, 5, 7, 5, 0).has_value());
    EXPECT_FALSE(pictureHitAt(m_loaded.model(), fileOrder, fileWhole, 5, 7, 0, -1).has_value());
}

}  // namespace
