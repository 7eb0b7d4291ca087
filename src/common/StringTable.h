#pragma once

#include <string>

// The program's built-in texts by id. A language resource, when one is configured, replaces
// them; an id missing there falls back to this table.
namespace strings {

inline constexpr int kUnableToOpenSolutionFile = 6;  // "Unable to open KSLP Results File: "
inline constexpr int kTableReadError = 118;
inline constexpr int kInternalError = 119;
inline constexpr int kPrintFileError = 137;
inline constexpr int kViewerNotLaunched = 140;
inline constexpr int kLoomTableOpen = 150;
inline constexpr int kLoomRowSetOpen = 151;
inline constexpr int kLoomColSetOpen = 152;
inline constexpr int kLoomProcessName = 153;
inline constexpr int kLoomProcessNameRequired = 156;
inline constexpr int kLoomTableRead = 157;
inline constexpr int kLoomInstall = 158;
inline constexpr int kFailedToLoadMps = 163;
inline constexpr int kFailedToLoadOrb = 164;
inline constexpr int kFailedToLoadMpsNoLog = 165;
inline constexpr int kFailedToLoadOrbNoLog = 166;
inline constexpr int kNoValidOrbManager = 61446;

// The text of id, or an empty string for an unknown id.
const char* text(int id);

// text(id) with the first "%s" replaced by argument.
std::string format(int id, const std::string& argument);

}  // namespace strings
