#include "ValueExtremes.h"

namespace {

// Where a value of the sign is written in scientific form: where its fixed text would pass
// 12 characters.
double scientificLimit(const NumberFormatOptions& format, bool negative) {
    if (format.alwaysScientific) return 0;
    const int decimals = std::clamp(format.decimals, 0, 12);
    const int integerDigits = 12 - (negative ? 1 : 0) - (decimals > 0 ? decimals + 1 : 0);
    return integerDigits < 1 ? 0 : std::pow(10.0, integerDigits);
}

// A band's largest magnitude and, when that is not 0, the one nearest 0, with the sign.
void addBand(std::vector<double>& values, bool negative, double largest, double nearest) {
    const double sign = negative ? -1.0 : 1.0;
    values.push_back(std::copysign(largest, sign));
    if (largest > 0.0) values.push_back(std::copysign(nearest, sign));
}

#if defined(__SSE2__)
// The smallest float at limit or above: a float is under limit exactly when it is under this.
float floatFrom(double limit) {
    float bound = static_cast<float>(limit);
    if (static_cast<double>(bound) < limit)
        bound = std::nextafter(bound, std::numeric_limits<float>::infinity());
    return bound;
}

__m128 pick(__m128 mask, __m128 yes, __m128 no) {
    return _mm_or_ps(_mm_and_ps(mask, yes), _mm_andnot_ps(mask, no));
}

// The least and the greatest of a register's four floats.
double least(__m128 four) {
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, four);
    return std::min({lanes[0], lanes[1], lanes[2], lanes[3]});
}
double greatest(__m128 four) {
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, four);
    return std::max({lanes[0], lanes[1], lanes[2], lanes[3]});
}
#endif

}  // namespace

ValueExtremes::ValueExtremes(const NumberFormatOptions& format)
    : m_format(format),
      m_positiveLimit(scientificLimit(format, false)),
      m_negativeLimit(scientificLimit(format, true)) {}

void ValueExtremes::offer(std::span<const float> values) {
    std::size_t done = 0;
#if defined(__SSE2__)
    done = offerByFours(values);
#endif
    for (std::size_t i = done; i < values.size(); ++i) offer(static_cast<double>(values[i]));
}

#if defined(__SSE2__)
// What offer(double) keeps, kept for four lanes, then merged. The order of the values does
// not matter to any of it but a value that is not a number, and that one sends the texts to a
// pass in order anyway.
std::size_t ValueExtremes::offerByFours(std::span<const float> values) {
    const __m128 infinity = _mm_set1_ps(std::numeric_limits<float>::infinity());
    const __m128 minusInfinity = _mm_set1_ps(-std::numeric_limits<float>::infinity());
    const __m128 zero = _mm_setzero_ps();
    const __m128 positiveLimit = _mm_set1_ps(floatFrom(m_positiveLimit));
    const __m128 negativeLimit = _mm_set1_ps(-floatFrom(m_negativeLimit));
    __m128 largest = minusInfinity, smallest = infinity;
    __m128 smallestPositive = infinity, largestNegative = minusInfinity;
    __m128 largestFixed = minusInfinity, smallestFixed = infinity;
    __m128 nearestScientific = infinity, nearestNegativeScientific = minusInfinity;
    __m128 positiveZero = zero, negativeZero = zero, notANumber = zero;
    std::size_t i = 0;
    for (; i + 4 <= values.size(); i += 4) {
        const __m128 v = _mm_loadu_ps(values.data() + i);
        largest = _mm_max_ps(largest, v);
        smallest = _mm_min_ps(smallest, v);
        smallestPositive = _mm_min_ps(smallestPositive, pick(_mm_cmplt_ps(zero, v), v, infinity));
        largestNegative =
            _mm_max_ps(largestNegative, pick(_mm_cmplt_ps(v, zero), v, minusInfinity));
        const __m128 fixed = _mm_cmplt_ps(v, positiveLimit);
        largestFixed = _mm_max_ps(largestFixed, pick(fixed, v, minusInfinity));
        nearestScientific = _mm_min_ps(nearestScientific, pick(fixed, infinity, v));
        const __m128 negativeFixed = _mm_cmplt_ps(negativeLimit, v);
        smallestFixed = _mm_min_ps(smallestFixed, pick(negativeFixed, v, infinity));
        nearestNegativeScientific =
            _mm_max_ps(nearestNegativeScientific, pick(negativeFixed, minusInfinity, v));
        const __m128 isZero = _mm_cmpeq_ps(v, zero);
        const __m128 signSet = _mm_castsi128_ps(_mm_srai_epi32(_mm_castps_si128(v), 31));
        positiveZero = _mm_or_ps(positiveZero, _mm_andnot_ps(signSet, isZero));
        negativeZero = _mm_or_ps(negativeZero, _mm_and_ps(signSet, isZero));
        notANumber = _mm_or_ps(notANumber, _mm_cmpunord_ps(v, v));
    }
    m_largest = std::max(m_largest, greatest(largest));
    m_smallest = std::min(m_smallest, least(smallest));
    m_smallestPositive = std::min(m_smallestPositive, least(smallestPositive));
    m_largestNegative = std::max(m_largestNegative, greatest(largestNegative));
    m_largestFixed = std::max(m_largestFixed, greatest(largestFixed));
    m_smallestFixed = std::min(m_smallestFixed, least(smallestFixed));
    m_nearestScientific = std::min(m_nearestScientific, least(nearestScientific));
    m_nearestNegativeScientific =
        std::max(m_nearestNegativeScientific, greatest(nearestNegativeScientific));
    m_positiveZero |= _mm_movemask_ps(positiveZero) != 0;
    m_negativeZero |= _mm_movemask_ps(negativeZero) != 0;
    m_notANumber |= _mm_movemask_ps(notANumber) != 0;
    return i;
}
#endif

