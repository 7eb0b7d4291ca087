#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "EntrySort.h"

namespace {

constexpr double kUnknown = CNorvaRow::kUnknown;

CNorvaRow entry(std::string_view name, double coefficient, double counterpart, int term = 0,
                char mark = 'L') {
    CNorvaRow row;
    row.name = name;
    row.coefficient = coefficient;
    row.counterpartValue = counterpart;
    row.calculatedValue = counterpart == kUnknown ? kUnknown : coefficient * counterpart;
    row.termNumber = term;
    row.linearityMark = mark;
    return row;
}

std::string namesOf(const std::vector<CNorvaRow>& rows) {
    std::string names;
    for (const CNorvaRow& row : rows) (names += row.name) += " ";
    return names;
}

class EntrySortTest : public ::testing::Test {
protected:
    std::vector<CNorvaRow> rows = {
        entry("b", 1.0, 3.0, 2, 'N'),   entry("B", -4.0, kUnknown, 0, 'L'),
        entry("a2", 2.5, -1.0, 1, 'N'), entry("a10", 0.0, kUnknown, 0, 'L'),
        entry("C", 7.0, 0.5, 0, 'L'),
    };
};

TEST_F(EntrySortTest, NamesAscendInByteOrder) {
    sortEntries(rows, 0, true);
    EXPECT_EQ(namesOf(rows), "B C a10 a2 b ");
}

TEST_F(EntrySortTest, CoefficientsDescend) {
    sortEntries(rows, 1, true);
    EXPECT_EQ(namesOf(rows), "C a2 b a10 B ");
}

TEST_F(EntrySortTest, UnknownCounterpartsComeFirst) {
    sortEntries(rows, 2, false);
    EXPECT_EQ(namesOf(rows), "B a10 b C a2 ");
}

TEST_F(EntrySortTest, UnknownCalculatedValuesComeFirst) {
    sortEntries(rows, 3, true);  // products: b 3, a2 -2.5, C 3.5
    EXPECT_EQ(namesOf(rows), "B a10 C b a2 ");
}

TEST_F(EntrySortTest, KeyFourOrdersTermNumbersOrMarks) {
    std::vector<CNorvaRow> byTerm = rows;
    sortEntries(byTerm, 4, true);
    EXPECT_EQ(namesOf(byTerm), "B a10 C a2 b ");
    sortEntries(rows, 4, false);
    EXPECT_EQ(namesOf(rows), "B a10 C b a2 ");
}

TEST_F(EntrySortTest, EqualEntriesKeepTheirOrder) {
    std::vector<CNorvaRow> repeated = {entry("X", 1.0, kUnknown), entry("A", 5.0, kUnknown),
                                       entry("X", 2.0, kUnknown)};
    sortEntries(repeated, 0, true);
    ASSERT_EQ(namesOf(repeated), "A X X ");
    EXPECT_EQ(repeated[1].coefficient, 1.0);
    EXPECT_EQ(repeated[2].coefficient, 2.0);
}

}  // namespace

namespace {

// The numeric keys sort positions rather than entries; the result must be what a stable sort
// of the entries themselves gives, ties (many equal values, unknowns, 0 and -0) included.
TEST(EntrySortOrderTest, NumericKeysMatchAStableSortOfTheEntries) {
    std::mt19937 random(3);
    const double values[] = {kUnknown, 0.0, -0.0, 1.0, -2.5, 3.25, 1e-7, -1e20};
    std::vector<std::string> names;
    for (int i = 0; i < 2000; ++i) names.push_back("r" + std::to_string(i));
    std::vector<CNorvaRow> rows;
    for (int i = 0; i < 2000; ++i) {
        CNorvaRow row;
        row.coefficient = values[random() % 8];
        row.counterpartValue = values[random() % 8];
        row.calculatedValue = values[random() % 8];
        row.termNumber = static_cast<int>(random() % 4);
        row.linearityMark = random() % 2 ? 'N' : 'L';
        row.name = names[static_cast<std::size_t>(i)];
        rows.push_back(row);
    }
    for (int key = 1; key <= 4; ++key) {
        for (const bool rowDisplay : {true, false}) {
            std::vector<CNorvaRow> sorted = rows;
            sortEntries(sorted, key, rowDisplay);
            std::vector<CNorvaRow> expected = rows;
            std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) {
                switch (key) {
                    case 1:
                        return a.coefficient > b.coefficient;
                    case 2:
                        return a.counterpartValue > b.counterpartValue;
                    case 3:
                        return a.calculatedValue > b.calculatedValue;
                    default:
                        return rowDisplay ? a.termNumber < b.termNumber
                                          : a.linearityMark < b.linearityMark;
                }
            });
            EXPECT_EQ(namesOf(sorted), namesOf(expected)) << "key " << key << " row " << rowDisplay;
        }
    }
}

}  // namespace
