#pragma once

#include <cstdint>

// A date and time as the data layer carries it: a day count in the OLE automation date
// convention (day 0 is 30 December 1899, the fraction is the time of day) and a status
// (0 valid). A cell whose status is not valid shows every field as -1.
struct IoDateTime {
    double days = 0.0;
    int32_t status = 0;
};

struct IoDateTimeFields {
    int year = -1;
    int month = -1;
    int day = -1;
    int hour = -1;
    int minute = -1;
    int second = -1;
};

// The pair for a calendar date and time; status not valid when a field is out of range.
IoDateTime makeIoDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                          int second = 0);

// The calendar fields of the pair; every field -1 when its status is not valid.
IoDateTimeFields splitIoDateTime(const IoDateTime& value);

inline constexpr int32_t kIoDateTimeValid = 0;
inline constexpr int32_t kIoDateTimeInvalid = 1;
