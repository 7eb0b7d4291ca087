#pragma once

#include <cstddef>
#include <cstdio>

#include "CIoDateTimeCellBase.h"

// A cell holding a date and time as a date-time pair; shown as "%04d-%02d-%02d %02d:%02d:%02d",
// every field -1 when the pair's status is not valid.
class CIoTimeStampCell : public CIoDateTimeCellBase<11, CIoTimeStampCell> {
public:
    using CIoDateTimeCellBase::CIoDateTimeCellBase;

    static void formatFields(const IoDateTimeFields& fields, char* buffer, std::size_t size) {
        std::snprintf(buffer, size, "%04d-%02d-%02d %02d:%02d:%02d", fields.year, fields.month,
                      fields.day, fields.hour, fields.minute, fields.second);
    }
};
