#include <gtest/gtest.h>

#include <limits>

#include "IoDateTime.h"

namespace {

void expectFields(const IoDateTimeFields& f, int y, int mo, int d, int h, int mi, int s) {
    EXPECT_EQ(f.year, y);
    EXPECT_EQ(f.month, mo);
    EXPECT_EQ(f.day, d);
    EXPECT_EQ(f.hour, h);
    EXPECT_EQ(f.minute, mi);
    EXPECT_EQ(f.second, s);
}

TEST(IoDateTime, DayZeroIsThirtiethOfDecember1899) {
    const IoDateTime epoch = makeIoDateTime(1899, 12, 30);
    EXPECT_EQ(epoch.status, kIoDateTimeValid);
    EXPECT_DOUBLE_EQ(epoch.days, 0.0);
    expectFields(splitIoDateTime(IoDateTime{0.0, kIoDateTimeValid}), 1899, 12, 30, 0, 0, 0);
}

TEST(IoDateTime, KnownDayNumbersAndTimeFractions) {
    EXPECT_DOUBLE_EQ(makeIoDateTime(1900, 1, 1).days, 2.0);
    EXPECT_DOUBLE_EQ(makeIoDateTime(2000, 1, 1).days, 36526.0);
    EXPECT_DOUBLE_EQ(makeIoDateTime(2024, 2, 29, 18, 0, 0).days, 45351.75);
    expectFields(splitIoDateTime({45351.75, kIoDateTimeValid}), 2024, 2, 29, 18, 0, 0);
}

TEST(IoDateTime, DaysBeforeTheEpochCountTheirTimeForward) {
    // -1.25 is 29 December 1899 at 06:00, not 28 December at 18:00.
    const IoDateTime value = makeIoDateTime(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(value.days, -1.25);
    expectFields(splitIoDateTime(value), 1899, 12, 29, 6, 0, 0);
}

TEST(IoDateTime, RoundTripsEverySecondOfADayAndManyDays) {
    for (int second = 0; second < 86400; second += 7) {
        const IoDateTime value =
            makeIoDateTime(2031, 7, 15, second / 3600, second / 60 % 60, second % 60);
        expectFields(splitIoDateTime(value), 2031, 7, 15, second / 3600, second / 60 % 60,
                     second % 60);
    }
    for (int year : {100, 1600, 1899, 1900, 1970, 2000, 2100, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            const IoDateTimeFields f = splitIoDateTime(makeIoDateTime(year, month, 28, 23, 59, 59));
            expectFields(f, year, month, 28, 23, 59, 59);
        }
    }
}

TEST(IoDateTime, RoundsToTheNearestSecond) {
    // Noon stored a hair below 0.5 must not print as 11:59:59, nor a value just short of
    // midnight as 23:59:60.
    expectFields(splitIoDateTime({36526.5 - 1e-9, kIoDateTimeValid}), 2000, 1, 1, 12, 0, 0);
    expectFields(splitIoDateTime({36526.0 + 43199.6 / 86400.0, kIoDateTimeValid}), 2000, 1, 1, 12,
                 0, 0);
    expectFields(splitIoDateTime({36526.0 + 86399.7 / 86400.0, kIoDateTimeValid}), 2000, 1, 2, 0, 0,
                 0);
}

TEST(IoDateTime, RejectsOutOfRangeFields) {
    const int invalid[][6] = {{2023, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0},
                              {2024, 13, 1, 0, 0, 0}, {2024, 0, 1, 0, 0, 0},
                              {2024, 4, 31, 0, 0, 0}, {2024, 1, 1, 24, 0, 0},
                              {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, -1},
                              {10000, 1, 1, 0, 0, 0}, {99, 12, 31, 0, 0, 0}};
    for (const auto& f : invalid)
        EXPECT_EQ(makeIoDateTime(f[0], f[1], f[2], f[3], f[4], f[5]).status, kIoDateTimeInvalid)
            << f[0] << "-" << f[1] << "-" << f[2] << " " << f[3] << ":" << f[4] << ":" << f[5];
    EXPECT_EQ(makeIoDateTime(2000, 2, 29).status, kIoDateTimeValid);
}

TEST(IoDateTime, InvalidOrUnsplittablePairsGiveMinusOneFields) {
    expectFields(splitIoDateTime({36526.0, kIoDateTimeInvalid}), -1, -1, -1, -1, -1, -1);
    expectFields(splitIoDateTime({1e12, kIoDateTimeValid}), -1, -1, -1, -1, -1, -1);
    expectFields(splitIoDateTime({-1e12, kIoDateTimeValid}), -1, -1, -1, -1, -1, -1);
    expectFields(splitIoDateTime({std::numeric_limits<double>::quiet_NaN(), kIoDateTimeValid}), -1,
                 -1, -1, -1, -1, -1);
}

}  // namespace
