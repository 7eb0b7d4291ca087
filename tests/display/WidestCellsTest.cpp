#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "WidestCells.h"

namespace {

std::size_t longest(const std::vector<std::string>& texts) {
    std::size_t length = 0;
    for (const std::string& text : texts) length = std::max(length, text.size());
    return length;
}

// Values over every magnitude a float holds, of both signs, with zeros, unknown counterparts
// and a few around the point where fixed texts pass 12 characters.
DetailContent contentOf(bool rowDisplay, NumberFormatOptions format, unsigned seed) {
    static const std::vector<std::string> kNames = [] {
        std::vector<std::string> names;
        for (std::size_t length = 1; length <= 20; ++length) names.emplace_back(length, 'N');
        return names;
    }();
    std::mt19937 random(seed);
    DetailContent content;
    content.rowDisplay = rowDisplay;
    content.format = format;
    for (int i = 0; i < 400; ++i) {
        CNorvaRow entry;
        entry.name = kNames[random() % kNames.size()];
        const double magnitude = std::pow(10.0, static_cast<int>(random() % 80) - 40);
        const double value = (random() % 2 ? -1 : 1) * magnitude * (1 + random() % 9);
        entry.coefficient = random() % 10 == 0 ? 0.0 : static_cast<float>(value);
        entry.counterpartValue = random() % 5 == 0 ? CNorvaRow::kUnknown : value * 1e-3;
        entry.calculatedValue =
            entry.counterpartKnown() ? 999999.99999 * (i % 3) : CNorvaRow::kUnknown;
        entry.termNumber = rowDisplay && random() % 7 == 0 ? static_cast<int>(random() % 120) : 0;
        entry.linearityMark = random() % 3 ? 'L' : 'N';
        content.entries.push_back(entry);
    }
    return content;
}

TEST(WidestCellsTest, CandidatesReachTheLongestCellOfEveryColumn) {
    unsigned seed = 1;
    for (const bool rowDisplay : {true, false}) {
        for (const int decimals : {0, 2, 5, 10, 12}) {
            for (const bool scientific : {false, true}) {
                const DetailContent content = contentOf(rowDisplay, {decimals, scientific}, seed++);
                for (int column = 0; column < 5; ++column) {
                    std::vector<std::string> all;
                    for (std::size_t i = 0; i < content.entries.size(); ++i)
                        all.push_back(content.cellText(i, column));
                    const std::vector<std::string> candidates = widestCellTexts(content, column);
                    EXPECT_EQ(longest(candidates), longest(all))
                        << "column " << column << " decimals " << decimals << " scientific "
                        << scientific << " row display " << rowDisplay;
                    EXPECT_LE(candidates.size(), 8u);
                }
            }
        }
    }
    // With no decimals a fixed text of 12 digits is longer than the scientific text of a larger
    // value, so the largest value alone is not enough.
    DetailContent large;
    large.format = {0, false};
    CNorvaRow entry;
    entry.name = "A";
    for (const double value : {999999999999.0, 1e13, 5.0}) {
        entry.coefficient = value;
        large.entries.push_back(entry);
    }
    const std::vector<std::string> texts = widestCellTexts(large, 1);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "999999999999"), texts.end());
    EXPECT_TRUE(widestCellTexts(DetailContent(), 0).empty());
}

}  // namespace
