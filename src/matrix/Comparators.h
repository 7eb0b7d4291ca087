#pragma once

#include <cstring>

#include "CBound.h"
#include "CCol.h"
#include "CRow.h"
#include "CRowValue.h"

// Byte-wise, case-sensitive name order (upper case before lower case), normalised to -1/0/1.
inline int compareNames(const char* a, const char* b) {
    const int c = std::strcmp(a, b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

inline int CompareRows(const CRow& a, const CRow& b) { return compareNames(a.cName(), b.cName()); }
inline int CompareCols(const CCol& a, const CCol& b) { return compareNames(a.cName(), b.cName()); }
inline int CompareRowValues(const CRowValue& a, const CRowValue& b) {
    return compareNames(a.cName(), b.cName());
}

// Bounds sort by kind (1, 2, 3, 4), then by column name.
inline int CompareBounds(const CBound& a, const CBound& b) {
    if (a.kind() != b.kind()) return a.kind() < b.kind() ? -1 : 1;
    return compareNames(a.cName(), b.cName());
}
