#include "IoDateTime.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;
constexpr int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil-day algorithm).
int64_t daysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(int64_t days, IoDateTimeFields& out) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    out.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    out.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    out.year = static_cast<int>(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
}

const int64_t kOleEpoch = daysFromCivil(1899, 12, 30);

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool fieldsInRange(int year, int month, int day, int hour, int minute, int second) {
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12) return false;
    if (day < 1 || day > daysInMonth(year, month)) return false;
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

// The day numbers that the calendar range covers; anything outside cannot be split.
const double kFirstDay = static_cast<double>(daysFromCivil(kMinYear, 1, 1) - kOleEpoch);
const double kLastDay = static_cast<double>(daysFromCivil(kMaxYear, 12, 31) - kOleEpoch) + 1.0;

}  // namespace

IoDateTime makeIoDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (!fieldsInRange(year, month, day, hour, minute, second)) return {0.0, kIoDateTimeInvalid};
    const int64_t dayNumber = daysFromCivil(year, month, day) - kOleEpoch;
    const double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) /
                            static_cast<double>(kSecondsPerDay);
    // Before the epoch the fraction still counts forward from midnight: -1.25 is 29 December
    // 1899, 06:00.
    const double days = dayNumber < 0 ? static_cast<double>(dayNumber) - fraction
                                      : static_cast<double>(dayNumber) + fraction;
    return {days, kIoDateTimeValid};
}

IoDateTimeFields splitIoDateTime(const IoDateTime& value) {
    IoDateTimeFields fields;
    if (value.status != kIoDateTimeValid || !std::isfinite(value.days)) return fields;
    if (value.days >= kLastDay || value.days < kFirstDay - 1.0) return fields;
    double whole = std::trunc(value.days);
    // Round to the nearest second so that a stored 0.5 never prints as 11:59:59.
    int64_t seconds = std::llround(std::fabs(value.days - whole) * kSecondsPerDay);
    int64_t dayNumber = static_cast<int64_t>(whole);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++dayNumber;
    }
    civilFromDays(dayNumber + kOleEpoch, fields);
    if (fields.year < kMinYear || fields.year > kMaxYear) return IoDateTimeFields{};
    fields.hour = static_cast<int>(seconds / 3600);
    fields.minute = static_cast<int>(seconds / 60 % 60);
    fields.second = static_cast<int>(seconds % 60);
    return fields;
}
