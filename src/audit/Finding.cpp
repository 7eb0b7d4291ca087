#include "Finding.h"

#include <algorithm>

bool ranksBefore(const Finding& a, const Finding& b) {
    if (a.magnitude != b.magnitude) return a.magnitude > b.magnitude;
    if (a.name != b.name) return a.name < b.name;
    return a.detail < b.detail;
}

bool FindingRanking::countIfNotKept(double magnitude) {
    if (m_keep != 0 && (m_heap.size() < m_keep || magnitude >= m_heap.front().magnitude))
        return false;
    ++m_count;
    return true;
}

void FindingRanking::add(Finding finding) {
    ++m_count;
    if (m_keep == 0) return;
    if (m_heap.size() == m_keep) {
        if (!ranksBefore(finding, m_heap.front())) return;
        std::pop_heap(m_heap.begin(), m_heap.end(), ranksBefore);
        m_heap.back() = std::move(finding);
    } else {
        m_heap.push_back(std::move(finding));
    }
    std::push_heap(m_heap.begin(), m_heap.end(), ranksBefore);
}

std::vector<Finding> FindingRanking::ranked() const {
    std::vector<Finding> result = m_heap;
    std::sort(result.begin(), result.end(), ranksBefore);
    return result;
}
