// The COLUMNS section's row lookup, built on one thread or on two: the same row for every
// name, the first of repeated names, none for names that are not rows.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "MpsRowLookup.h"
#include "NameTable.h"

namespace orbxmps {
namespace {

constexpr std::size_t kRows = 1000;  // a table of 2048 slots, halves of 1024
constexpr std::size_t kMask = 2047;

// Names whose home slot is one of the last slots of a half, where the two-thread build's
// probes run out of their half; found among R0, R1, ...
std::vector<std::string> namesHomedBefore(std::size_t end, std::size_t count) {
    std::vector<std::string> found;
    for (int k = 0; found.size() < count; ++k) {
        std::string name = "R" + std::to_string(k);
        const std::size_t home = NameTable::hash(name) & kMask;
        if (home < end && home + 4 >= end) found.push_back(name);
    }
    return found;
}

std::int64_t lookUp(MpsRowLookup& lookup, const std::string& name) {
    char padded[32] = {};  // lookups read 16 bytes from a name's start
    std::memcpy(padded, name.data(), name.size());
    const std::string_view view(padded, name.size());
    return lookup.find(view, NameTable::hash(view));
}

TEST(MpsRowLookupTest, TwoThreadsFindWhatOneFinds) {
    // Crowds at the end of each half (the second wraps to the table's start), names repeated
    // among them and elsewhere, long names that the name table answers, and the rest spread.
    std::vector<std::string> rows = namesHomedBefore(1024, 40);
    for (const std::string& name : namesHomedBefore(2048, 40)) rows.push_back(name);
    for (int k = 0; k < 10; ++k) rows.push_back(rows[static_cast<std::size_t>(k * 7)]);
    rows.push_back("A_NAME_LONGER_THAN_TWELVE");
    rows.push_back("A_NAME_LONGER_THAN_TWELVE");
    for (int k = 0; rows.size() < kRows; ++k) rows.push_back("S" + std::to_string(k));

    NameTable names;
    std::map<std::string, std::int64_t> first;
    for (const std::string& name : rows) {
        const auto [index, added] = names.insert(name);
        if (!added) names.addRepeated(name, NameTable::hash(name));
        first.emplace(name, index);
    }
    std::vector<std::string> absent = {"S999999", "R", "A_NAME_NOT_IN_THE_TABLE"};
    for (const std::string& name : namesHomedBefore(1024, 80))
        if (first.count(name) == 0) absent.push_back(name);

    for (const std::size_t secondThreadFrom : {std::size_t{1} << 30, std::size_t{0}}) {
        SCOPED_TRACE(secondThreadFrom == 0 ? "two threads" : "one thread");
        MpsRowLookup lookup(names, secondThreadFrom);
        for (const auto& [name, index] : first) EXPECT_EQ(lookUp(lookup, name), index) << name;
        for (const std::string& name : absent)
            EXPECT_EQ(lookUp(lookup, name), NameTable::kNotFound) << name;
    }
}

}  // namespace
}  // namespace orbxmps
