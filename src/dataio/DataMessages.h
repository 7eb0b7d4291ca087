#pragma once

#include <string>

// The data layer's own texts by id.
namespace datamsg {

inline constexpr int kError = 10001;
inline constexpr int kWarning = 10012;
inline constexpr int kNoExtractColumns = 10038;
inline constexpr int kNoKeyValues = 10063;
inline constexpr int kUnknownSqlType = 10104;
inline constexpr int kNoMatchForKey = 10106;
inline constexpr int kKeyCountMismatch = 10111;
inline constexpr int kKeysIncorrect = 10112;
inline constexpr int kDbfDamagedHeader = 10270;
inline constexpr int kDbfUnsupportedVersion = 10271;
inline constexpr int kDbfUnknownType = 10272;
inline constexpr int kDbfShortRecord = 10273;
inline constexpr int kColumnNameTooLong = 10275;
inline constexpr int kZeroLengthColumnName = 10276;
inline constexpr int kColumnTooWide = 10277;
inline constexpr int kTooManyDecimals = 10278;
inline constexpr int kUnableToOpenTable = 10315;
inline constexpr int kUnsupportedColumnSkipped = 10317;
inline constexpr int kErrorClosingTable = 10318;
inline constexpr int kErrorRetrievingField = 10319;
inline constexpr int kErrorRetrievingRecord = 10320;
inline constexpr int kKeyFieldNotFound = 10322;
inline constexpr int kExtractColumnNotFound = 10324;
inline constexpr int kEmptyKeyRowSkipped = 10331;

// The text of id; empty for an unknown id.
const char* text(int id);
// text(id) with every "%1" replaced by argument.
std::string format(int id, const std::string& argument);

}  // namespace datamsg
