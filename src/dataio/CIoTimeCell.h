#pragma once

#include <cstddef>
#include <cstdio>

#include "CIoDateTimeCellBase.h"

// A cell holding a time of day as a date-time pair; shown as "%02d:%02d:%02d", every field -1 when
// the pair's status is not valid.
class CIoTimeCell : public CIoDateTimeCellBase<10, CIoTimeCell> {
public:
    using CIoDateTimeCellBase::CIoDateTimeCellBase;

    static void formatFields(const IoDateTimeFields& fields, char* buffer, std::size_t size) {
        std::snprintf(buffer, size, "%02d:%02d:%02d", fields.hour, fields.minute, fields.second);
    }
};
