#include "CIoStrCell.h"

#include <climits>

int CIoStrCell::AsInteger() const {
    // atoi's reading without its undefined overflow: leading blanks, a sign, then digits,
    // held inside int's range.
    std::size_t at = 0;
    while (at < m_value.size() &&
           (m_value[at] == ' ' || (m_value[at] >= '\t' && m_value[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < m_value.size() && (m_value[at] == '+' || m_value[at] == '-'))
        negative = m_value[at++] == '-';
    long long magnitude = 0;
    for (; at < m_value.size() && m_value[at] >= '0' && m_value[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (m_value[at] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) break;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX) return INT_MAX;
    if (signedValue < INT_MIN) return INT_MIN;
    return static_cast<int>(signedValue);
}

void CIoStrCell::SetText(const char* text) {
    m_value = text == nullptr ? "" : text;
    SetNull(false);
}
