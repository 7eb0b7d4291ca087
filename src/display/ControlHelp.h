#pragma once

#include <optional>
#include <string>

// The dialogs whose controls show the control help popup.
enum class HelpDialog { kFind, kOptionsGeneral, kOptionsDatabase };

// The popup's text for a help request on a control, by the control's id: nullopt when the
// control carries no help context (no popup; a label passes the request to the control after
// it, which the dialog knows), an empty text when it carries one but the string table has no
// text for it (the popup then shows the family's shared fallback text, not part of this
// program), else the text.
std::optional<std::string> controlHelp(HelpDialog dialog, int controlId);

namespace controlid {

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kFindText = 1018;
inline constexpr int kWholeWord = 1022;
inline constexpr int kIgnoreCase = 1026;
inline constexpr int kUp = 1027;
inline constexpr int kDown = 1028;
inline constexpr int kStartAtBeginning = 1029;
inline constexpr int kHelp = 57670;
inline constexpr int kDecimals = 1030;
inline constexpr int kAlwaysScientific = 1031;
inline constexpr int kLoomHostName = 1033;
inline constexpr int kLoomProcessName = 1034;
inline constexpr int kLargeCoef = 1043;
inline constexpr int kSmallCoef = 1044;
inline constexpr int kLargeRatio = 1045;
inline constexpr int kFilterOn = 1046;
inline constexpr int kShowAllColumns = 1050;
inline constexpr int kDefaultFileName = 1051;

}  // namespace controlid
