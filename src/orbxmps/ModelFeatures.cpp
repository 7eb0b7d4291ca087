#include "ModelFeatures.h"

namespace orbxmps {

ModelFeatures countModelFeatures(const MatrixStore& store) {
    ModelFeatures features;
    features.maximise = store.maximise;
    if (store.objectiveRow >= 0)
        features.objectiveConstant = 0.0 - store.rhs[static_cast<std::size_t>(store.objectiveRow)];  // never -0
    for (std::size_t c = 0; c < store.columnCount(); ++c) {
        const std::uint8_t flags = store.columnFlags[c];
        const bool integer = (flags & kColumnInteger) != 0;
        const bool semi = (flags & kColumnSemiContinuous) != 0;
        features.integerColumns += integer && !semi;
        features.semiContinuousColumns += semi && !integer;
        features.semiIntegerColumns += semi && integer;
        features.crossedBoundColumns += store.lower[c] > store.upper[c];
    }
    features.sets = store.extensions.sets.size();
    features.setMembers = store.extensions.setMemberColumn.size();
    features.cones = store.extensions.cones.size();
    features.indicators = store.extensions.indicators.size();
    features.warnings = store.warnings.count();
    return features;
}

}  // namespace orbxmps
