#include "RowTags.h"

#include <algorithm>

#include "RowIndex.h"

RowTags::RowTags(const MatrixModel& model, const BuildPauses* pauses) {
    const std::size_t count = walkedCount(model);
    if (count == 0) return;
    const std::uint32_t* rows = model.entries.arrays()->rows;
    std::uint16_t* tags = m_tags.appendUninitialised(count);
    constexpr std::size_t kStretch = std::size_t{1} << 21;
    for (std::size_t at = 0; at < count; at += kStretch) {
        waitWhileBuildPaused(pauses);
        const std::size_t end = std::min(count, at + kStretch);
        for (std::size_t e = at; e < end; ++e) tags[e] = static_cast<std::uint16_t>(rows[e]);
    }
}

bool RowTags::fits(const MatrixModel& model) const {
    const std::size_t count = walkedCount(model);
    return count != 0 && m_tags.size() == count;
}
