#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "NumberFormat.h"

// Of a list column's values, those among which its widest cell lies: of each sign, and
// separately for values written fixed and scientific, the largest magnitude and the one
// nearest 0. A pass over a dense row's millions of values offers each here: every update is
// a minimum or a maximum, or a jump seldom taken, so the pass does not wait on mispredicted
// branches as sorting each value into its band by sign and form would.
class ValueExtremes {
public:
    explicit ValueExtremes(const NumberFormatOptions& format);

    void offer(double value) {
        m_largest = std::max(m_largest, value);
        m_smallest = std::min(m_smallest, value);
        m_smallestPositive = std::min(m_smallestPositive, ifLess(0.0, value, value, kInfinity));
        m_largestNegative = std::max(m_largestNegative, ifLess(value, 0.0, value, -kInfinity));
        m_largestFixed =
            std::max(m_largestFixed, ifLess(value, m_positiveLimit, value, -kInfinity));
        m_smallestFixed =
            std::min(m_smallestFixed, ifLess(-m_negativeLimit, value, value, kInfinity));
        m_nearestScientific =
            std::min(m_nearestScientific, ifLess(value, m_positiveLimit, kInfinity, value));
        m_nearestNegativeScientific = std::max(m_nearestNegativeScientific,
                                               ifLess(-m_negativeLimit, value, -kInfinity, value));
        const bool zero = value == 0.0;
        const bool negative = std::signbit(value);
        m_positiveZero |= zero & !negative;
        m_negativeZero |= zero & negative;
        m_notANumber |= value != value;
    }

    // The same for many single-precision values at once, four at a time where the processor
    // allows.
    void offer(std::span<const float> values);
    // As if the values offered to other, gathered for the same format, were offered here.
    void merge(const ValueExtremes& other);

    // Whether these were gathered for numbers written so.
    bool madeFor(const NumberFormatOptions& format) const {
        return format.decimals == m_format.decimals &&
               format.alwaysScientific == m_format.alwaysScientific;
    }
    // The magnitude from which a value of the sign is written in scientific form.
    double scientificFrom(bool negative) const {
        return negative ? m_negativeLimit : m_positiveLimit;
    }
    // Positive values first, then negative; fixed before scientific; each band's largest
    // magnitude, then the one nearest 0 when it is not 0. Nothing when a value was not a
    // number: how it ranks depends on the values' order.
    std::optional<std::vector<double>> candidates() const;

private:
    static constexpr double kInfinity = std::numeric_limits<double>::infinity();

    // a < b ? yes : no, by masks: compilers often make a conditional between doubles a jump,
    // which values of either sign mispredict one time in two.
    static double ifLess(double a, double b, double yes, double no) {
#if defined(__SSE2__)
        const __m128d mask = _mm_cmplt_sd(_mm_set_sd(a), _mm_set_sd(b));
        return _mm_cvtsd_f64(
            _mm_or_pd(_mm_and_pd(mask, _mm_set_sd(yes)), _mm_andnot_pd(mask, _mm_set_sd(no))));
#else
        return a < b ? yes : no;
#endif
    }

    std::size_t offerByFours(std::span<const float> values);
    void addPositive(std::vector<double>& values) const;
    void addNegative(std::vector<double>& values) const;

    NumberFormatOptions m_format;
    double m_positiveLimit;
    double m_negativeLimit;
    double m_largest = -kInfinity;
    double m_smallest = kInfinity;
    double m_smallestPositive = kInfinity;
    double m_largestNegative = -kInfinity;
    double m_largestFixed = -kInfinity;               // the largest value under m_positiveLimit
    double m_smallestFixed = kInfinity;               // the smallest over -m_negativeLimit
    double m_nearestScientific = kInfinity;           // the smallest at m_positiveLimit or more
    double m_nearestNegativeScientific = -kInfinity;  // the largest at -m_negativeLimit or less
    bool m_positiveZero = false;
    bool m_negativeZero = false;
    bool m_notANumber = false;
};
