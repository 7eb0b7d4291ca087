#pragma once

#include <QString>

// The desktop program's built-in texts by id. Texts pass through the installed translator
// (context "Norva"), so a language file replaces them and an id it lacks keeps its built-in
// text.
namespace appstrings {

inline constexpr int kMatrixFileFilter = 3;
inline constexpr int kSolutionFileFilter = 4;
inline constexpr int kOpenMatrixFirst = 5;
inline constexpr int kOleInitFailed = 100;
inline constexpr int kRichEditInitFailed = 162;
inline constexpr int kSearchPrompt = 1017;
inline constexpr int kSearchTextPrompt = 1018;
inline constexpr int kIdleStatus = 57345;
inline constexpr int kSupportAddress = 61447;
inline constexpr int kHelpNotLaunched = 61703;

// The built-in text of id, or empty for an unknown id.
const char* builtIn(int id);

// The text of id in the user's language.
QString text(int id);

// A built-in text in the user's language; for texts quoted where they are used.
QString translated(const char* builtInText);

}  // namespace appstrings