void ValueExtremes::merge(const ValueExtremes& other) {
    m_largest = std::max(m_largest, other.m_largest);
    m_smallest = std::min(m_smallest, other.m_smallest);
    m_smallestPositive = std::min(m_smallestPositive, other.m_smallestPositive);
    m_largestNegative = std::max(m_largestNegative, other.m_largestNegative);
    m_largestFixed = std::max(m_largestFixed, other.m_largestFixed);
    m_smallestFixed = std::min(m_smallestFixed, other.m_smallestFixed);
    m_nearestScientific = std::min(m_nearestScientific, other.m_nearestScientific);
    m_nearestNegativeScientific =
        std::max(m_nearestNegativeScientific, other.m_nearestNegativeScientific);
    m_positiveZero |= other.m_positiveZero;
    m_negativeZero |= other.m_negativeZero;
    m_notANumber |= other.m_notANumber;
}

std::optional<std::vector<double>> ValueExtremes::candidates() const {
    if (m_notANumber) return std::nullopt;
    std::vector<double> values;
    addPositive(values);
    addNegative(values);
    return values;
}

// Zeros are fixed unless every value is scientific (a limit of 0), and a zero band's largest
// magnitude is 0 when it holds nothing else.
void ValueExtremes::addPositive(std::vector<double>& values) const {
    if (m_positiveLimit > 0.0 && (m_largestFixed > 0.0 || m_positiveZero))
        addBand(values, false, std::max(m_largestFixed, 0.0), m_smallestPositive);
    const bool anyScientific =
        m_positiveLimit > 0.0 ? m_largest >= m_positiveLimit : m_largest > 0.0 || m_positiveZero;
    if (!anyScientific) return;
    const double nearest = m_positiveLimit > 0.0 ? m_nearestScientific : m_smallestPositive;
    addBand(values, false, std::max(m_largest, 0.0), nearest);
}

void ValueExtremes::addNegative(std::vector<double>& values) const {
    if (m_negativeLimit > 0.0 && (m_smallestFixed < 0.0 || m_negativeZero))
        addBand(values, true, std::max(-m_smallestFixed, 0.0), -m_largestNegative);
    const bool anyScientific =
        m_negativeLimit > 0.0 ? m_smallest <= -m_negativeLimit : m_smallest < 0.0 || m_negativeZero;
    if (!anyScientific) return;
    const double nearest =
        m_negativeLimit > 0.0 ? -m_nearestNegativeScientific : -m_largestNegative;
    addBand(values, true, std::max(-m_smallest, 0.0), nearest);
}
