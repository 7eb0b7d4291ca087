#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "EntrySort.h"
#include "ParallelWork.h"

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

// Names ascend in byte order; values descend with unknowns first; key 4 orders term numbers
// in the row display and marks in the column display. Products: b 3, a2 -2.5, C 3.5.
TEST(EntrySortTest, EachKeyOrdersItsColumn) {
    const std::vector<CNorvaRow> rows = {
        entry("b", 1.0, 3.0, 2, 'N'), entry("B", -4.0, kUnknown, 0, 'L'),
        entry("a2", 2.5, -1.0, 1, 'N'), entry("a10", 0.0, kUnknown, 0, 'L'),
        entry("C", 7.0, 0.5, 0, 'L')};
    const std::tuple<int, bool, const char*> cases[] = {
        {0, true, "B C a10 a2 b "}, {1, true, "C a2 b a10 B "}, {2, false, "B a10 b C a2 "},
        {3, true, "B a10 C b a2 "}, {4, true, "B a10 C a2 b "}, {4, false, "B a10 C b a2 "}};
    for (const auto& [key, rowDisplay, names] : cases) {
        std::vector<CNorvaRow> sorted = rows;
        sortEntries(sorted, key, rowDisplay);
        EXPECT_EQ(namesOf(sorted), names) << "key " << key;
    }
}

// Descending, 0 and -0 equal; a NaN sorts above everything when its sign is clear and below
// everything when it is set (it sorts by its bits, as every other value does).
bool descendsBefore(double a, double b) {
    const auto rank = [](double v) { return std::isnan(v) ? (std::signbit(v) ? -1 : 1) : 0; };
    if (rank(a) != rank(b)) return rank(a) > rank(b);
    return rank(a) == 0 && a > b;
}

// The reference: key 4 orders term numbers in the row display and marks in the column display.
std::vector<CNorvaRow> stableSorted(std::vector<CNorvaRow> rows, int key, bool rowDisplay) {
    std::stable_sort(rows.begin(), rows.end(), [=](const CNorvaRow& a, const CNorvaRow& b) {
        return key == 1     ? descendsBefore(a.coefficient, b.coefficient)
               : key == 2   ? descendsBefore(a.counterpartValue, b.counterpartValue)
               : key == 3   ? descendsBefore(a.calculatedValue, b.calculatedValue)
               : rowDisplay ? a.termNumber < b.termNumber
                            : a.linearityMark < b.linearityMark;
    });
    return rows;
}

// Rows with activities as solution records give them: 32-bit floats, or unknown.
// The calculated value is NaN where a zero coefficient meets an infinity.
std::vector<CNorvaRow> rowsWithActivities(std::size_t count, int unknownPercent, unsigned seed,
                                          const std::vector<std::string>& names) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> magnitude(-30.0f, 30.0f);
    std::vector<CNorvaRow> rows(count);
    for (std::size_t i = 0; i < count; ++i) {
        rows[i].name = names[i % names.size()];
        rows[i].coefficient = static_cast<float>(i % 7) - 3.0f;
        rows[i].termNumber = static_cast<int>(i);  // tells the entries apart
        if (static_cast<int>(random() % 100) < unknownPercent) continue;
        // Few distinct values, so that many ties must keep their order, over a wide range.
        const float activity = std::ldexp(static_cast<float>(random() % 64) - 32.0f,
                                          static_cast<int>(magnitude(random)));
        // Some values beyond the unknown value 1e30 and infinities, on either side.
        const float huge = (random() % 2 ? 1.0f : -1.0f) *
                           (random() % 4 == 0 ? std::numeric_limits<float>::infinity() : 2e30f);
        const unsigned kind = random() % 20;
        const float value = kind == 0 ? -0.0f : (kind == 1 ? huge : activity);
        rows[i].counterpartValue = value;
        rows[i].calculatedValue = static_cast<float>(rows[i].coefficient) * value;
    }
    return rows;
}

class EntrySortScaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 1000; ++i) names.push_back(std::string("c").append(std::to_string(i)));
    }
    // Sorts with the shared scratch and compares each place with the reference, by the
    // entries' term numbers and coefficients, which together tell them apart.
    void expectStable(const std::vector<CNorvaRow>& rows, int key, bool rowDisplay = true) {
        std::vector<CNorvaRow> sorted = rows;
        sortEntries(sorted, key, rowDisplay, false, scratch);
        const std::vector<CNorvaRow> expected = stableSorted(rows, key, rowDisplay);
        ASSERT_EQ(sorted.size(), expected.size());
        for (std::size_t i = 0; i < sorted.size(); ++i)
            ASSERT_EQ(std::pair(sorted[i].termNumber, sorted[i].coefficient),
                      std::pair(expected[i].termNumber, expected[i].coefficient))
                << "key " << key << " row display " << rowDisplay << " at " << i;
    }

    std::vector<std::string> names;
    EntrySortScratch scratch;  // one for every sort, as a view keeps it
};

