#pragma once

// The display's own status-bar texts, by their string-table ids.
namespace displaytext {

inline constexpr int kPassedEndOfListId = 141;
inline constexpr int kSearchTextNotFoundId = 143;
inline constexpr const char* kPassedEndOfList = "Passed end of list";
inline constexpr const char* kSearchTextNotFound = "< Search text not found. >";

}  // namespace displaytext
