#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One reported discrepancy: the row or column (and for a coefficient, its row as detail), the
// two values set against each other, and the size by which they are ranked. A side that does
// not exist (a coefficient only in one model) is marked absent.
struct Finding {
    std::string name;
    std::string detail;
    double first = 0.0;
    double second = 0.0;
    bool firstPresent = true;
    bool secondPresent = true;
    double magnitude = 0.0;
};

// Counts every finding of one kind and keeps the largest few: larger magnitude first, then
// name order, so that equal sizes list stably.
class FindingRanking {
public:
    explicit FindingRanking(std::size_t keep) : m_keep(keep) {}

    void add(Finding finding);
    // Counts a finding of this size without making it when it would not be kept; false when
    // it might be, and add() is to be called instead.
    bool countIfNotKept(double magnitude);
    std::size_t count() const { return m_count; }
    // The kept findings, largest first.
    std::vector<Finding> ranked() const;

private:
    std::size_t m_keep;
    std::size_t m_count = 0;
    std::vector<Finding> m_heap;  // the smallest kept finding on top
};

bool ranksBefore(const Finding& a, const Finding& b);
