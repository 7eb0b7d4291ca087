#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orbxmps {

// What a load skipped or kept against the usual rules, one text per case
// ("<path>:<line>: <what>"). A damaged file can hold millions of such cases, so only the
// first few texts are kept; the count covers all of them.
class LoadWarnings {
public:
    static constexpr std::size_t kKeptTexts = 100;

    void add(std::string text) {
        ++m_count;
        if (m_texts.size() < kKeptTexts) m_texts.push_back(std::move(text));
    }
    void clear() {
        m_texts.clear();
        m_count = 0;
    }
    bool empty() const { return m_count == 0; }
    std::uint64_t count() const { return m_count; }
    const std::vector<std::string>& texts() const { return m_texts; }

private:
    std::vector<std::string> m_texts;
    std::uint64_t m_count = 0;
};

}  // namespace orbxmps
