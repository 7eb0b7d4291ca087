#pragma once

#include <cstdint>

#include "BuildPauses.h"
#include "MatrixModel.h"
#include "PodVector.h"

// Each non-zero's row-table entry cut to its low 16 bits, in the coefficients' load order: made
// first by a row index's build aside, so that a row walked meanwhile reads 2 bytes a non-zero
// instead of 4, and its rows' own entries only where a tag matches. The walk is bound by the
// memory's speed; the tags cost 2 bytes a non-zero until the index is done.
class RowTags {
public:
    RowTags() = default;
    // Waits between stretches while pauses (if given) hold it. Empty for a model whose
    // rows cannot be walked.
    explicit RowTags(const MatrixModel& model, const BuildPauses* pauses = nullptr);

    // Whether they stand for every non-zero the walk of this model reads.
    bool fits(const MatrixModel& model) const;
    const std::uint16_t* data() const { return m_tags.data(); }

private:
    orbxmps::PodVector<std::uint16_t> m_tags;
};