TEST_F(EntrySortScaleTest, FloatValuesWithUnknownsMatchAStableSort) {
    // Unknown 1e30 is no float: with it among floats, then floats alone, then all unknown
    // but a few; and sizes that grow and shrink while the scratch is reused. The coefficients
    // take few values, so that their many ties must keep their order too.
    for (const int unknownPercent : {50, 0, 99, 100}) {
        for (const std::size_t count : {70000u, 3u, 2000u}) {
            const auto rows =
                rowsWithActivities(count, unknownPercent, count + unknownPercent, names);
            for (const int key : {1, 2, 3}) expectStable(rows, key);
        }
    }
    // NaNs, infinities and values beyond the unknown value by hand.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {1.0, nan,   -inf,  CNorvaRow::kUnknown, -nan, inf, 0.0, -0.0,
                             2.5, 1e300, -1e30, CNorvaRow::kUnknown};
    std::vector<CNorvaRow> rows;
    for (std::size_t i = 0; i < std::size(values); ++i)
        rows.push_back(entry(names[i], 0, values[i]));
    std::vector<CNorvaRow> sorted = rows;
    sortEntries(sorted, 2, true, false, scratch);
    // NaN above everything, then inf, 1e300, both unknowns in their order, ..., 0 and -0 in
    // their order, then -1e30, -inf, and the negative NaN last.
    EXPECT_EQ(namesOf(sorted), "c1 c5 c9 c3 c11 c8 c0 c6 c7 c10 c2 c4 ");
    // Term numbers and marks of large rows keep their ties in order.
    std::mt19937 random(11);
    std::vector<CNorvaRow> terms(30000);
    for (std::size_t i = 0; i < terms.size(); ++i) {
        terms[i].coefficient = static_cast<double>(i);
        terms[i].termNumber = random() % 3 == 0 ? static_cast<int>(random() % 100000) : 0;
        terms[i].linearityMark = random() % 2 ? 'N' : 'L';
    }
    for (const bool rowDisplay : {true, false}) expectStable(terms, 4, rowDisplay);
}

// The stats that choose the sort's bits, taken in pieces of odd and even length, against a
// key-by-key account of the same keys.
TEST(KeyStatsTest, CountsUnknownKeysAndTheKnownKeysBits) {
    const std::uint64_t unknownKey = descendingKey(CNorvaRow::kUnknown);
    std::mt19937_64 random(5);
    std::vector<std::uint64_t> keys(1001);
    for (std::uint64_t& key : keys) key = random() % 3 == 0 ? unknownKey : random() >> 8;
    KeyStats stats;
    for (std::size_t from = 0; from < keys.size(); from += 77)
        stats.take(std::span(keys).subspan(from, std::min<std::size_t>(77, keys.size() - from)));
    KeyStats expected;
    for (const std::uint64_t key : keys) {
        expected.unknown += key == unknownKey;
        if (key != unknownKey) expected.knownOr |= key, expected.knownAnd &= key;
    }
    EXPECT_EQ(stats.unknown, expected.unknown);
    EXPECT_EQ(stats.knownOr, expected.knownOr);
    EXPECT_EQ(stats.knownAnd, expected.knownAnd);
    EXPECT_FALSE(stats.inOrder);
}

// Large rows are sorted on two threads: the order must be the one-thread order, for float
// values with unknowns (keys packed with positions), for doubles too wide to pack, for
// halves that are each in order or each one value, and for digits that every key shares. So must
// the order left in groups, read backwards (each group sorted when first met) and searched.
TEST_F(EntrySortScaleTest, TwoThreadsGiveTheOneThreadOrder) {
    const auto rows = rowsWithActivities(300000, 30, 5, names);
    std::mt19937_64 random(3);
    std::vector<double> doubles(rows.size());
    for (double& value : doubles) value = std::ldexp(static_cast<double>(random()), -40);
    const std::function<double(std::size_t)> numbers[] = {
        [&rows](std::size_t i) { return rows[i].calculatedValue; },
        [&doubles](std::size_t i) { return doubles[i] * (i % 3 == 0 ? -1.0 : 1.0); },
        // Each half in order, the two not; then each half one value.
        [half = rows.size() / 2](std::size_t i) { return -static_cast<double>(i % half); },
        [half = rows.size() / 2](std::size_t i) { return i < half ? 1.0 : 2.0; },
        // Keys that differ in their top and bottom digits only, so the passes between skip.
        [](std::size_t i) { return std::ldexp(i % 2 ? 1.0 : 1.0 + 0x1p-40, int(i % 3)); }};
    for (const auto& numberOf : numbers) {
        std::vector<std::uint32_t> orders[2];
        for (const bool twoThreads : {false, true}) {
            orbxmps::allowParallelWork(twoThreads);
            orderByNumber<KeyCalls::AnyThread>(rows.size(), numberOf, scratch, orders[twoThreads]);
        }
        orbxmps::allowParallelWork(true);
        ASSERT_EQ(orders[0].size(), rows.size());
        EXPECT_EQ(orders[0], orders[1]);
        EntryOrder grouped;
        orderByNumber<KeyCalls::AnyThread>(rows.size(), numberOf, scratch, grouped);
        const std::size_t third = rows.size() / 3;
        EXPECT_EQ(grouped.firstWhere([&](std::uint32_t i) { return i == orders[0][third]; }),
                  third);
        std::vector<std::uint32_t> read(rows.size());
        for (std::size_t k = rows.size(); k-- > 0;) read[k] = grouped[k];
        EXPECT_EQ(read, orders[0]);
    }
}

}  // namespace
