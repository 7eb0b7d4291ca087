#pragma once

#include <cstddef>

#include "MatrixModel.h"
#include "ModelFeatures.h"
#include "OutputBuffer.h"
#include "orbxmps.h"

// Smallest and largest absolute value of a set of values; zeros are left out, since a zero
// says nothing about scaling.
struct MagnitudeRange {
    float smallest = 0.0f;
    float largest = 0.0f;
    bool any = false;

    void add(float value);
};

// Counts and magnitudes of a loaded model, for a quick look at its size and scaling.
struct ModelStats {
    std::size_t rowsByType[4] = {};  // N, E, L, G
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::size_t nonzeros = 0;
    std::size_t rhs = 0;
    std::size_t ranges = 0;
    std::size_t boundsByKind[4] = {};  // lower, upper, fixed, free
    std::size_t bounds = 0;
    std::size_t nonlinearTerms = 0;
    MagnitudeRange coefficients;
    MagnitudeRange rightHandSides;
    MagnitudeRange finiteBounds;  // bounds below 1e20 in magnitude
    orbxmps::ModelFeatures features;  // all zero without a library object
};

// object may be null (no nonlinear terms are then counted).
ModelStats collectStats(const MatrixModel& model, const orbxmps::ORBObject* object);

// One "key: value" line per figure, in a fixed order and with fixed keys, so that scripts can
// grep them; a magnitude with no values is written as "none".
void writeStats(const ModelStats& stats, double loadSeconds, OutputBuffer& out);
